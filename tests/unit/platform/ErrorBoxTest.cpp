// The error box on Qt's offscreen platform: what it shows is the text as typed.
#include "platform/ErrorBox.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;

struct ShownBox {
    bool found = false;
    Qt::TextFormat format = Qt::AutoText;
    QString text;
};

// Shows the error box and reads what its message label holds, then closes the box.
ShownBox showAndRead(const QString& text)
{
    ShownBox shown;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;  // not shown yet
        probe.stop();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            shown.found = true;
            shown.format = label->textFormat();
            shown.text = label->text();
        }
        box->done(QMessageBox::Ok);
    });
    probe.start();
    ErrorBox::show(text, nullptr);
    return shown;
}

// A file name is data: one that looks like markup is shown as typed, never rendered
// (which would swallow its tags and name a file that does not exist).
TEST(ErrorBox, ShowsTheTextAsTyped)
{
    const QString texts[] = {
        QStringLiteral("Не удалось открыть файл <b>x.txt"),
        QStringLiteral("<font color=red size=7>BIG <u>underlined.txt"),
    };
    for (const QString& text : texts) {
        const ShownBox shown = showAndRead(text);
        ASSERT_TRUE(shown.found) << text.toStdString();
        EXPECT_EQ(shown.format, Qt::PlainText) << text.toStdString();
        EXPECT_EQ(shown.text, text);
    }
}

}  // namespace
