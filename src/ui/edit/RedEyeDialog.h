#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QSlider;

namespace quorvel {

// "Fix red eyes": the red component limit on a slider, and the selected
// area as it would look with the rule applied at that limit.
class RedEyeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RedEyeDialog(const QImage &area, QWidget *parent = nullptr);

    int limit() const;
    void setLimit(int limit);
    QSlider *slider() const { return m_slider; }
    QLabel *numberLabel() const { return m_number; }
    // The area treated at the current limit, as the preview shows it.
    QImage treatedArea() const;

private:
    QImage m_area;
    QSlider *m_slider = nullptr;
    QLabel *m_number = nullptr;
    QWidget *m_preview = nullptr;
};

} // namespace quorvel
