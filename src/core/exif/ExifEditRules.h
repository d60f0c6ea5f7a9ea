#pragma once

#include "core/exif/ExifFields.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>
#include <QTime>

namespace quorvel {

// The EXIF editor's texts and how they turn into the fields to write,
// without a window.
class ExifEditRules
{
    Q_DECLARE_TR_FUNCTIONS(ExifEditRules)

public:
    // What the boxes show at opening: the model as read, ISO plain ("Auto"
    // for automatic), "F%.1f", "%.1f mm"; absent fields leave their box empty.
    struct Texts
    {
        QString camera;
        QString iso;
        QString focal;
        QString aperture;
    };
    static Texts textsOf(const ExifFields &fields);

    enum class IsoCheck { Ok, NotDigits, TooLarge };
    // Empty passes; otherwise decimal digits only, at most 65535 (the
    // field is a 16-bit number).
    static IsoCheck checkIso(const QString &text);
    static QString isoMessage(IsoCheck check);

    // The aperture text lower-cased, every 'f' removed and ',' made '.',
    // read as a decimal number: "f2,8" is 2.8, "F/2.8" is 0.
    static float parseAperture(const QString &text);
    // The focal text with ',' made '.' and everything but digits and '.'
    // dropped, read as a decimal number: "35,5 mm" is 35.5.
    static float parseFocal(const QString &text);
    // "YYYY:MM:DD hh:mm:ss"; "" for an invalid date (the cleared picker).
    static QString dateText(const QDate &date, const QTime &time);

    // The record to write from the boxes (the ISO text already checked).
    static ExifFields fieldsFrom(const Texts &texts, const QDate &date, const QTime &time);
};

} // namespace quorvel
