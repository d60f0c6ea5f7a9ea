#include "core/exif/ImagesInfoExport.h"

#include "core/exif/ExifInfo.h"
#include "core/exif/ExifNumberText.h"
#include "core/files/FileListModel.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "core/files/SafeWrite.h"

#include <QCoreApplication>
#include <QtConcurrent>

#include <numeric>
#include <vector>

namespace quorvel::imagesinfo {

namespace {

// Spaces become '_' so that every field is one word; tabs and line breaks
// too, as they would break the columns and lines apart.
QString oneWord(QString text)
{
    for (QChar &c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            c = u'_';
    }
    return text;
}

QString decimalComma(double value)
{
    QString text = numbertext::fixed(value, 2);
    text.replace(u'.', u',');
    return text;
}

struct ReadRow
{
    QString fileName;
    ExifFields fields;
    bool read = false;
};

ReadRow readRow(const ListedFile &listed)
{
    ReadRow row;
    const QString path = link::effectivePath(listed.path);
    row.fileName = fileNameOf(path);
    if (listed.known) {
        row.read = listed.known->read;
        row.fields = row.read ? listed.known->fields : ExifFields();
        return row;
    }
    ExifInfo info;
    row.read = info.read(path);
    row.fields = info.fields();
    return row;
}

} // namespace

QString header()
{
    return QCoreApplication::translate(
        "exportImagesInfo", ";You can use this file for different statistics, for example, to show graphs in Excel\n"
                            "N\tFile_Name\tCamera\tExposure\tAperture\tISO\tFocal length\n");
}

QString line(int number, const QString &fileName, const ExifFields &fields, bool fieldsRead)
{
    ExifInfo info;
    if (fieldsRead)
        info.assign(fields);
    QString model;
    float seconds = 0.0f, fNumber = 0.0f, focal = 0.0f;
    const QStringList cells{
        QString::number(number),
        oneWord(fileName),
        info.getModel(model) ? oneWord(model) : QStringLiteral("unknown"),
        info.getExposure(seconds) ? decimalComma(seconds) : QStringLiteral("0,0"),
        info.getFNumber(fNumber) ? decimalComma(fNumber) : QStringLiteral("0,0"),
        QString::number(info.iso()),
        info.getFocalLength(focal) ? decimalComma(focal) : QStringLiteral("0"),
    };
    return cells.join(u'\t');
}

QByteArray fileText(const QStringList &listedPaths)
{
    QList<ListedFile> listed;
    listed.reserve(listedPaths.size());
    for (const QString &path : listedPaths)
        listed.append({path, std::nullopt});
    return listedFileText(listed);
}

QByteArray listedFileText(const QList<ListedFile> &listed)
{
    // Reading the fields and writing out each line run on every core; a
    // line holds no line break of its own (see oneWord).
    std::vector<qsizetype> positions(size_t(listed.size()));
    std::iota(positions.begin(), positions.end(), 0);
    const QList<QByteArray> lines =
        QtConcurrent::blockingMapped<QList<QByteArray>>(positions, [&listed](qsizetype i) {
            const ReadRow row = readRow(listed.at(i));
            return (line(int(i + 1), row.fileName, row.fields, row.read) + QStringLiteral("\r\n")).toUtf8();
        });
    QByteArray text = header().replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toUtf8();
    qsizetype size = text.size();
    for (const QByteArray &bytes : lines)
        size += bytes.size();
    text.reserve(size);
    for (const QByteArray &bytes : lines)
        text += bytes;
    return text;
}

QStringList listedPaths(const FileListModel &model)
{
    QStringList paths;
    for (int row = 0; row < model.rowCount(); ++row)
        paths.append(model.pathAt(row));
    return paths;
}

QList<ListedFile> listedFiles(const FileListModel &model)
{
    QList<ListedFile> files;
    files.reserve(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        const ExifRecord *known = model.exifRecordAt(row);
        files.append({model.pathAt(row), known ? std::optional<ExifRecord>(*known) : std::nullopt});
    }
    return files;
}

} // namespace quorvel::imagesinfo

namespace quorvel {

bool exportImagesInfo(const QString &outputPath, const QStringList &listedPaths, QString *error)
{
    return safewrite::writeFile(outputPath, imagesinfo::fileText(listedPaths), error);
}

bool exportListedFiles(const QString &outputPath, const QList<imagesinfo::ListedFile> &listed, QString *error)
{
    return safewrite::writeFile(outputPath, imagesinfo::listedFileText(listed), error);
}

} // namespace quorvel
