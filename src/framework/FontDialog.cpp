#include "framework/FontDialog.h"

#include "framework/ColorBox.h"
#include "framework/Handler.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pvstim {

namespace {

// Style list rows, in the order the list shows them.
constexpr unsigned kStyleRows[] = { 0, TFont::Italic, TFont::Bold, TFont::Bold | TFont::Italic };
const char* const kStyleNames[] = { "Обычный", "Курсив", "Полужирный", "Полужирный курсив" };
constexpr int kListedSizes[] = { 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 };
constexpr unsigned kShapeBits = TFont::Bold | TFont::Italic;
const QSize kSwatchSize(16, 12);

QStringList fontFamilies()
{
    QStringList names;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            names << family;
    }
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    return names;
}

}  // namespace

TFontChooserDialog::TFontChooserDialog(const TFont& font, QWidget* parent)
    : QDialog(parent)
    , base_(font)
    , families_(new QListWidget(this))
    , styles_(new QListWidget(this))
    , sizes_(new QComboBox(this))
    , strikeOut_(new QCheckBox(QStringLiteral("Зачёркнутый"), this))
    , underline_(new QCheckBox(QStringLiteral("Подчёркнутый"), this))
    , colors_(new QComboBox(this))
    , sample_(new QLabel(QStringLiteral("AaBbYyZz АаБбЯя"), this))
    , apply_(nullptr)
{
    setWindowTitle(QStringLiteral("Шрифт"));
    setModal(true);

    families_->addItems(fontFamilies());
    for (const char* name : kStyleNames)
        styles_->addItem(QString::fromUtf8(name));
    sizes_->setEditable(true);
    sizes_->setInsertPolicy(QComboBox::NoInsert);
    sizes_->lineEdit()->setValidator(new QIntValidator(kMinSize, kMaxSize, sizes_));
    for (int size : kListedSizes)
        sizes_->addItem(QString::number(size));
    colors_->setIconSize(kSwatchSize);
    for (const NamedColor& entry : colorBoxColors().first(kStandardColorCount))
        colors_->addItem(colorSwatch(entry.color, kSwatchSize), QString::fromLatin1(entry.name),
            QVariant::fromValue<int>(entry.color));

    auto* effects = new QGroupBox(QStringLiteral("Видоизменение"), this);
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(strikeOut_);
    effectsLayout->addWidget(underline_);
    effectsLayout->addWidget(new QLabel(QStringLiteral("Цвет:"), effects));
    effectsLayout->addWidget(colors_);

    auto* sampleBox = new QGroupBox(QStringLiteral("Образец"), this);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(200, 60);
    sampleLayout->addWidget(sample_);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    // OK and Cancel are the platform's own buttons, in the user's language through
    // Qt's translations; Apply carries the dialog's own text.
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setText(QStringLiteral("Применить"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { pressApply(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Шрифт:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Начертание:"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Размер:"), this), 0, 2);
    grid->addWidget(families_, 1, 0);
    grid->addWidget(styles_, 1, 1);
    grid->addWidget(sizes_, 1, 2, Qt::AlignTop);
    grid->addWidget(effects, 2, 0);
    grid->addWidget(sampleBox, 2, 1, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 3);

    setCurrentFont(font);

    connect(families_, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    connect(styles_, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    connect(sizes_, &QComboBox::currentTextChanged, this, [this] { updateSample(); });
    connect(strikeOut_, &QCheckBox::toggled, this, [this] { updateSample(); });
    connect(underline_, &QCheckBox::toggled, this, [this] { updateSample(); });
    connect(colors_, &QComboBox::currentIndexChanged, this, [this] { updateSample(); });
}

TFont TFontChooserDialog::currentFont() const
{
    TFont font = base_;
    if (const QListWidgetItem* item = families_->currentItem())
        font.setName(item->text());
    const int styleRow = styles_->currentRow();
    unsigned style = font.style & ~kShapeBits;
    if (styleRow >= 0)
        style |= kStyleRows[styleRow];
    else
        style |= base_.style & kShapeBits;
    style &= ~unsigned(TFont::Underline | TFont::StrikeOut);
    if (underline_->isChecked())
        style |= TFont::Underline;
    if (strikeOut_->isChecked())
        style |= TFont::StrikeOut;
    font.style = style;
    bool ok = false;
    const int size = sizes_->currentText().toInt(&ok);
    if (ok && size >= kMinSize && size <= kMaxSize)
        font.size = size;
    if (colors_->currentIndex() >= 0)
        font.color = colors_->currentData().toInt();
    return font;
}

void TFontChooserDialog::setCurrentFont(const TFont& font)
{
    base_ = font;
    selectFamily(font.name);
    const auto row = std::find(std::begin(kStyleRows), std::end(kStyleRows), font.style & kShapeBits);
    styles_->setCurrentRow(int(row - std::begin(kStyleRows)));
    sizes_->setCurrentText(QString::number(font.size));
    underline_->setChecked(font.underline());
    strikeOut_->setChecked(font.strikeOut());
    selectColor(font.color);
    updateSample();
}

void TFontChooserDialog::selectFamily(const QString& name)
{
    // A name the desktop does not list (one resolved by substitution, say) is
    // offered as it is, so the name kept is the one chosen.
    const auto found = families_->findItems(name, Qt::MatchFixedString);
    if (!found.isEmpty()) {
        families_->setCurrentItem(found.first());
        return;
    }
    int row = 0;
    while (row < families_->count() && families_->item(row)->text().compare(name, Qt::CaseInsensitive) < 0)
        ++row;
    families_->insertItem(row, name);
    families_->setCurrentRow(row);
}

void TFontChooserDialog::selectColor(TColor color)
{
    int index = colors_->findData(QVariant::fromValue<int>(color));
    if (index < 0) {
        colors_->addItem(colorSwatch(color, kSwatchSize), QStringLiteral("Custom"), QVariant::fromValue<int>(color));
        index = colors_->count() - 1;
    }
    colors_->setCurrentIndex(index);
}

void TFontChooserDialog::updateSample()
{
    const TFont font = currentFont();
    sample_->setFont(font.toQFont());
    QPalette p = sample_->palette();
    p.setColor(QPalette::WindowText, toQColor(font.color));
    sample_->setPalette(p);
}

void TFontChooserDialog::pressApply()
{
    if (onApply)
        onApply();
}

bool TFontDialog::Execute()
{
    TFontChooserDialog dialog(Font, owner_);
    dialog.onApply = [this, &dialog] {
        Font = dialog.currentFont();
        runHandler(OnApply);
    };
    const bool accepted = platform().execDialog(dialog) == QDialog::Accepted;
    if (accepted)
        Font = dialog.currentFont();
    runHandler(OnClose);
    return accepted;
}

}  // namespace pvstim
