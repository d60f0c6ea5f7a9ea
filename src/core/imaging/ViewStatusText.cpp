#include "core/imaging/ViewStatusText.h"

#include <QCoreApplication>

namespace quorvel::viewStatus {

QString facts(const QString &fileName, QSize size, int bitsPerPixel, const QString &listText)
{
    QString text = bitsPerPixel != 0
                       ? QCoreApplication::translate("quorvel::CQuorvelView", "%1: %2x%3, %4bpp").arg(fileName).arg(size.width()).arg(size.height()).arg(bitsPerPixel)
                       : QCoreApplication::translate("quorvel::CQuorvelView", "%1: %2x%3").arg(fileName).arg(size.width()).arg(size.height());
    return text + listText;
}

QString info(const QString &exifSummary, float zoom)
{
    const QString exif = exifSummary.isEmpty() ? QCoreApplication::translate("quorvel::CQuorvelView", "EXIF not present.") : exifSummary + u'.';
    return exif + u' ' + QCoreApplication::translate("quorvel::CQuorvelView", "Zoom: %1%.").arg(int(zoom));
}

QString notLoaded()
{
    return QCoreApplication::translate("quorvel::CQuorvelView", "File not loaded");
}

QString loading()
{
    return QCoreApplication::translate("quorvel::CQuorvelView", "Loading...");
}

} // namespace quorvel::viewStatus
