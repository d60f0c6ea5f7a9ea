// EXIF edits that change values of the same size write only the changed
// bytes into the file as it is; anything else replaces the file, and both
// refuse a file that changed since it was read.

#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "core/exif/ExifWriter.h"
#include "core/exif/Exiv2Include.h"
#include "core/files/FileAccess.h"
#include "core/files/SafeWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace quorvel;

namespace {

QString exifValue(const QString &path, const QString &key)
{
    auto image = exiv2::openFile(QFile::encodeName(path).toStdString());
    image->readMetadata();
    const auto it = image->exifData().findKey(Exiv2::ExifKey(key.toStdString()));
    return it == image->exifData().end() ? QString() : QString::fromStdString(it->value().toString());
}

// A JPEG with the entry and enough picture data after it that a rewrite of
// the whole file would show.
QByteArray photo(const QString &entry)
{
    QByteArray bytes = test::jpegWithExif({entry, QStringLiteral("Exif.Image.Make Ascii Maker")});
    bytes.insert(bytes.size() - 2, QByteArray(100000, '\x55')); // before EOI
    return bytes;
}

class HookScope
{
public:
    explicit HookScope(SafeWriter::CommitHook hook) { SafeWriter::setCommitHook(std::move(hook)); }
    ~HookScope() { SafeWriter::setCommitHook({}); }
};

enum class Change { Rewritten, MovedOver, SwappedForLink };

} // namespace

class TestExifInPlace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sameSizeValues_data();
    void sameSizeValues();
    void sizeChangeReplacesTheFile();
    void fileWithTwoNamesIsReplaced();
    void changedFileIsRefused_data();
    void changedFileIsRefused();
    void failedWriteLeavesTheFile();

private:
    QTemporaryDir m_dir;
};

void TestExifInPlace::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestExifInPlace::sameSizeValues_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ISO, inside its entry") << "Exif.Photo.ISOSpeedRatings Short 100" << int(WriteIso) << "200" << "200";
    QTest::newRow("model of the same length") << "Exif.Image.Model Ascii Cam1" << int(WriteModel) << "Cam2" << "Cam2";
    QTest::newRow("date") << "Exif.Photo.DateTimeOriginal Ascii 2004:06:01 10:00:00" << int(WriteDate)
                          << "2005:07:02 11:30:00" << "2005:07:02 11:30:00";
    QTest::newRow("f-number") << "Exif.Photo.FNumber Rational 28/10" << int(WriteFNumber) << "5.6" << "56/10";
}

void TestExifInPlace::sameSizeValues()
{
    QFETCH(QString, entry);
    QFETCH(int, which);
    QFETCH(QString, text);
    QFETCH(QString, expected);
#ifndef Q_OS_UNIX
    QSKIP("files are always replaced here");
#endif
    const QString path = m_dir.filePath(QStringLiteral("same-%1.jpg").arg(which));
    const QByteArray before = photo(entry);
    QVERIFY(test::writeFile(path, before));
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    const FileIdentity identity = FileAccess::identityOf(path);

    ExifFields fields;
    fields.model = fields.dateTimeOriginal = text;
    fields.iso = text.toInt();
    fields.fNumber = text.toFloat();
    const ExifWriteResult r = writeExifFields(path, fields, which);
    QVERIFY2(r.ok(), qPrintable(r.message()));

    // The same file, changed only within one sector, by no more than the value.
    const FileIdentity now = FileAccess::identityOf(path);
    QCOMPARE(now.inode, identity.inode);
    const QByteArray after = test::readFile(path);
    QCOMPARE(after.size(), before.size());
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    QVERIFY(first >= 0);
    QVERIFY2(last - first < 20, qPrintable(QStringLiteral("bytes %1 to %2 changed").arg(first).arg(last)));
    QCOMPARE(first / 512, last / 512);
    QCOMPARE(QFileInfo(path).lastModified().toUTC().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    QCOMPARE(exifValue(path, entry.section(u' ', 0, 0)), expected);
    QCOMPARE(exifValue(path, QStringLiteral("Exif.Image.Make")), QStringLiteral("Maker"));
}

// A longer value moves into new space: the file is replaced as a whole.
void TestExifInPlace::sizeChangeReplacesTheFile()
{
    const QString path = m_dir.filePath(QStringLiteral("longer.jpg"));
    QVERIFY(test::writeFile(path, photo(QStringLiteral("Exif.Image.Model Ascii Cam1"))));
    const FileIdentity identity = FileAccess::identityOf(path);
    ExifFields fields;
    fields.model = QStringLiteral("A much longer model name");
    QVERIFY(writeExifFields(path, fields, WriteModel).ok());
    QVERIFY(FileAccess::identityOf(path).inode != identity.inode);
    QCOMPARE(exifValue(path, QStringLiteral("Exif.Image.Model")), fields.model);
}

// Changed in place, a file with a second name would change under that name
// too; it is replaced as before, and the other name keeps the old content.
void TestExifInPlace::fileWithTwoNamesIsReplaced()
{
    const QString path = m_dir.filePath(QStringLiteral("linked.jpg"));
    const QString other = m_dir.filePath(QStringLiteral("linked-too.jpg"));
    const QByteArray before = photo(QStringLiteral("Exif.Photo.ISOSpeedRatings Short 100"));
    QVERIFY(test::writeFile(path, before));
#ifndef Q_OS_UNIX
    QSKIP("no hard links here");
#else
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) != 0)
        QSKIP("no hard links here");
    ExifFields fields;
    fields.iso = 400;
    QVERIFY(writeExifFields(path, fields, WriteIso).ok());
    QCOMPARE(exifValue(path, QStringLiteral("Exif.Photo.ISOSpeedRatings")), QStringLiteral("400"));
    QCOMPARE(test::readFile(other), before);
#endif
}

void TestExifInPlace::changedFileIsRefused_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("rewritten by another program") << int(Change::Rewritten);
    QTest::newRow("another file moved over it") << int(Change::MovedOver);
    QTest::newRow("swapped for a link") << int(Change::SwappedForLink);
}

// Between the read and the write another program changes the file: nothing
// is written, and what the other program made stays.
void TestExifInPlace::changedFileIsRefused()
{
    QFETCH(int, change);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    const QString other = dir.filePath(QStringLiteral("other.jpg"));
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    QVERIFY(test::writeFile(path, photo(QStringLiteral("Exif.Photo.ISOSpeedRatings Short 100"))));
    const QByteArray otherBytes = photo(QStringLiteral("Exif.Photo.ISOSpeedRatings Short 800"));
    QVERIFY(test::writeFile(other, otherBytes));
    QVERIFY(test::writeFile(text, "notes\n"));
    QByteArray expected;
    HookScope hook([&](const QString &target) {
        if (target != path)
            return 0;
        switch (Change(change)) {
        case Change::Rewritten: {
            QFile f(path);
            if (f.open(QIODevice::Append))
                f.write("written by another program");
            break;
        }
        case Change::MovedOver: QFile::remove(path); QFile::rename(other, path); break;
        case Change::SwappedForLink: QFile::remove(path); QFile::link(text, path); break;
        }
        expected = test::readFile(path);
        return 0;
    });
    ExifFields fields;
    fields.iso = 200;
    const ExifWriteResult r = writeExifFields(path, fields, WriteIso);
    QCOMPARE(r.status, ExifWriteResult::CannotWrite);
    QVERIFY2(r.message().contains(FileAccess::changedByAnotherProgram()), qPrintable(r.message()));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(test::readFile(path), expected);
    QCOMPARE(test::readFile(text), QByteArray("notes\n"));
}

// A write the system refuses (here injected at the moment of writing) is
// reported with the system's reason, and the file stays as it was.
void TestExifInPlace::failedWriteLeavesTheFile()
{
#ifndef Q_OS_UNIX
    QSKIP("files are always replaced here");
#endif
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    const QByteArray before = photo(QStringLiteral("Exif.Photo.ISOSpeedRatings Short 100"));
    QVERIFY(test::writeFile(path, before));
    HookScope hook([](const QString &) { return EIO; });
    ExifFields fields;
    fields.iso = 200;
    const ExifWriteResult r = writeExifFields(path, fields, WriteIso);
    QCOMPARE(r.status, ExifWriteResult::CannotWrite);
    QVERIFY2(r.message().contains(FileAccess::systemError(EIO)), qPrintable(r.message()));
    QCOMPARE(test::readFile(path), before);
}

QTEST_GUILESS_MAIN(TestExifInPlace)
#include "tst_exifinplace.moc"
