#include "core/print/CaptionText.h"

#include <QCoreApplication>

namespace quorvel {

namespace {

const char *const kLabels[CaptionText::kFieldCount] = {
    QT_TRANSLATE_NOOP("CaptionText", "Camera"),       QT_TRANSLATE_NOOP("CaptionText", "Date/time"),
    QT_TRANSLATE_NOOP("CaptionText", "ISO"),          QT_TRANSLATE_NOOP("CaptionText", "Focal length"),
    QT_TRANSLATE_NOOP("CaptionText", "Aperture"),     QT_TRANSLATE_NOOP("CaptionText", "Exposure"),
};

} // namespace

QList<CaptionText::MenuItem> CaptionText::menu(const FieldTexts &fields, bool hasExif)
{
    QList<MenuItem> items;
    if (!hasExif) {
        items.append({QCoreApplication::translate("CaptionText", "This file does not contain EXIF data"), false,
                      false, -1});
        items.append({QString(), false, true, -1});
    }
    for (int i = 0; i < kFieldCount; ++i)
        items.append({QCoreApplication::translate("CaptionText", kLabels[i]),
                      hasExif && !fields[size_t(i)].trimmed().isEmpty(), false, i});
    return items;
}

QString CaptionText::withField(const QString &text, const QString &field)
{
    const QString value = field.trimmed();
    if (value.isEmpty())
        return text;
    if (!text.isEmpty() && text.back().isLetterOrNumber())
        return text + QLatin1Char(' ') + value;
    return text + value;
}

} // namespace quorvel
