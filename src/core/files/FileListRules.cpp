#include "core/files/FileListRules.h"

#include "core/exif/ExifFormat.h"

#include <QCoreApplication>

#include <array>
#include <cstdlib>

namespace quorvel::fileList {

namespace {

const std::array<ColumnInfo, 8> kColumns{{
    {Column::FileName, QT_TRANSLATE_NOOP("quorvel::FileList", "File name"), "FNameFld", 100},
    {Column::Aperture, QT_TRANSLATE_NOOP("quorvel::FileList", "Aperture"), "FFld", 40},
    {Column::Exposure, QT_TRANSLATE_NOOP("quorvel::FileList", "Exposure"), "ShutterFld", 50},
    {Column::Iso, "ISO", "IsoFld", 50},
    {Column::Focal, QT_TRANSLATE_NOOP("quorvel::FileList", "Focal"), "FocalFld", 60},
    {Column::Camera, QT_TRANSLATE_NOOP("quorvel::FileList", "Camera"), "CameraFld", 100},
    {Column::DateTime, QT_TRANSLATE_NOOP("quorvel::FileList", "Date/time original"), "DateFld", 90},
    {Column::Description, QT_TRANSLATE_NOOP("quorvel::FileList", "Description"), "DescrFld", 200},
}};

// strtod over the leading part of the text, as C reads a number.
double leadingNumber(const QString &text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    return std::strtod(bytes.constData(), nullptr);
}

long leadingInteger(const QString &text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    return std::strtol(bytes.constData(), nullptr, 10);
}

template <typename T>
int order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

double apertureValue(const QString &text)
{
    return leadingNumber(text.mid(1));
}

long isoValue(QString text)
{
    if (text.contains(QStringLiteral("auto")))
        text = QStringLiteral("iso1");
    if (text.startsWith(QStringLiteral("iso")))
        text = text.mid(3);
    return leadingInteger(text);
}

double focalValue(const QString &text)
{
    const qsizetype space = text.indexOf(u' ');
    return space < 0 ? 0.0 : leadingNumber(text.left(space));
}

} // namespace

const ColumnInfo &info(Column column)
{
    return kColumns[size_t(column)];
}

QString title(Column column)
{
    if (column == Column::Iso)
        return QStringLiteral("ISO");
    return QCoreApplication::translate("quorvel::FileList", info(column).title);
}

QVector<Column> columnsFor(int showMode)
{
    if (showMode == 0)
        return {Column::FileName, Column::Description};
    return {Column::FileName, Column::Aperture, Column::Exposure, Column::Iso,
            Column::Focal,    Column::Camera,   Column::DateTime, Column::Description};
}

int compareCells(Column column, const QString &first, const QString &second)
{
    const QString a = first.toLower();
    const QString b = second.toLower();
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (a.isEmpty())
        return 1;
    if (b.isEmpty())
        return -1;
    switch (column) {
    case Column::Aperture:
        return order(apertureValue(a), apertureValue(b));
    case Column::Exposure:
        return order(parseRationalText(a), parseRationalText(b));
    case Column::Iso:
        return order(isoValue(a), isoValue(b));
    case Column::Focal:
        return order(focalValue(a), focalValue(b));
    default:
        return QString::compare(a, b, Qt::CaseSensitive);
    }
}

bool passesFilter(const QString &lowerFilter, const QString &name, const QString &description, const ExifTexts *exif)
{
    if (lowerFilter.isEmpty())
        return true;
    if (name.toLower().contains(lowerFilter))
        return true;
    if (description.toLower().contains(lowerFilter))
        return true;
    return exif && concatenation(*exif).toLower().contains(lowerFilter);
}

QString concatenation(const ExifTexts &t)
{
    return t.camera + t.dateTime + t.exposure + t.aperture + t.iso + t.focalLength;
}

bool filterChanged(const QString &editText, const QString &lastApplied)
{
    return editText.trimmed() != lastApplied;
}

QString selectionStatusText(int selectedCount, int firstRow, int rowCount, qint64 s)
{
    if (selectedCount <= 0)
        return QString();
    static const char *const kFormats[2][3] = {
        {QT_TRANSLATE_NOOP("quorvel::FileList", ". %d/%d, %d b"),
         QT_TRANSLATE_NOOP("quorvel::FileList", ". %d/%d, %.1f Kb"),
         QT_TRANSLATE_NOOP("quorvel::FileList", ". %d/%d, %.1f Mb")},
        {QT_TRANSLATE_NOOP("quorvel::FileList", ". sel: %d/%d, %d b"),
         QT_TRANSLATE_NOOP("quorvel::FileList", ". sel: %d/%d, %.1f Kb"),
         QT_TRANSLATE_NOOP("quorvel::FileList", ". sel: %d/%d, %.1f Mb")},
    };
    const bool one = selectedCount == 1;
    const int first = one ? firstRow + 1 : selectedCount;
    const char *const *formats = kFormats[one ? 0 : 1];
    const auto format = [](const char *text) {
        return QCoreApplication::translate("quorvel::FileList", text).toUtf8();
    };
    if (s < 1024)
        return QString::asprintf(format(formats[0]).constData(), first, rowCount, int(s));
    if (s <= 1048575)
        return QString::asprintf(format(formats[1]).constData(), first, rowCount, double(s) / 1024);
    return QString::asprintf(format(formats[2]).constData(), first, rowCount, double(s) / 1048576);
}

} // namespace quorvel::fileList
