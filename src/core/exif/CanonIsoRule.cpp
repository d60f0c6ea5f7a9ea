#include "core/exif/CanonIsoRule.h"

#include <QtEndian>

#include <algorithm>

namespace quorvel::canoniso {

namespace {

constexpr qsizetype kEntrySize = 12;
constexpr quint16 kCameraSettingsTag = 1;
constexpr qsizetype kIsoIndex = 16;

} // namespace

std::optional<CameraSettings> findCameraSettings(QByteArrayView makerNote)
{
    if (makerNote.size() < 2)
        return std::nullopt;
    const uchar *bytes = reinterpret_cast<const uchar *>(makerNote.data());
    const qsizetype declared = qFromLittleEndian<quint16>(bytes);
    const qsizetype entries = std::min(declared, (makerNote.size() - 2) / kEntrySize);
    for (qsizetype i = 0; i < entries; ++i) {
        const uchar *entry = bytes + 2 + i * kEntrySize;
        if (qFromLittleEndian<quint16>(entry) != kCameraSettingsTag)
            continue;
        CameraSettings found;
        found.count = qFromLittleEndian<quint32>(entry + 4);
        found.offset = qFromLittleEndian<quint32>(entry + 8);
        return found;
    }
    return std::nullopt;
}

int isoFromCameraSettings(QByteArrayView bytes, quint32 count)
{
    const qsizetype values = std::min<qsizetype>(bytes.size(), kReadBytes) / 2;
    const uchar *data = reinterpret_cast<const uchar *>(bytes.data());
    const quint64 lengthInBytes = quint64(count) * 2;
    for (qsizetype p = 0; p < values; ++p) {
        if (qFromLittleEndian<quint16>(data + 2 * p) != lengthInBytes)
            continue;
        if (p + kIsoIndex >= values)
            return 0;
        switch (qFromLittleEndian<quint16>(data + 2 * (p + kIsoIndex))) {
        case 15: return 15;
        case 16: return 50;
        case 17: return 100;
        case 18: return 200;
        case 19: return 400;
        default: return 0;
        }
    }
    return 0;
}

} // namespace quorvel::canoniso
