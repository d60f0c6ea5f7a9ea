#pragma once

#include <QWidget>

namespace quorvel {

// The line near the bottom of the image view that shows how far a long job
// (a camera raw conversion, a full-size treatment) has come: red for the
// part done, grey for the rest.
class ProgressLineWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressLineWidget(QWidget *parent);
    // 0..100 shows the line; -1 hides it.
    void setPercent(int percent);
    int percent() const { return m_percent; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_percent = -1;
};

} // namespace quorvel
