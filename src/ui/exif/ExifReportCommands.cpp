#include "ui/exif/ExifReportCommands.h"

#include "core/exif/ImagesInfoExport.h"
#include "core/files/FileListModel.h"
#include "core/files/PathUtil.h"
#include "ui/exif/ExifStatisticsDialog.h"
#include "ui/fileops/DesktopOpen.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quorvel {

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("exportImagesInfo", source);
}

} // namespace

void showExifStatistics(QWidget *parent, const FileListModel &list)
{
    ExifStatisticsDialog dialog(list.folder(), list.names(), parent, list.exifRecordsByScanIndex());
    dialog.exec();
}

void exportImagesInfo(QWidget *parent, const FileListModel &list)
{
    const QString path = QFileDialog::getSaveFileName(parent, text(QT_TRANSLATE_NOOP("exportImagesInfo", "Choose file for save")),
                                                      joinPath(list.folder(), QStringLiteral("stat.txt")),
                                                      text(QT_TRANSLATE_NOOP("exportImagesInfo", "Text files (*.txt)")));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    const bool written = exportListedFiles(path, imagesinfo::listedFiles(list), &error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        QMessageBox::warning(parent, text(QT_TRANSLATE_NOOP("exportImagesInfo", "Warning")), error);
        return;
    }
    openWithDesktop(parent, path);
}

} // namespace quorvel
