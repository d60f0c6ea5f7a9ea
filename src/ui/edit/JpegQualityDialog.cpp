#include "ui/edit/JpegQualityDialog.h"

#include "core/edit/JpegEncoder.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace quorvel {

JpegQualityDialog::JpegQualityDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Set JPEG compression level"));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("QualitySlider"));
    m_slider->setRange(JpegEncoder::kMinQuality, JpegEncoder::kMaxQuality);
    m_slider->setTickInterval(5);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(5);
    m_slider->setMinimumWidth(240);
    m_slider->setValue(settings::jpegLevel(settingsStore()));

    // The slider alone shows no number: the quality is written beneath it.
    m_number = new QLabel(this);
    m_number->setObjectName(QStringLiteral("QualityValue"));
    m_number->setAlignment(Qt::AlignCenter);
    const auto showNumber = [this](int quality) { m_number->setText(tr("Quality: %1").arg(quality)); };
    showNumber(m_slider->value());
    connect(m_slider, &QSlider::valueChanged, this, showNumber);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("min size"), this), 0, 0);
    layout->addWidget(m_slider, 0, 1);
    layout->addWidget(new QLabel(tr("max size"), this), 0, 2);
    layout->addWidget(ok, 0, 3);
    layout->addWidget(m_number, 1, 1);
}

int JpegQualityDialog::value() const
{
    return m_slider->value();
}

void JpegQualityDialog::setValue(int quality)
{
    m_slider->setValue(quality);
}

void JpegQualityDialog::accept()
{
    settings::setJpegLevel(settingsStore(), m_slider->value());
    QDialog::accept();
}

int JpegQualityDialog::choose(QWidget *parent)
{
    JpegQualityDialog dialog(parent);
    dialog.exec();
    return settings::jpegLevel(settingsStore());
}

} // namespace quorvel
