#include "ui/edit/RedEyeDialog.h"

#include "core/edit/RedEyeFilter.h"
#include "core/imaging/DisplayEngine.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <functional>

namespace quorvel {

namespace {

// Draws whatever its source gives, fitted, inside a black frame.
class AreaPreview : public QWidget
{
public:
    AreaPreview(std::function<QImage()> source, QWidget *parent)
        : QWidget(parent)
        , m_source(std::move(source))
    {
        setObjectName(QStringLiteral("RedEyePreview"));
        setMinimumSize(160, 120);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QImage treated = m_source();
        if (!treated.isNull())
            drawFitted(painter, treated, rect().adjusted(1, 1, -1, -1));
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    std::function<QImage()> m_source;
};

} // namespace

RedEyeDialog::RedEyeDialog(const QImage &area, QWidget *parent)
    : QDialog(parent)
    , m_area(area)
{
    setWindowTitle(tr("Fix red eyes"));

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("RedLimitSlider"));
    m_slider->setRange(RedEyeFilter::kMinLimit, RedEyeFilter::kMaxLimit);
    m_slider->setValue(RedEyeFilter::kDefaultLimit);
    m_slider->setPageStep(10);
    m_slider->setMinimumWidth(200);

    m_number = new QLabel(this);
    m_number->setObjectName(QStringLiteral("RedLimitValue"));
    m_number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wide enough for the largest limit, so the slider does not jump.
    m_number->setMinimumWidth(m_number->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    m_number->setNum(m_slider->value());
    connect(m_slider, &QSlider::valueChanged, m_number, qOverload<int>(&QLabel::setNum));

    m_preview = new AreaPreview([this] { return treatedArea(); }, this);
    connect(m_slider, &QSlider::valueChanged, m_preview, qOverload<>(&QWidget::update));

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Red component limit:"), this), 0, 0);
    auto *sliderRow = new QHBoxLayout;
    sliderRow->addWidget(m_slider, 1);
    sliderRow->addWidget(m_number);
    layout->addLayout(sliderRow, 1, 0);
    layout->addWidget(new QLabel(tr("Preview"), this), 2, 0);
    layout->addWidget(m_preview, 3, 0);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    layout->addLayout(buttons, 0, 1, 4, 1);
    layout->setRowStretch(3, 1);
    resize(360, 300);
}

int RedEyeDialog::limit() const
{
    return m_slider->value();
}

void RedEyeDialog::setLimit(int limit)
{
    m_slider->setValue(limit);
}

QImage RedEyeDialog::treatedArea() const
{
    QImage treated = m_area.copy();
    RedEyeFilter::apply(treated, treated.rect(), limit());
    return treated;
}

} // namespace quorvel
