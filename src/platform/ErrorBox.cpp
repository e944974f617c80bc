#include "platform/ErrorBox.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace pvstim {

void ErrorBox::show(const QString& text, QWidget* mainWindow)
{
    // Also on standard error, where a run started from a terminal or a script keeps it.
    qWarning().noquote() << text;
    QPointer<QWidget> centreOn = mainWindow;
    if (centreOn && !centreOn->isVisible())
        centreOn = nullptr;
    QWidget* anchor = centreOn ? centreOn.data() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text, QMessageBox::Ok, anchor);
    // The text names files and repeats what the system said: data, never markup.
    box.setTextFormat(Qt::PlainText);
    // The box is modal: below the always-on-top control window it would leave the
    // program deaf to every click with nothing to answer on screen. So it stays on
    // top itself and takes the focus once shown, also at start-up, before any
    // window of the program has been active.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowModality(Qt::ApplicationModal);
    QTimer::singleShot(0, &box, [&box, centreOn] {
        // The box settles its size only once shown, after Qt centred it on its parent.
        if (centreOn) {
            QRect frame = box.frameGeometry();
            frame.moveCenter(centreOn->frameGeometry().center());
            box.move(frame.topLeft());
        }
        box.raise();
        box.activateWindow();
    });
    box.exec();
}

}  // namespace pvstim
