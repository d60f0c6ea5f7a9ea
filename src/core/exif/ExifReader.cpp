#include "core/exif/ExifReader.h"

#include "core/exif/CanonIsoRule.h"
#include "core/exif/ContainerExif.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifIfdWalker.h"
#include "core/exif/ExifCompanion.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/ExifTagDecoder.h"
#include "core/exif/Exiv2Include.h"
#include "core/exif/JpegExifBlock.h"

#include <QFile>

#include <algorithm>
#include <exception>

namespace quorvel {

namespace {

// The TIFF-based formats whose EXIF the metadata library reads. Other
// formats it knows are not handed to it: the program shows none of them
// with EXIF, and each parser is more code that a hostile file can reach.
bool isTiffBased(int imageType)
{
    return imageType == Exiv2::ImageType::tiff || imageType == Exiv2::ImageType::cr2
        || imageType == Exiv2::ImageType::orf || imageType == Exiv2::ImageType::rw2;
}

// The EXIF of a TIFF-based file, through the metadata library, which knows
// the raw formats' own layouts. False when the file is none of them.
bool loadTiffBased(ExifByteSource &source, Exiv2::ExifData &data)
{
    const QByteArrayView head = source.head();
    const int type = Exiv2::ImageFactory::getType(reinterpret_cast<const Exiv2::byte *>(head.data()),
                                                  long(head.size()));
    if (!isTiffBased(type))
        return false;
    const QByteArrayView bytes = source.memory();
    auto image = source.isFile() ? exiv2::openFile(QFile::encodeName(source.openPath()).toStdString())
                                 : exiv2::openMemory(bytes.data(), bytes.size());
    if (!image.get())
        return false;
    image->readMetadata();
    data = image->exifData();
    return true;
}

// Decodes the source's EXIF entries into data. False when the format is
// not one that carries EXIF here. Exiv2 exceptions pass through. For a
// container format *containerBlock receives the block, whose own offsets
// the maker-note rule then reads.
bool loadExifData(ExifByteSource &source, Exiv2::ExifData &data, QByteArray *containerBlock)
{
    if (jpegexif::isJpeg(source.head())) {
        const QByteArray block = jpegexif::find(source);
        if (block.isEmpty())
            return false;
        Exiv2::ExifParser::decode(data, reinterpret_cast<const Exiv2::byte *>(block.constData()),
                                  uint32_t(block.size()));
        return true;
    }
    if (containerexif::kindOf(source.head()) != containerexif::Kind::None) {
        *containerBlock = containerexif::find(source);
        if (containerBlock->isEmpty())
            return false;
        Exiv2::ExifParser::decode(data, reinterpret_cast<const Exiv2::byte *>(containerBlock->constData()),
                                  uint32_t(containerBlock->size()));
        return true;
    }
    return loadTiffBased(source, data);
}

// The ISO from a Canon maker note, or 0. The camera-settings offset counts
// from the start of the file, or of the block for a container format.
int canonMakerNoteIso(const exiftags::MakerNote &note, ExifByteSource &source, const QByteArray &containerBlock)
{
    if (!note.exists || note.typeCode != exiftags::kTypeUndefined)
        return 0;
    const auto settings = canoniso::findCameraSettings(note.bytes);
    if (!settings || settings->count == 0)
        return 0;
    const QByteArray bytes = containerBlock.isEmpty() ? source.read(settings->offset, canoniso::kReadBytes)
                                                      : containerBlock.mid(qsizetype(std::min<qint64>(
                                                                               settings->offset, containerBlock.size())),
                                                                           canoniso::kReadBytes);
    return canoniso::isoFromCameraSettings(bytes, settings->count);
}

// One trailing full stop goes, then leading and trailing blanks.
QString cleaned(QString text)
{
    if (text.endsWith(u'.'))
        text.chop(1);
    const auto blank = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    qsizetype from = 0, to = text.size();
    while (from < to && blank(text[from]))
        ++from;
    while (to > from && blank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

// The fields through the metadata library's decoding of every entry.
bool readFieldsThroughLibrary(ExifByteSource &source, ExifFields &out)
{
    initExifLibrary();
    try {
        Exiv2::ExifData data;
        QByteArray containerBlock;
        if (!loadExifData(source, data, &containerBlock) || data.empty())
            return false;
        exiftags::decodeSixTags(data, out);
        if (out.iso == 0 && out.model.contains(QLatin1String("Canon")))
            out.iso = canonMakerNoteIso(exiftags::findMakerNote(data), source, containerBlock);
    } catch (...) {
        // Exiv2::AnyError for damaged files, std::bad_alloc for absurd sizes:
        // either way the file has no EXIF the program can use.
        out = ExifFields();
        return false;
    }
    out.model = cleaned(out.model);
    out.dateTimeOriginal = cleaned(out.dateTimeOriginal);
    return true;
}

// A JPEG's or a container's block is walked for the six tags alone; only
// TIFF-based files go through the metadata library.
bool readFields(ExifByteSource &source, ExifFields &out)
{
    QByteArray containerBlock;
    exiftags::MakerNote note;
    bool found = false;
    if (jpegexif::isJpeg(source.head())) {
        const jpegexif::BlockPlace place = jpegexif::locate(source);
        found = place.size > 0 && exififd::readSixTags(source, place.offset, place.size, out, &note);
    } else if (containerexif::kindOf(source.head()) != containerexif::Kind::None) {
        containerBlock = containerexif::find(source);
        ExifByteSource block(containerBlock.constData(), containerBlock.size());
        found = !containerBlock.isEmpty() && exififd::readSixTags(block, 0, containerBlock.size(), out, &note);
    } else {
        return readFieldsThroughLibrary(source, out);
    }
    if (!found) {
        out = ExifFields();
        return false;
    }
    if (out.iso == 0 && out.model.contains(QLatin1String("Canon")))
        out.iso = canonMakerNoteIso(note, source, containerBlock);
    out.model = cleaned(out.model);
    out.dateTimeOriginal = cleaned(out.dateTimeOriginal);
    return true;
}

} // namespace

namespace {

bool readFromFile(const QString &path, ExifByteSource::Entry entry, ExifFields &out)
{
    out = ExifFields();
    if (path.isEmpty())
        return false;
    // A companion file that stands in for some raw files was not listed.
    const QString sourcePath = exifSourcePath(path);
    ExifByteSource source(sourcePath, sourcePath == path ? entry : ExifByteSource::Entry::Unchecked);
    if (!source.isOpen())
        return false;
    return readFields(source, out);
}

} // namespace

bool readExifFields(const QString &path, ExifFields &out)
{
    return readFromFile(path, ExifByteSource::Entry::Unchecked, out);
}

bool readListedExifFields(const QString &path, ExifFields &out)
{
    return readFromFile(path, ExifByteSource::Entry::ListedAsFile, out);
}

bool readExifFieldsFromMemory(const char *data, qint64 size, ExifFields &out)
{
    out = ExifFields();
    ExifByteSource source(data, size);
    return readFields(source, out);
}

bool readExifFieldsThroughLibrary(const QString &path, ExifFields &out)
{
    out = ExifFields();
    if (path.isEmpty())
        return false;
    ExifByteSource source(exifSourcePath(path));
    if (!source.isOpen())
        return false;
    return readFieldsThroughLibrary(source, out);
}

bool readExifFieldsFromMemoryThroughLibrary(const char *data, qint64 size, ExifFields &out)
{
    out = ExifFields();
    ExifByteSource source(data, size);
    return readFieldsThroughLibrary(source, out);
}

} // namespace quorvel
