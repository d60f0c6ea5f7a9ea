#pragma once

#include <QList>
#include <QString>

#include <array>

namespace quorvel {

// The caption text of the final step and what the "Insert info from EXIF"
// menu adds to it.
class CaptionText
{
public:
    // The fields the menu offers, in menu order.
    enum class Field { Camera, DateTime, Iso, FocalLength, Aperture, Exposure };
    static constexpr int kFieldCount = 6;

    // The field's display text as the EXIF formatters give it, empty when
    // the file does not have the field.
    using FieldTexts = std::array<QString, kFieldCount>;

    struct MenuItem
    {
        QString label;    // translated
        bool enabled = false;
        bool separator = false; // a separator line (no label)
        int field = -1;   // index into FieldTexts, -1 for the note and the separator
    };

    // The menu for a file: one entry per field, enabled when the file has
    // it; a file without EXIF data gets a disabled note and a separator
    // first.
    static QList<MenuItem> menu(const FieldTexts &fields, bool hasExif);

    // The text with a field appended: the field trimmed, nothing when that
    // leaves it empty, and one space between when the text ends in a letter
    // or a digit.
    static QString withField(const QString &text, const QString &field);
};

} // namespace quorvel
