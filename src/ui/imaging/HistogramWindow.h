#pragma once

#include "core/imaging/ColourHistogram.h"

#include <QDialog>
#include <QImage>

namespace quorvel {

// The modeless "Histogram" window: the image's colours in the a*b* plane of
// CIE L*a*b* beside the RGB histogram. It exists only while shown.
class HistogramWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 520;
    static constexpr int kHeight = 255;

    explicit HistogramWindow(QWidget *owner);

    // Analyses the image (a null image clears the window) and repaints.
    void setImage(const QImage &image);
    const QImage &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ColourHistogram m_histogram;
    QImage m_picture;
};

} // namespace quorvel
