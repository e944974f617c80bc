#include "framework/FontDialog.h"

#include "framework/Handler.h"
#include "platform/Platform.h"

#include <QDialog>

namespace pvstim {

bool TFontDialog::Execute()
{
    QDialog dialog(owner_);
    const bool accepted = platform().execDialog(dialog) == QDialog::Accepted;
    runHandler(OnClose);
    return accepted;
}

}  // namespace pvstim
