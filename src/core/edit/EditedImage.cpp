#include "core/edit/EditedImage.h"

#include "core/edit/ExifTurn.h"
#include "core/edit/FileResolution.h"
#include "core/exif/ContainerExif.h"
#include "core/exif/ExifBlockEditor.h"
#include "core/exif/ExifByteSource.h"
#include "core/exif/ExifLibrary.h"
#include "core/exif/Exiv2Include.h"
#include "core/exif/JpegExifBlock.h"
#include "core/files/FileAccess.h"
#include "core/imaging/ColourProfile.h"
#include "core/imaging/DecoderChoice.h"
#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"
#include "core/imaging/PngChunks.h"

#include <QFile>

#include <cmath>

namespace quorvel {

namespace {

// The EXIF of a TIFF-based file, encoded as a block of its own.
QByteArray tiffExifBlock(const QFile &file, const QString &path)
{
    initExifLibrary();
    try {
        auto image = exiv2::openFile(QFile::encodeName(FileAccess::pathOfOpenFile(file, path)).toStdString());
        if (!image.get())
            return QByteArray();
        image->readMetadata();
        // The colour profile travels as a profile of the new file, not
        // inside its EXIF block (where it could crowd the block out).
        Exiv2::ExifData exif = image->exifData();
        const auto icc = exif.findKey(Exiv2::ExifKey("Exif.Image.InterColorProfile"));
        if (icc != exif.end())
            exif.erase(icc);
        Exiv2::Blob blob;
        Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
        return QByteArray(reinterpret_cast<const char *>(blob.data()), qsizetype(blob.size()));
    } catch (...) {
        return QByteArray();
    }
}

// The block with its Orientation entry set to 1 (when it has one): the
// pixels it goes with are upright already.
QByteArray withUprightOrientation(const QByteArray &block)
{
    ExifBlockEditor editor(block);
    if (!editor.isValid())
        return block;
    constexpr quint16 kOrientation = 0x0112;
    const auto entry = editor.find(ExifBlockEditor::Dir::Image, kOrientation);
    if (!entry || entry->type != ExifBlockEditor::kShort || entry->count != 1)
        return block;
    editor.overwrite(ExifBlockEditor::Dir::Image, kOrientation, ExifBlockEditor::kShort, 1, editor.shortValue(1));
    return editor.block();
}

} // namespace

EditedImage::Format EditedImage::formatOf(const QByteArray &head)
{
    if (jpegexif::isJpeg(head))
        return Format::Jpeg;
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)))
        return Format::Tiff;
    const DecoderKind kind = sniffDecoder(head);
    if (kind == DecoderKind::Heif || kind == DecoderKind::Jxl || pngchunks::hasSignature(head)
        || (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP"))
        return Format::NewJpeg;
    return head.isEmpty() ? Format::None : Format::Other;
}

EditedImage EditedImage::load(const QString &path)
{
    return load(path, LoadOptions());
}

EditedImage EditedImage::load(const QString &path, LoadOptions loadOptions)
{
    EditedImage result;
    // What the file is now, before anything is read: a save over it later
    // replaces only this very file.
    QFile file;
    FileIdentity identity;
    if (!FileAccess::openForReading(file, path, nullptr, &identity))
        return result;
    DecodeOptions options;
    options.useCms = loadOptions.useCms;
    options.applyOrientation = loadOptions.applyOrientation;
    DecodeResult decoded = ImageDecoder::decodeFile(path, options);
    if (!decoded.ok())
        return result;
    result.format = formatOf(file.peek(kSniffBytes));
    result.sourceIdentity = identity;
    result.pixels = decoded.image;
    result.damaged = decoded.partial;
    if (const auto dpi = FileResolution::read(path)) {
        result.pixels.setDotsPerMeterX(qRound(dpi->width() / 0.0254));
        result.pixels.setDotsPerMeterY(qRound(dpi->height() / 0.0254));
    }
    result.iccProfile = colourprofile::forPixels(colourprofile::embedded(path), loadOptions.useCms);
    if (result.format == Format::Jpeg) {
        ExifByteSource source(path);
        result.exif = jpegexif::find(source);
    } else if (result.format == Format::Tiff) {
        result.exif = tiffExifBlock(file, path);
    } else if (result.format == Format::NewJpeg) {
        ExifByteSource source(path);
        result.exif = containerexif::find(source);
    }
    // The pixels were turned: the EXIF that travels with them must not turn
    // them again, and its thumbnail turns with them.
    if (decoded.orientation != orientation::kUpright) {
        if (!exifturn::adjust(result.exif, decoded.orientation, result.pixels.size(), true))
            result.exif.clear();
    } else if (decoded.upright && !result.exif.isEmpty()) {
        result.exif = withUprightOrientation(result.exif);
    }
    return result;
}

void copyPropertyItems(const EditedImage &source, EditedImage &destination)
{
    destination.exif = source.exif;
}

bool cropKeepingProperties(EditedImage &image, const QRect &rect)
{
    const QRect full = image.pixels.rect();
    if (rect == full)
        return false;
    const QRect clipped = rect.intersected(full);
    if (clipped.isEmpty())
        return false;
    const QImage cropped = image.pixels.copy(clipped);
    if (cropped.isNull())
        return false;
    image.pixels = cropped.convertToFormat(QImage::Format_RGB32);
    return true;
}

void setResolution(EditedImage &image, double horizontalDpi, double verticalDpi)
{
    image.pixels.setDotsPerMeterX(qRound(horizontalDpi / 0.0254));
    image.pixels.setDotsPerMeterY(qRound(verticalDpi / 0.0254));
    if (image.exif.isEmpty())
        return;
    ExifBlockEditor block(image.exif);
    if (!block.isValid())
        return;
    const auto whole = [](double dpi) { return quint32(std::clamp(std::trunc(dpi), 0.0, 4294967295.0)); };
    using Dir = ExifBlockEditor::Dir;
    block.overwrite(Dir::Image, 0x011A, 5, 1, block.rationalValue(whole(horizontalDpi), 1));
    block.overwrite(Dir::Image, 0x011B, 5, 1, block.rationalValue(whole(verticalDpi), 1));
    image.exif = block.block();
}

} // namespace quorvel
