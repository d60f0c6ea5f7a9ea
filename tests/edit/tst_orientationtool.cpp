#include "EditTestFiles.h"
#include "support/ExifOrientationFiles.h"
#include "support/TestSupport.h"

#include "core/imaging/ImageDecoder.h"
#include "core/imaging/Orientation.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

// quorvel-tool decode and rotate --auto on files with an EXIF orientation.
class TestOrientationTool : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void decodeColumns_data();
    void decodeColumns();
    void rotateAuto_data();
    void rotateAuto();
    void rotateAutoTrimRule();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    static Run tool(const QStringList &args)
    {
        QProcess p;
        p.start(QDir(QStringLiteral(QUORVEL_RUNTIME_DIR)).filePath(QStringLiteral("quorvel-tool")), args);
        Run r;
        if (!p.waitForFinished(60000))
            return r;
        r.exitCode = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        return r;
    }
    QTemporaryDir m_dir;
};

void TestOrientationTool::decodeColumns_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("truncated");
    for (int o = 1; o <= 8; ++o)
        QTest::addRow("orientation %d", o) << o << false;
    QTest::newRow("truncated, orientation 6") << 6 << true;
}

// Five columns as before (the size as stored), then the orientation applied
// and the state; --out writes the picture as shown.
void TestOrientationTool::decodeColumns()
{
    QFETCH(int, orientation);
    QFETCH(bool, truncated);
    QByteArray bytes = test::withOrientation(test::patternJpeg(64, 160), orientation);
    if (truncated) {
        const qsizetype scan = bytes.indexOf("\xFF\xDA");
        bytes = bytes.left(scan + (bytes.size() - scan) / 2);
    }
    const QString path = m_dir.filePath(QStringLiteral("photo.jpg"));
    const QString png = m_dir.filePath(QStringLiteral("shown.png"));
    QFile::remove(png);
    QVERIFY(test::writeFile(path, bytes));
    const Run r = tool({QStringLiteral("decode"), path, QStringLiteral("--out"), png});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out.split(u'\t'), (QStringList{QDir::toNativeSeparators(path), "jpeg", "64", "160", "24",
                                              QString::number(orientation), truncated ? "partial" : "ok"}));
    DecodeOptions shown;
    shown.applyOrientation = true;
    const QImage expected = ImageDecoder::decodeFile(path, shown).image;
    QCOMPARE(expected.size(), orientation::turnedSize(QSize(64, 160), orientation));
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), expected);
}

void TestOrientationTool::rotateAuto_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("intoOut");
    for (int o = 1; o <= 8; ++o)
        QTest::addRow("orientation %d", o) << o << (o == 3);
}

void TestOrientationTool::rotateAuto()
{
    QFETCH(int, orientation);
    QFETCH(bool, intoOut);
    const QByteArray original = test::withOrientation(test::patternJpeg(64, 48), orientation,
                                                      test::patternJpeg(32, 16));
    const QString path = m_dir.filePath(QStringLiteral("auto.jpg"));
    const QString out = m_dir.filePath(QStringLiteral("auto-out.jpg"));
    QFile::remove(out);
    QVERIFY(test::writeFile(path, original));
    DecodeOptions shown;
    shown.applyOrientation = true;
    const QImage before = ImageDecoder::decodeFile(path, shown).image;

    QStringList args{QStringLiteral("rotate"), QStringLiteral("--auto"), path};
    if (intoOut)
        args.append(out);
    const Run r = tool(args);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString result = intoOut ? out : path;
    if (intoOut)
        QCOMPARE(test::readFile(path), original);
    if (orientation == 1)
        QCOMPARE(test::readFile(result), original); // upright already: left alone
    const QImage after = ImageDecoder::decodeFile(result, DecodeOptions()).image;
    QCOMPARE(after.size(), before.size());
    const test::ExifOrientationFacts facts = test::exifOrientationFacts(test::readFile(result));
    QCOMPARE(facts.orientation, 1);
    QCOMPARE(facts.pixelDimensions, after.size());
    const QImage thumbnail = ImageDecoder::decodeData(facts.thumbnail, QStringLiteral("t.jpg"), {}).image;
    QCOMPARE(thumbnail.size(), orientation::turnedSize(QSize(32, 16), orientation));
}

// Sides that are not multiples of 16 need --trim, as every other turn.
void TestOrientationTool::rotateAutoTrimRule()
{
    const QByteArray original = test::withOrientation(test::patternJpeg(70, 50), 6);
    const QString path = m_dir.filePath(QStringLiteral("odd.jpg"));
    QVERIFY(test::writeFile(path, original));
    const Run refused = tool({QStringLiteral("rotate"), QStringLiteral("--auto"), path});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(refused.err.contains(QStringLiteral("--trim")));
    QCOMPARE(test::readFile(path), original);

    const Run trimmed = tool({QStringLiteral("rotate"), QStringLiteral("--auto"), QStringLiteral("--trim"), path});
    QVERIFY2(trimmed.exitCode == 0, qPrintable(trimmed.err));
    // Turned right, the partial row at the bottom is trimmed; the partial
    // column at the right becomes the bottom edge and stays.
    QCOMPARE(ImageDecoder::decodeFile(path, DecodeOptions()).image.size(), QSize(48, 70));
    QCOMPARE(test::exifOrientationFacts(test::readFile(path)).orientation, 1);
}

QTEST_GUILESS_MAIN(TestOrientationTool)
#include "tst_orientationtool.moc"
