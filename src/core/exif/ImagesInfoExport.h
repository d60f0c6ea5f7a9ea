#pragma once

#include "core/exif/ExifFields.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// The whole file for the listed paths, in order: header, then the rows
// numbered from 1. A link stands for its target.
QByteArray fileText(const QStringList &listedPaths);

// The paths of the rows the list shows, top to bottom.
QStringList listedPaths(const FileListModel &model);

} // namespace imagesinfo

// Writes the export of the listed paths to outputPath, replacing the file
// only once the new one is complete. False, with the reason in *error, when
// it cannot be written.
bool exportImagesInfo(const QString &outputPath, const QStringList &listedPaths, QString *error = nullptr);

} // namespace quorvel
