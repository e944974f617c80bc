#pragma once

#include <QStringList>

namespace pvstim {

// The hidden memo that holds a text one line per entry. It is never shown, so it
// has no widget. A line is read back with at most its first 4096 characters, and
// reading at or past the end gives an empty text.
class TMemo {
public:
    static constexpr int kMaxLineLength = 4096;

    int Count() const { return int(lines_.size()); }
    QString line(int index) const;
    const QStringList& lines() const { return lines_; }
    void setLines(QStringList lines) { lines_ = std::move(lines); }
    void insert(int index, const QString& line);
    void clear() { lines_.clear(); }

private:
    QStringList lines_;
};

}  // namespace pvstim
