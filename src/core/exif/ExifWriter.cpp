#include "core/exif/ExifWriter.h"

#include "core/exif/ExifBlockEditor.h"
#include "core/exif/ExifIntegrity.h"
#include "core/exif/ExifValueCheck.h"
#include "core/exif/JpegSegments.h"
#include "core/fileops/FileTimes.h"
#include "core/fileops/FileReplace.h"
#include "core/files/FileAccess.h"
#include "core/files/InPlaceWrite.h"
#include "core/files/SafeWriter.h"

#include <QFile>

#include <tuple>

namespace quorvel {

namespace {

using Dir = ExifBlockEditor::Dir;
constexpr quint16 kAscii = ExifBlockEditor::kAscii;
constexpr quint16 kShort = ExifBlockEditor::kShort;
constexpr quint16 kRational = ExifBlockEditor::kRational;

constexpr quint16 kModel = 0x0110;
constexpr quint16 kDateTimeOriginal = 0x9003;
constexpr quint16 kIso = 0x8827;
constexpr quint16 kFNumber = 0x829D;
constexpr quint16 kFocalLength = 0x920A;


// Sets the tag where the file keeps it (its standard directory, else the
// other one if it sits there), or adds it to the standard directory.
bool setTag(ExifBlockEditor &block, Dir standard, quint16 tag, quint16 type, const QByteArray &value)
{
    const Dir other = standard == Dir::Image ? Dir::Photo : Dir::Image;
    const Dir dir = !block.find(standard, tag) && block.find(other, tag) ? other : standard;
    const quint32 count = quint32(value.size() / ExifBlockEditor::typeSize(type));
    return block.set(dir, tag, type, count, value);
}

bool removeTag(ExifBlockEditor &block, quint16 tag)
{
    return block.remove(Dir::Image, tag) && block.remove(Dir::Photo, tag);
}

bool applyFields(ExifBlockEditor &block, const ExifFields &f, int which)
{
    bool ok = true;
    if (which & WriteModel) {
        ok = (f.model.isEmpty() ? removeTag(block, kModel)
                                : setTag(block, Dir::Image, kModel, kAscii, block.ascii(f.model.toUtf8())))
            && ok;
    }
    if (which & WriteDate) {
        ok = (f.dateTimeOriginal.isEmpty()
                  ? removeTag(block, kDateTimeOriginal)
                  : setTag(block, Dir::Photo, kDateTimeOriginal, kAscii, block.ascii(f.dateTimeOriginal.toUtf8())))
            && ok;
    }
    if (which & WriteIso) {
        if (f.iso == 0)
            ok = removeTag(block, kIso) && ok;
        else if (f.iso > 0 && f.iso <= 0xFFFF)
            ok = setTag(block, Dir::Photo, kIso, kShort, block.shortValue(quint16(f.iso))) && ok;
    }
    for (const auto &[tag, value, bit] : {std::tuple{kFNumber, f.fNumber, int(WriteFNumber)},
                                          std::tuple{kFocalLength, f.focalLength, int(WriteFocalLength)}}) {
        if (!(which & bit))
            continue;
        if (value == 0.0f) {
            ok = removeTag(block, tag) && ok;
        } else if (const auto n = ExifValueCheck::tenths(value)) {
            ok = setTag(block, Dir::Photo, tag, kRational, block.rationalValue(*n, 10)) && ok;
        }
    }
    return ok;
}

bool wantsAnyTag(const ExifFields &f, int which)
{
    return ((which & WriteModel) && !f.model.isEmpty()) || ((which & WriteDate) && !f.dateTimeOriginal.isEmpty())
        || ((which & WriteIso) && f.iso != 0) || ((which & WriteFNumber) && f.fNumber != 0.0f)
        || ((which & WriteFocalLength) && f.focalLength != 0.0f);
}

ExifWriteResult result(ExifWriteResult::Status status, const QString &detail = QString())
{
    ExifWriteResult r;
    r.status = status;
    r.detail = detail;
    return r;
}

} // namespace

QString ExifWriteResult::message() const
{
    QString text;
    switch (status) {
    case Written: return QString();
    case CannotOpen: text = QCoreApplication::translate("ExifWriter", "Cannot open file"); break;
    case NotSupported: text = QCoreApplication::translate("ExifWriter", "This format is not supported yet."); break;
    case CannotWrite: text = QCoreApplication::translate("ExifWriter", "Cannot change EXIF data"); break;
    case InvalidValue: return detail;
    case WouldDamage:
        text = QCoreApplication::translate("ExifWriter", "The file was not changed: its other EXIF data (such as the camera's maker note) would not "
                  "have survived the change.");
        break;
    }
    return detail.isEmpty() ? text : text + QLatin1Char('\n') + detail;
}

ExifWriteResult applyExifFields(QByteArray &file, const ExifFields &fields, int which)
{
    // A value that cannot be stored is refused before the file is looked at.
    const ExifValueCheck::Result values = ExifValueCheck::check(fields, which);
    if (!values.ok())
        return result(ExifWriteResult::InvalidValue, values.message);
    const jpegsegments::Layout layout = jpegsegments::walk(file);
    if (!layout.ok)
        return result(ExifWriteResult::NotSupported);

    const int exif = layout.exifIndex(file);
    QByteArray oldBlock;
    qsizetype replaceFrom = 0, replaceLength = 0;
    if (exif >= 0) {
        const auto &s = layout.segments[exif];
        oldBlock = file.mid(s.dataStart + jpegsegments::kExifIdSize, s.dataLength - jpegsegments::kExifIdSize);
        replaceFrom = s.start;
        replaceLength = s.end() - s.start;
    } else {
        if (!wantsAnyTag(fields, which))
            return result(ExifWriteResult::Written);
        // A new EXIF segment goes after SOI, or after a leading JFIF segment.
        const int jfif = layout.jfifIndex(file);
        replaceFrom = jfif == 0 ? layout.segments[0].end() : 2;
    }

    ExifBlockEditor block = exif >= 0 ? ExifBlockEditor(oldBlock) : ExifBlockEditor();
    if (!block.isValid())
        return result(ExifWriteResult::CannotWrite, QCoreApplication::translate("ExifWriter", "The file's EXIF data is damaged."));
    if (!applyFields(block, fields, which))
        return result(ExifWriteResult::CannotWrite, QCoreApplication::translate("ExifWriter", "The file's EXIF data is damaged."));
    if (block.block() == oldBlock)
        return result(ExifWriteResult::Written);

    const qsizetype content = jpegsegments::kExifIdSize + block.block().size();
    if (content > jpegsegments::kMaxSegmentData)
        return result(ExifWriteResult::CannotWrite, QCoreApplication::translate("ExifWriter", "The EXIF data would not fit into the file's EXIF segment."));

    if (exif >= 0) {
        const QString damage = exifintegrity::changedEntries(oldBlock, block.block());
        if (!damage.isEmpty())
            return result(ExifWriteResult::WouldDamage, damage);
    }

    QByteArray segment;
    segment.reserve(4 + content);
    segment.append(char(0xFF)).append(char(jpegsegments::kApp1));
    segment.append(char((content + 2) >> 8)).append(char((content + 2) & 0xFF));
    segment.append("Exif\0\0", 6).append(block.block());
    file.replace(replaceFrom, replaceLength, segment);
    return result(ExifWriteResult::Written);
}

ExifWriteResult writeExifFields(const QString &path, const ExifFields &fields, int which)
{
    QFile in;
    FileIdentity identity;
    QString reason;
    if (!FileAccess::openForReading(in, path, &reason, &identity))
        return result(ExifWriteResult::CannotOpen, reason);
    // Only the header segments are read and changed; the picture data after
    // them is copied across a chunk at a time.
    QByteArray header;
    if (!jpegsegments::readHeader(in, header))
        return result(ExifWriteResult::NotSupported);
    const QByteArray original = header;
    ExifWriteResult r = applyExifFields(header, fields, which);
    if (!r.ok() || header == original)
        return r;

    const FileTimes times = timesOf(in);
    // New values of the same size change a few bytes where they lie: those
    // alone are written when they share one sector of the file.
    if (header.size() == original.size()) {
        qsizetype first = 0;
        while (header.at(first) == original.at(first))
            ++first;
        qsizetype last = header.size() - 1;
        while (header.at(last) == original.at(last))
            --last;
        const qsizetype length = last - first + 1;
        QString error;
        switch (InPlaceWrite::write(path, first, header.mid(first, length), original.mid(first, length), identity,
                                    times.lastAccess, times.lastWrite, &error)) {
        case InPlaceWrite::Outcome::Written: return r;
        case InPlaceWrite::Outcome::Failed: return result(ExifWriteResult::CannotWrite, error);
        case InPlaceWrite::Outcome::NotInPlace: break;
        }
    }
    ReplaceOptions options;
    options.times = &times;
    options.expected = &identity;
    QString error;
    const auto content = [&](SafeWriter &writer) { return writer.write(header) && writer.copyFrom(in, path); };
    if (!replaceFile(path, content, options, &error))
        return result(ExifWriteResult::CannotWrite, error);
    return r;
}

} // namespace quorvel
