#include "ui/fileops/PreviewBox.h"

#include "core/imaging/DisplayEngine.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Resampler.h"
#include "core/imaging/ZoomMath.h"
#include "core/settings/AppSettings.h"

#include <QPainter>
#include <QtConcurrent>

namespace quorvel {

namespace {

QImage decodeReduced(const QString &path, bool applyOrientation)
{
    DecodeOptions options;
    options.applyOrientation = applyOrientation;
    const DecodeResult decoded = ImageDecoder::decodeFile(path, options);
    if (!decoded.ok())
        return QImage();
    const QSize size = decoded.image.size();
    if (size.width() <= PreviewBox::kKeptSide && size.height() <= PreviewBox::kKeptSide)
        return decoded.image;
    return Resampler::scaled(decoded.image, zoom::fitInto(size, QSize(PreviewBox::kKeptSide, PreviewBox::kKeptSide)),
                             InterpolationHighQualityBicubic);
}

} // namespace

PreviewBox::PreviewBox(QWidget *parent)
    : QWidget(parent)
{
    connect(&m_watcher, &QFutureWatcher<QImage>::finished, this, [this] {
        // A watcher that was given another file meanwhile reports that one.
        if (m_watcher.future().resultCount() > 0)
            m_picture = m_watcher.result();
        update();
        Q_EMIT loaded();
    });
}

PreviewBox::~PreviewBox()
{
    m_watcher.waitForFinished();
}

void PreviewBox::setFile(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    m_picture = QImage();
    update();
    if (path.isEmpty()) {
        m_watcher.setFuture(QFuture<QImage>());
        return;
    }
    m_watcher.setFuture(QtConcurrent::run(decodeReduced, path, globalSettings().rotateByExif != 0));
}

void PreviewBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect drawn = drawFitted(painter, m_picture, rect().adjusted(1, 1, -1, -1));
    if (drawn.isEmpty())
        return;
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(drawn.adjusted(-1, -1, 0, 0));
}

} // namespace quorvel
