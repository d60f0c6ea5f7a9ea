#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QWidget>

namespace quorvel {

// A picture of a file fitted into the box, centred, with a one-pixel black
// frame one pixel outside it: the preview of the version and wallpaper
// dialogs. The file is decoded on a worker thread; a file that cannot be
// decoded shows nothing.
class PreviewBox : public QWidget
{
    Q_OBJECT
public:
    // The decoded picture is kept reduced to this size at most.
    static constexpr int kKeptSide = 1024;

    explicit PreviewBox(QWidget *parent = nullptr);
    ~PreviewBox() override;

    // Shows the file's picture; an empty path shows nothing.
    void setFile(const QString &path);
    const QString &file() const { return m_path; }
    bool isLoading() const { return m_watcher.isRunning(); }
    bool hasPicture() const { return !m_picture.isNull(); }

    QSize sizeHint() const override { return {240, 180}; }

Q_SIGNALS:
    // The file's picture was decoded (or could not be).
    void loaded();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_path;
    QImage m_picture;
    QFutureWatcher<QImage> m_watcher;
};

} // namespace quorvel
