#include "support/TestSupport.h"

#include "core/edit/EditedImage.h"
#include "core/edit/SaveRules.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/Exiv2Include.h"
#include "core/imaging/ColourProfile.h"
#include "core/imaging/ImageDecoder.h"
#include "core/print/FinalStepModel.h"
#include "core/print/IndexPrintForm.h"
#include "core/print/IndexPrintJob.h"
#include "core/print/PrintFileWriter.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <lcms2.h>

using namespace quorvel;

// A picture made from a photograph keeps the photograph's colours: the edit
// window's save and the print file carry the photograph's profile (or sRGB
// when its pixels were converted), and an index-print page holds sRGB
// pixels and says so.
class TestColourProfiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void profileForPixels_data();
    void profileForPixels();
    void editSaveKeepsProfile_data();
    void editSaveKeepsProfile();
    void printFile_data();
    void printFile();
    void indexPageIsSrgb();

private:
    QString source(const QString &name, const char *format, QSize size, const QByteArray &icc);

    QTemporaryDir m_dir;
    QByteArray m_wide;  // a wide-gamut RGB profile (Display P3 primaries)
    QByteArray m_grey;  // a grey profile
    QRgb m_colour = qRgb(200, 100, 50);
    QRgb m_converted = 0; // m_colour in sRGB through m_wide
};

namespace {

QByteArray saved(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

QByteArray wideGamutProfile()
{
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    cmsToneCurve *gamma = cmsBuildGamma(nullptr, 2.2);
    cmsToneCurve *curves[3] = {gamma, gamma, gamma};
    const QByteArray bytes = saved(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(gamma);
    return bytes;
}

QByteArray greyProfile()
{
    cmsToneCurve *gamma = cmsBuildGamma(nullptr, 2.2);
    const QByteArray bytes = saved(cmsCreateGrayProfile(cmsD50_xyY(), gamma));
    cmsFreeToneCurve(gamma);
    return bytes;
}

QRgb toSrgb(const QByteArray &icc, QRgb colour)
{
    cmsHPROFILE in = cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size()));
    cmsHPROFILE out = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t = cmsCreateTransform(in, TYPE_RGB_8, out, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    const uchar from[3] = {uchar(qRed(colour)), uchar(qGreen(colour)), uchar(qBlue(colour))};
    uchar to[3] = {0, 0, 0};
    cmsDoTransform(t, from, to, 1);
    cmsDeleteTransform(t);
    cmsCloseProfile(in);
    cmsCloseProfile(out);
    return qRgb(to[0], to[1], to[2]);
}

// The profile a file carries, as Exiv2 reads it.
QByteArray profileOf(const QString &path)
{
    auto image = exiv2::openFile(QFile::encodeName(path).toStdString());
    image->readMetadata();
    if (!image->iccProfileDefined())
        return QByteArray();
    const Exiv2::DataBuf *buf = image->iccProfile();
    return QByteArray(reinterpret_cast<const char *>(buf->pData_), qsizetype(buf->size_));
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString rgbText(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

} // namespace

void TestColourProfiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_wide = wideGamutProfile();
    m_grey = greyProfile();
    QVERIFY(!m_wide.isEmpty() && !m_grey.isEmpty());
    m_converted = toSrgb(m_wide, m_colour);
    // The colour moves visibly in sRGB, so a missed conversion shows.
    QVERIFY(!near(m_converted, m_colour, 10));
}

// A picture of one colour with the profile embedded by Exiv2 (JPEG) or Qt
// (PNG), or a TIFF with the profile tag.
QString TestColourProfiles::source(const QString &name, const char *format, QSize size, const QByteArray &icc)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(m_colour);
    const QString path = m_dir.filePath(name);
    QByteArray bytes;
    if (qstrcmp(format, "tiff") == 0) {
        bytes = TiffEncoder::encode(picture, icc);
    } else if (qstrcmp(format, "png") == 0) {
        if (!icc.isEmpty())
            picture.setColorSpace(QColorSpace::fromIccProfile(icc));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, format);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, format, 95);
        if (!icc.isEmpty()) {
            auto image = exiv2::openMemory(bytes.constData(), bytes.size());
            image->readMetadata();
            Exiv2::DataBuf buf(reinterpret_cast<const Exiv2::byte *>(icc.constData()), long(icc.size()));
            image->setIccProfile(buf, true);
            image->writeMetadata();
            Exiv2::BasicIo &io = image->io();
            io.seek(0, Exiv2::BasicIo::beg);
            bytes.resize(qsizetype(io.size()));
            io.read(reinterpret_cast<Exiv2::byte *>(bytes.data()), long(bytes.size()));
        }
    }
    test::writeFile(path, bytes);
    return path;
}

void TestColourProfiles::profileForPixels_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("converted");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none stays none") << "" << false << "";
    QTest::newRow("none, converted") << "" << true << "";
    QTest::newRow("RGB kept") << "wide" << false << "wide";
    QTest::newRow("RGB converted is sRGB") << "wide" << true << "srgb";
    QTest::newRow("grey does not describe RGB") << "grey" << false << "";
    QTest::newRow("grey converted is sRGB") << "grey" << true << "srgb";
    QTest::newRow("damaged profile dropped") << "damaged" << false << "";
}

void TestColourProfiles::profileForPixels()
{
    QFETCH(QString, profile);
    QFETCH(bool, converted);
    QFETCH(QString, expected);
    const QHash<QString, QByteArray> profiles{{"wide", m_wide},
                                              {"grey", m_grey},
                                              {"srgb", colourprofile::srgb()},
                                              {"damaged", m_wide.left(40)}};
    QCOMPARE(colourprofile::forPixels(profiles.value(profile), converted), profiles.value(expected));
}

void TestColourProfiles::editSaveKeepsProfile_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("JPEG") << "jpeg";
    QTest::newRow("TIFF") << "tiff";
}

// The edit window works on the file's own pixels: its save carries the
// file's profile, through a crop too.
void TestColourProfiles::editSaveKeepsProfile()
{
    QFETCH(QString, format);
    const QString path = source(QStringLiteral("edit.") + format, qPrintable(format), QSize(64, 48), m_wide);
    QCOMPARE(profileOf(path), m_wide);

    EditedImage image = EditedImage::load(path);
    QVERIFY(!image.isNull());
    QVERIFY(cropKeepingProperties(image, QRect(8, 8, 32, 24)));
    SaveQuestions questions;
    questions.jpegQuality = [] { return 90; };
    questions.tiffWithoutExif = [] { return true; };
    const QString target = m_dir.filePath(QStringLiteral("edited.") + format);
    const SaveResult result = SaveRules::saveEditedImage(image, path, target, questions);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(profileOf(target), m_wide);
    // The pixels are the file's own, not converted.
    const DecodeResult decoded = ImageDecoder::decodeFile(target, DecodeOptions());
    QVERIFY(decoded.ok());
    QVERIFY2(near(decoded.image.pixel(16, 12), m_colour, 4), qPrintable(rgbText(decoded.image.pixel(16, 12))));
}

void TestColourProfiles::printFile_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("useCms");
    QTest::addColumn<bool>("tagged"); // the source has a profile

    // 400 x 300 onto 640 x 480 is decoded whole; 1600 x 1200 is decoded
    // at a reduced scale. Both must give the same colours.
    for (const QString &format : {QStringLiteral("jpg"), QStringLiteral("png")}) {
        for (const QSize size : {QSize(400, 300), QSize(1600, 1200)}) {
            for (const bool cms : {false, true}) {
                if (format == u"png" && size.width() > 400)
                    continue; // PNGs are never decoded reduced
                QTest::addRow("%s %dx%d%s", qPrintable(format), size.width(), size.height(),
                              cms ? " converted" : "")
                    << format << size << cms << true;
            }
        }
    }
    QTest::newRow("jpg without a profile") << "jpg" << QSize(400, 300) << true << false;
}

void TestColourProfiles::printFile()
{
    QFETCH(QString, format);
    QFETCH(QSize, size);
    QFETCH(bool, useCms);
    QFETCH(bool, tagged);
    const QString path = source(QStringLiteral("print_%1.%2").arg(size.width()).arg(format),
                                format == u"png" ? "png" : "jpg", size, tagged ? m_wide : QByteArray());

    QCOMPARE(profileOf(path).isEmpty(), !tagged);
    FinalStepModel model(44, {path}); // 640x480
    DecodeOptions options;
    options.useCms = useCms;
    model.setImage(ImageDecoder::decodeFile(path, options).image);
    QVERIFY(model.hasImage());
    PrintSource printSource = PrintSource::fromFile(path, useCms);
    const QString target = m_dir.filePath(QStringLiteral("out_%1.jpg").arg(QTest::currentDataTag()));
    const SaveResult result = PrintFileWriter::write(printSource, model.composition(), target, 95);
    QVERIFY2(result.ok(), qPrintable(result.message));

    const QByteArray expectedProfile = !tagged ? QByteArray() : useCms ? colourprofile::srgb() : m_wide;
    QCOMPARE(profileOf(target), expectedProfile);
    const QRgb expectedColour = tagged && useCms ? m_converted : m_colour;
    const DecodeResult out = ImageDecoder::decodeFile(target, DecodeOptions());
    QVERIFY(out.ok());
    QCOMPARE(out.image.size(), QSize(640, 480));
    QVERIFY2(near(out.image.pixel(320, 240), expectedColour, 4),
             qPrintable(rgbText(out.image.pixel(320, 240)) + " for " + rgbText(expectedColour)));
}

void TestColourProfiles::indexPageIsSrgb()
{
    const QString wide = source(QStringLiteral("index_wide.jpg"), "jpg", QSize(600, 400), m_wide);
    const QString plain = source(QStringLiteral("index_plain.jpg"), "jpg", QSize(600, 400), QByteArray());
    IndexPrintForm form;
    form.parameters.setFormatIndex(2);
    form.parameters.setDpiText(QStringLiteral("100"));
    form.sources.append({wide, plain});
    const QString target = m_dir.filePath(QStringLiteral("index.jpg"));
    const QList<IndexLayout::PlannedFile> files = form.plan(target, false);
    QCOMPARE(files.size(), 1);
    const IndexPrintJob::Outcome outcome = form.job(95).run(files);
    QVERIFY2(outcome.failure.ok(), qPrintable(outcome.failure.message));

    QCOMPARE(profileOf(target), colourprofile::srgb());
    const DecodeResult page = ImageDecoder::decodeFile(target, DecodeOptions());
    QVERIFY(page.ok());
    const IndexLayout layout = form.layout();
    const QPoint first = layout.cell(0).center();
    const QPoint second = layout.cell(1).center();
    QVERIFY2(near(page.image.pixel(first), m_converted, 4), qPrintable(rgbText(page.image.pixel(first))));
    QVERIFY2(near(page.image.pixel(second), m_colour, 4), qPrintable(rgbText(page.image.pixel(second))));
}

QTEST_MAIN(TestColourProfiles)
#include "tst_colourprofiles.moc"
