// "Справка" and "Книга" open the shipped documents with the program the
// desktop associates with them; "Обзор..." lets the user pick the reading text.
#include "control/ControlWindow.h"

#include "framework/Handler.h"
#include "framework/Label.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <QFileDialog>

namespace pvstim {

namespace {

const QString kHelpRhythms = QStringLiteral("Ритмы.doc");
const QString kHelpReadMe = QStringLiteral("ReadMe.txt");
const QString kBook = QStringLiteral("Vellamor.doc");
const QString kTextFilter = QStringLiteral("txt (*.txt)");

// Whatever happens to a document, the next one is still opened: the shell's
// answer is not looked at.
void openShipped(const QString& document)
{
    platform().openDocument(inDataDir(document));
}

}  // namespace

void ControlWindow::wireDocuments()
{
    helpButton->OnClick = [this] { onHelpClicked(); };
    bookButton->OnClick = [this] { onBookClicked(); };
    browseButton->OnClick = [this] { browseForText(); };
}

void ControlWindow::onHelpClicked()
{
    openShipped(kHelpRhythms);
    openShipped(kHelpReadMe);
}

void ControlWindow::onBookClicked() { openShipped(kBook); }

void ControlWindow::browseForText()
{
    // Qt's own dialog rather than the desktop's, so that it behaves the same
    // everywhere and can be driven in tests. Any name may be typed: the file need
    // not exist, and a file that cannot be read is reported when it is confirmed.
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kTextFilter);
    dialog.setDirectory(readingTextFolder());
    if (platform().execDialog(dialog) != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return;
    runHandler([&] { onTextFileChosen(chosen.first()); });
}

void ControlWindow::onTextFileChosen(const QString& path) { links_.loadText(path); }

}  // namespace pvstim
