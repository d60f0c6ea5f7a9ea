#pragma once

#include "core/exif/ExifFieldTexts.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace quorvel {

// The columns of the file list and the rules the list follows: column
// order, widths, sorting, filtering and the selection's status text.
namespace fileList {

enum class Column { FileName, Aperture, Exposure, Iso, Focal, Camera, DateTime, Description };

struct ColumnInfo
{
    Column column;
    const char *title;   // English header text
    const char *key;     // settings value for its width
    int defaultWidth;
};

const ColumnInfo &info(Column column);
QString title(Column column);

// The header in order for the short view (0) and the EXIF view (1).
QVector<Column> columnsFor(int showMode);

// Sort comparison of two cell texts of the column: negative, 0 or positive.
// Empty cells come after every other; the order is always ascending.
int compareCells(Column column, const QString &a, const QString &b);

// The EXIF texts of one file as the list shows them (the list style),
// empty where absent.
using ExifTexts = ExifFieldTexts;

// The filter's concatenation: camera, date/time, exposure, aperture, ISO
// and focal length, each only when present, without separators.
QString concatenation(const ExifTexts &texts);

// Whether a file passes the filter. lowerFilter is the filter text, already
// lower-cased; exif is consulted in the EXIF view only (pass null otherwise).
bool passesFilter(const QString &lowerFilter, const QString &name, const QString &description, const ExifTexts *exif);

// The filter text as applied: trimmed of blanks at both ends; a new
// application is due only when it differs from the last one applied.
bool filterChanged(const QString &editText, const QString &lastApplied);

// ". %d/%d, %.1f Kb" and its kin: position and size of the selection, or
// empty text with nothing selected. firstRow is 0-based.
QString selectionStatusText(int selectedCount, int firstRow, int rowCount, qint64 totalBytes);

} // namespace fileList
} // namespace quorvel
