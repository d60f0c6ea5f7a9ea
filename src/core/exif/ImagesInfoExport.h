#pragma once

#include "core/exif/ExifFields.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvel {

class FileListModel;

// The image-information export: a tab-separated text file with one line per
// row of the file list, for spreadsheets and the like.
//
//   ;You can use this file for different statistics, ...
//   N  File_Name  Camera  Exposure  Aperture  ISO  Focal length
//   1  IMG_0001.JPG  Canon_EOS_10D  0,01  5,60  100  50,00
//
// Numbers carry a decimal comma and two decimals; spaces in names become
// '_'. Lines end with CR LF on every platform, and the text is UTF-8.
namespace imagesinfo {

// The comment line and the header line, each ended by "\n".
QString header();

// One line without its ending: the row number, the file's name and its
// fields, each absent field as "unknown", "0,0" or "0".
QString line(int number, const QString &fileName, const ExifFields &fields, bool fieldsRead);

// A row of the export: the listed file and, when the list read them
// already, its fields as read.
struct ListedFile
{
    QString path;
    std::optional<ExifRecord> known;
};

// The whole file for the listed files, in order: header, then the rows
// numbered from 1. A link stands for its target. The fields of a file are
// read only when the row does not hold them already.
QByteArray listedFileText(const QList<ListedFile> &listed);
QByteArray fileText(const QStringList &listedPaths);

// The paths of the rows the list shows, top to bottom.
QStringList listedPaths(const FileListModel &model);
// The same with the fields the list read for its EXIF view.
QList<ListedFile> listedFiles(const FileListModel &model);

} // namespace imagesinfo

// Writes the export of the listed paths to outputPath, replacing the file
// only once the new one is complete. False, with the reason in *error, when
// it cannot be written.
bool exportImagesInfo(const QString &outputPath, const QStringList &listedPaths, QString *error = nullptr);
// The same for the rows as the list holds them (imagesinfo::listedFiles).
bool exportListedFiles(const QString &outputPath, const QList<imagesinfo::ListedFile> &listed, QString *error = nullptr);

} // namespace quorvel
