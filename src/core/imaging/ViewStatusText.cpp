#include "core/imaging/ViewStatusText.h"

#include <QCoreApplication>

namespace quorvel::viewStatus {

QString facts(const QString &fileName, QSize size, int bitsPerPixel, const QString &listText, bool damaged)
{
    QString text = bitsPerPixel != 0
                       ? QCoreApplication::translate("quorvel::ImageView", "%1: %2x%3, %4bpp").arg(fileName).arg(size.width()).arg(size.height()).arg(bitsPerPixel)
                       : QCoreApplication::translate("quorvel::ImageView", "%1: %2x%3").arg(fileName).arg(size.width()).arg(size.height());
    if (damaged)
        text += QCoreApplication::translate("quorvel::ImageView", ", damaged");
    return text + listText;
}

QString info(const QString &exifSummary, float zoom)
{
    const QString exif = exifSummary.isEmpty() ? QCoreApplication::translate("quorvel::ImageView", "EXIF not present.") : exifSummary + u'.';
    return exif + u' ' + QCoreApplication::translate("quorvel::ImageView", "Zoom: %1%.").arg(int(zoom));
}

QString notLoaded()
{
    return QCoreApplication::translate("quorvel::ImageView", "File not loaded");
}

QString loading()
{
    return QCoreApplication::translate("quorvel::ImageView", "Loading...");
}

} // namespace quorvel::viewStatus
