#include "ui/print/PrintParametersDialog.h"

#include "core/print/PrintCaption.h"
#include "core/settings/AppSettings.h"
#include "ui/app/SettingsChoices.h"
#include "ui/edit/SaveMessages.h"
#include "ui/print/LengthField.h"
#include "ui/print/NewSizeDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace quorvel {

namespace {

void paintSwatch(QPushButton *button, const QColor &colour)
{
    QPixmap swatch(14, 14);
    swatch.fill(colour);
    button->setIcon(QIcon(swatch));
}

} // namespace

PrintParametersDialog::PrintParametersDialog(int startFormat, int formatCount, QWidget *parent)
    : QDialog(parent), m_font(CaptionStyle::defaultFont())
{
    const AppSettings &s = globalSettings();
    m_grid = new QGridLayout;
    m_grid->setColumnStretch(1, 1);
    int row = 0;

    m_formatList = new QComboBox(this);
    m_formatList->setObjectName(QStringLiteral("FormatList"));
    const FormatCatalogue catalogue;
    const int last = qBound(1, formatCount, FormatCatalogue::kCount);
    for (int i = 0; i < last; ++i)
        m_formatList->addItem(catalogue.at(i).shortName, i);
    const int startRow = m_formatList->findData(startFormat);
    m_formatList->setCurrentIndex(startRow >= 0 ? startRow : 2);
    m_rotate = new QToolButton(this);
    m_rotate->setText(tr("R"));
    m_rotate->setToolTip(tr("Rotate the frame"));
    m_grid->addWidget(new QLabel(tr("Format:"), this), row, 0);
    m_grid->addWidget(m_formatList, row, 1);
    m_grid->addWidget(m_rotate, row++, 2);

    m_dpi = new QLineEdit(s.printDpi, this);
    m_dpi->setObjectName(QStringLiteral("Resolution"));
    m_dpi->setValidator(new QIntValidator(0, PrintLimits::kMaxDpi, m_dpi));
    m_grid->addWidget(new QLabel(tr("Resolution, dpi:"), this), row, 0);
    m_grid->addWidget(m_dpi, row++, 1, 1, 2);

    m_photolab = new QCheckBox(tr("Use digital photolab field scaling"), this);
    m_photolab->setChecked(true);
    m_grid->addWidget(m_photolab, row++, 0, 1, 3);

    m_sizeText = new QLabel(this);
    m_sizeText->setObjectName(QStringLiteral("SizeText"));
    m_sizeText->setFrameShape(QFrame::StyledPanel);
    m_sizeText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_grid->addWidget(m_sizeText, row++, 0, 1, 3);

    m_frameWidth = new LengthField(0.0, s.defaultUnits, this);
    m_frameWidth->setValue(s.printFrameWidth);
    m_grid->addWidget(new QLabel(tr("Frame:"), this), row, 0);
    m_grid->addWidget(m_frameWidth, row++, 1, 1, 2);

    m_text = new QLineEdit(s.printText, this);
    m_text->setObjectName(QStringLiteral("PrintText"));
    m_grid->addWidget(new QLabel(tr("Text:"), this), row, 0);
    m_grid->addWidget(m_text, row++, 1, 1, 2);

    m_textHeight = new LengthField(0.2, s.defaultUnits, this);
    m_textHeight->setValue(s.printTextHeight);
    m_grid->addWidget(new QLabel(tr("Text height:"), this), row, 0);
    m_grid->addWidget(m_textHeight, row++, 1, 1, 2);

    m_margin = new LengthField(0.0, s.defaultUnits, this);
    m_margin->setValue(s.printTextMarginWidth);
    m_marginLabel = new QLabel(tr("Margin:"), this);
    m_grid->addWidget(m_marginLabel, row, 0);
    m_grid->addWidget(m_margin, row++, 1, 1, 2);

    m_fontButton = new QPushButton(tr("Font"), this);
    m_textColourButton = new QPushButton(tr("Text color..."), this);
    paintSwatch(m_textColourButton, m_textColour);
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontButton);
    fontRow->addWidget(m_textColourButton);
    m_grid->addLayout(fontRow, row++, 0, 1, 3);

    connect(m_formatList, &QComboBox::activated, this, &PrintParametersDialog::chooseFormat);
    connect(m_rotate, &QToolButton::clicked, this, [this] {
        toggleOrientation();
        updateSizeText();
    });
    connect(m_photolab, &QCheckBox::toggled, this, [this](bool on) {
        setPhotolab(on);
        updateSizeText();
    });
    connect(m_dpi, &QLineEdit::textChanged, this, [this](const QString &text) {
        setDpiText(text);
        updateSizeText();
    });
    for (LengthField *field : {m_frameWidth, m_margin, m_textHeight})
        connect(field, &LengthField::changed, this, [this] { drawingChanged(); });
    connect(m_text, &QLineEdit::textChanged, this, [this] { drawingChanged(); });
    connect(m_fontButton, &QPushButton::clicked, this, &PrintParametersDialog::chooseFont);
    connect(m_textColourButton, &QPushButton::clicked, this, &PrintParametersDialog::chooseTextColour);
}

int PrintParametersDialog::rowOf(int index) const
{
    return m_formatList->findData(index);
}

void PrintParametersDialog::chooseFormat(int row)
{
    const int index = m_formatList->itemData(row).toInt();
    if (row < 0 || !FormatCatalogue::isValidIndex(index))
        return;
    m_formatList->setCurrentIndex(row);
    setFormat(index);
    if (FormatCatalogue::isCustom(index)) {
        const PrintParameters::CustomSizePrompt prompt = parameters().customSizePrompt();
        NewSizeDialog dialog(index, prompt.caption, prompt.width, prompt.height, this);
        if (dialog.exec() == QDialog::Accepted)
            applyCustomSize(dialog.check());
    }
    updateSizeText();
}

void PrintParametersDialog::setVisible(bool visible)
{
    if (visible) {
        for (QPushButton *button : findChildren<QPushButton *>()) {
            button->setAutoDefault(false);
            button->setDefault(false);
        }
    }
    QDialog::setVisible(visible);
}

bool PrintParametersDialog::confirmOutputSize()
{
    const PrintParameters::SizeLimit limit = parameters().sizeLimit();
    if (!limit.exceeded)
        return true;
    const QString question = parameters().sizeLimitQuestion();
    if (question.isEmpty()) {
        savemessages::tell(this, parameters().sizeLimitMessage(), QMessageBox::Warning);
        return false;
    }
    if (!savemessages::ask(this, question, QMessageBox::Warning))
        return false;
    if (limit.fittingDpi > 0)
        m_dpi->setText(QString::number(limit.fittingDpi));
    return true;
}

void PrintParametersDialog::updateSizeText()
{
    // The size texts are written with Windows line ends; a label wants one.
    QString text = parameters().sizeText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_sizeText->setText(text);
}

void PrintParametersDialog::setTextColour(const QColor &colour)
{
    m_textColour = colour;
    paintSwatch(m_textColourButton, colour);
}

void PrintParametersDialog::chooseFont()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_font, this);
    if (!ok)
        return;
    // The face and the style are taken; the size stays, as the text height
    // field decides it.
    QFont font = m_font;
    font.setFamily(chosen.family());
    font.setStyleName(chosen.styleName());
    font.setBold(chosen.bold());
    font.setItalic(chosen.italic());
    font.setUnderline(chosen.underline());
    font.setStrikeOut(chosen.strikeOut());
    m_font = font;
    drawingChanged();
}

void PrintParametersDialog::chooseTextColour()
{
    const QColor colour = QColorDialog::getColor(m_textColour, this);
    if (!colour.isValid())
        return;
    setTextColour(colour);
    drawingChanged();
}

void PrintParametersDialog::done(int result)
{
    if (!m_stored) {
        m_stored = true;
        storeSettings();
    }
    QDialog::done(result);
}

void PrintParametersDialog::storeSettings() const
{
    // The resolution is stored as the number it counts as ("%d").
    const QString dpi = QString::number(qMax(0, m_dpi->text().toInt()));
    const QString frame = m_frameWidth->value();
    const QString height = m_textHeight->value();
    const QString margin = m_margin->value();
    const QString text = m_text->text();
    SettingsChoices::apply([&](AppSettings &s) {
        s.printDpi = dpi;
        s.printFrameWidth = frame;
        s.printTextHeight = height;
        s.printTextMarginWidth = margin;
        s.printText = text;
    });
}

} // namespace quorvel
