#include "platform/ErrorBox.h"

#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QWindow>
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
    // The keyboard goes back where it was once the box is gone: during a run that is
    // the mini bar, which the window manager does not know, so its own choice of a
    // window to focus after the box leaves the keyboard on none.
    const QPointer<QWidget> hadKeyboard = QApplication::activeWindow();
    QWidget* anchor = centreOn ? centreOn.data() : hadKeyboard.data();
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
    if (!hadKeyboard || !hadKeyboard->isVisible())
        return;
    hadKeyboard->activateWindow();
    // The window manager may take the focus away as the box goes, after this point.
    // A loss of the focus in the moments after is undone once.
    auto* watch = new QObject(hadKeyboard);
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, watch, [watch, hadKeyboard](QWindow* now) {
        if (now)
            return;
        if (hadKeyboard && hadKeyboard->isVisible())
            hadKeyboard->activateWindow();
        watch->deleteLater();
    });
    QTimer::singleShot(5000, watch, [watch] { watch->deleteLater(); });
}

}  // namespace pvstim
