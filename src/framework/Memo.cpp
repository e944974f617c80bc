#include "framework/Memo.h"

namespace pvstim {

QString TMemo::line(int index) const
{
    if (index < 0 || index >= lines_.size())
        return {};
    return lines_[index].left(kMaxLineLength);
}

void TMemo::insert(int index, const QString& line)
{
    lines_.insert(std::clamp<qsizetype>(index, 0, lines_.size()), line);
}

}  // namespace pvstim
