#include "core/exif/ExifEditRules.h"

#include "core/exif/ExifFieldTexts.h"
#include "core/exif/ExifNumberText.h"

namespace quorvel {

ExifEditRules::Texts ExifEditRules::textsOf(const ExifFields &fields)
{
    const ExifFieldTexts t = ExifFieldTexts::of(fields, ExifFieldTexts::Style::List);
    return Texts{fields.model, t.iso, t.focalLength, t.aperture};
}

ExifEditRules::IsoCheck ExifEditRules::checkIso(const QString &text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return IsoCheck::NotDigits;
    }
    QString digits = text;
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.size() > 5 || digits.toInt() > 65535)
        return IsoCheck::TooLarge;
    return IsoCheck::Ok;
}

QString ExifEditRules::isoMessage(IsoCheck check)
{
    switch (check) {
    case IsoCheck::Ok: return QString();
    case IsoCheck::NotDigits: return tr("ISO field must be digital only");
    case IsoCheck::TooLarge: return tr("ISO value cannot be greater than 65535");
    }
    return QString();
}

float ExifEditRules::parseAperture(const QString &text)
{
    QString t = text.toLower();
    t.remove(u'f');
    t.replace(u',', u'.');
    return float(numbertext::leadingDouble(t));
}

float ExifEditRules::parseFocal(const QString &text)
{
    QString t = text;
    t.replace(u',', u'.');
    QString kept;
    for (const QChar c : t) {
        if ((c >= u'0' && c <= u'9') || c == u'.')
            kept.append(c);
    }
    return float(numbertext::leadingDouble(kept));
}

QString ExifEditRules::dateText(const QDate &date, const QTime &time)
{
    if (!date.isValid())
        return QString();
    const QTime t = time.isValid() ? time : QTime(0, 0);
    return QString::asprintf("%d:%.2d:%.2d %.2d:%.2d:%.2d", date.year(), date.month(), date.day(), t.hour(),
                             t.minute(), t.second());
}

ExifFields ExifEditRules::fieldsFrom(const Texts &texts, const QDate &date, const QTime &time)
{
    ExifFields f;
    f.model = texts.camera;
    f.iso = texts.iso.isEmpty() ? 0 : texts.iso.toInt();
    f.fNumber = parseAperture(texts.aperture);
    f.focalLength = parseFocal(texts.focal);
    f.dateTimeOriginal = dateText(date, time);
    return f;
}

} // namespace quorvel
