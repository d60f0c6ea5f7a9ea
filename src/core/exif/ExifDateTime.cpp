#include "core/exif/ExifDateTime.h"

#include "core/exif/ExifNumberText.h"

namespace quorvel {

bool parseExifDateTime(QStringView text, DateTimeRecord &out)
{
    out = DateTimeRecord();
    if (text.size() != 19)
        return false;
    if (text[4] != u':' || text[7] != u':' || text[13] != u':' || text[16] != u':' || text[10] != u' ')
        return false;
    const auto part = [&](qsizetype from, qsizetype length) {
        return quint16(numbertext::leadingInt(text.mid(from, length)));
    };
    out.year = part(0, 4);
    out.month = part(5, 2);
    out.day = part(8, 2);
    out.hour = part(11, 2);
    out.minute = part(14, 2);
    out.second = part(17, 2);
    return true;
}

} // namespace quorvel
