#include "ui/edit/CurvesDialog.h"

#include "core/edit/CurvePlot.h"
#include "core/edit/ToneCurvePresets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quorvel {

namespace {

// The curve area with room for its frame, which lies two pixels outside it
// on the left and bottom and one on the top and right.
class CurveArea : public QWidget
{
public:
    CurveArea(const CurvesAdjustment &adjustment, QWidget *parent)
        : QWidget(parent)
        , m_adjustment(adjustment)
    {
        setObjectName(QStringLiteral("CurveArea"));
        setFixedSize(CurvePlot::kSize + 4, CurvePlot::kSize + 4);
    }

    QRect area() const { return CurvePlot::areaIn(QRect(2, 1, CurvePlot::kSize, CurvePlot::kSize)); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(area(), palette().color(QPalette::Base));
        CurvePlot::paint(painter, area(), m_adjustment.curve());
    }

private:
    const CurvesAdjustment &m_adjustment;
};

} // namespace

CurvesDialog::CurvesDialog(QImage &edited, QWidget *parent)
    : QDialog(parent)
    , m_edited(edited)
    , m_working(edited)
{
    setWindowTitle(tr("Image adjustment"));

    auto *hint = new QLabel(tr("In this dialog you can correct the image, make it more dark or bright, highlight the "
                               "shadows, etc. Click <Presets> to select one."),
                            this);
    hint->setTextFormat(Qt::PlainText);
    hint->setWordWrap(true);

    m_presets = new QComboBox(this);
    m_presets->setObjectName(QStringLiteral("PresetList"));
    for (int row = 0; row < ToneCurvePresets::count(); ++row)
        m_presets->addItem(ToneCurvePresets::text(row), ToneCurvePresets::at(row).data);
    m_presets->setCurrentIndex(0);
    m_presets->setMaxVisibleItems(ToneCurvePresets::count());
    connect(m_presets, &QComboBox::currentIndexChanged, this, &CurvesDialog::choosePreset);

    m_curve = new CurveArea(m_adjustment, this);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    auto *reset = new QPushButton(tr("Reset"), this);
    reset->setAutoDefault(false);
    m_reset = reset;
    m_preview = new QCheckBox(tr("Preview"), this);
    m_preview->setChecked(true);
    connect(ok, &QPushButton::clicked, this, &CurvesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CurvesDialog::reject);
    connect(reset, &QPushButton::clicked, this, &CurvesDialog::reset);
    connect(m_preview, &QCheckBox::toggled, this, &CurvesDialog::showPreview);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addSpacing(12);
    buttons->addWidget(reset);
    buttons->addWidget(m_preview);
    buttons->addStretch(1);

    auto *layout = new QGridLayout(this);
    layout->addWidget(hint, 0, 0, 1, 2);
    auto *presetRow = new QHBoxLayout;
    presetRow->addWidget(new QLabel(tr("Presets:"), this));
    presetRow->addWidget(m_presets, 1);
    layout->addLayout(presetRow, 1, 0);
    layout->addWidget(m_curve, 2, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(buttons, 1, 1, 2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    hint->setMaximumWidth(m_curve->width() + 120);
}

void CurvesDialog::choosePreset(int row)
{
    if (m_adjustment.choosePreset(row))
        recompute();
}

void CurvesDialog::reset()
{
    m_adjustment.reset();
    const QSignalBlocker blocker(m_presets);
    m_presets->setCurrentIndex(m_adjustment.presetRow());
    recompute();
}

void CurvesDialog::recompute()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_working = m_adjustment.workingCopy(m_edited);
    QApplication::restoreOverrideCursor();
    showPreview();
    m_curve->update();
}

void CurvesDialog::showPreview()
{
    if (m_show)
        m_show(m_preview->isChecked() ? m_working : m_edited);
}

void CurvesDialog::accept()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool changed = m_adjustment.accept(m_edited);
    QApplication::restoreOverrideCursor();
    if (changed)
        QDialog::accept();
    else
        QDialog::reject();
}

} // namespace quorvel
