#pragma once

#include <QDialog>

class QLabel;
class QSlider;

namespace quorvel {

// "Set JPEG compression level": a slider from 30 (small files) to 100 (best
// pictures) that starts at the stored "JpegLevel"; OK stores it.
class JpegQualityDialog : public QDialog
{
    Q_OBJECT
public:
    explicit JpegQualityDialog(QWidget *parent = nullptr);

    int value() const;
    void setValue(int quality);
    QSlider *slider() const { return m_slider; }
    QLabel *numberLabel() const { return m_number; }

    // Runs the dialog and returns the stored quality afterwards (the chosen
    // one after OK, the unchanged setting otherwise).
    static int choose(QWidget *parent);

    void accept() override;

private:
    QSlider *m_slider = nullptr;
    QLabel *m_number = nullptr;
};

} // namespace quorvel
