#include "control/RunWarningDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pvstim {

namespace {

const char* const kWarning =
    "<p><b>Внимание: мерцающий свет!</b></p>"
    "<p>Во время сеанса весь экран мерцает с частотой до 15 Гц и показывает яркие "
    "контрастные картинки. Такое мерцание может вызвать эпилептический припадок у людей "
    "со светочувствительной (фотосенситивной) эпилепсией, даже если припадков у них "
    "раньше никогда не было.</p>"
    "<p>Не пользуйтесь программой, если у вас или у ваших кровных родственников были "
    "эпилепсия, судороги, обмороки или потери сознания. Дети и подростки могут "
    "пользоваться программой только под присмотром взрослых.</p>"
    "<p>Немедленно прекратите сеанс при головокружении, нарушении зрения, подёргивании "
    "глаз или мышц лица, тошноте или любом другом недомогании.</p>"
    "<p><b>Клавиша Esc останавливает сеанс сразу</b>: экран перестаёт мерцать, "
    "настройки сохраняются, программа закрывается.</p>";

}  // namespace

RunWarningDialog::RunWarningDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Предупреждение"));
    setModal(true);

    auto* text = new QLabel(QString::fromUtf8(kWarning), this);
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setMinimumWidth(440);

    readIt = new QCheckBox(QStringLiteral("Я прочитал(а) предупреждение"), this);
    auto* buttons = new QDialogButtonBox(this);
    continueButton = buttons->addButton(QStringLiteral("Продолжить"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    continueButton->setEnabled(false);
    continueButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(readIt);
    layout->addWidget(buttons);

    connect(readIt, &QCheckBox::toggled, continueButton, &QPushButton::setEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    readIt->setFocus();
}

}  // namespace pvstim
