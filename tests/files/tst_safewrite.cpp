#include "core/files/SafeWrite.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestSafeWrite : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void failedWritesLeaveTheTarget_data();
    void failedWritesLeaveTheTarget();
    void copyKeepsTheModificationTime();
    void copyRefusesToReplaceUnlessAsked();
};

void TestSafeWrite::failedWritesLeaveTheTarget_data()
{
    QTest::addColumn<bool>("copy");
    QTest::addColumn<qint64>("size");
    // Small enough to sit in the write buffer until the end, and larger.
    QTest::newRow("write, buffered") << false << qint64(500);
    QTest::newRow("write, large") << false << qint64(200000);
    QTest::newRow("copy, buffered") << true << qint64(500);
    QTest::newRow("copy, large") << true << qint64(3 << 20);
}

void TestSafeWrite::failedWritesLeaveTheTarget()
{
    QFETCH(bool, copy);
    QFETCH(qint64, size);
    QTemporaryDir dir;
    const QString target = dir.filePath("target.bin");
    const QString source = dir.filePath("source.bin");
    QVERIFY(test::writeFile(target, "old content"));
    const QByteArray fresh(size, 'n');
    if (copy)
        QVERIFY(test::writeFile(source, fresh));

    QString error;
    {
        test::FileSizeLimit limit(100);
        if (!limit.active())
            QSKIP("no file size limit on this platform");
        const bool ok = copy ? safewrite::copyFile(source, target, true, &error)
                             : safewrite::writeFile(target, fresh, &error);
        QVERIFY(!ok);
    }
    QVERIFY(!error.isEmpty());
    QCOMPARE(test::readFile(target), QByteArray("old content"));
    QStringList expected{"target.bin"};
    if (copy)
        expected.prepend("source.bin");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);

    // And without the limit the same call succeeds.
    QVERIFY(copy ? safewrite::copyFile(source, target, true) : safewrite::writeFile(target, fresh));
    QCOMPARE(test::readFile(target), fresh);
}

void TestSafeWrite::copyKeepsTheModificationTime()
{
    QTemporaryDir dir;
    const QString source = dir.filePath("a.jpg");
    QVERIFY(test::writeFile(source, "jpeg bytes"));
    const QDateTime when(QDate(2004, 7, 1), QTime(12, 30), Qt::UTC);
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
    }
    QVERIFY(safewrite::copyFile(source, dir.filePath("b.jpg"), false));
    QCOMPARE(test::readFile(dir.filePath("b.jpg")), QByteArray("jpeg bytes"));
    QCOMPARE(QFileInfo(dir.filePath("b.jpg")).lastModified().toUTC(), when);
}

void TestSafeWrite::copyRefusesToReplaceUnlessAsked()
{
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.filePath("a"), "new"));
    QVERIFY(test::writeFile(dir.filePath("b"), "old"));
    QString error;
    QVERIFY(!safewrite::copyFile(dir.filePath("a"), dir.filePath("b"), false, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(test::readFile(dir.filePath("b")), QByteArray("old"));
    QVERIFY(!safewrite::copyFile(dir.filePath("missing"), dir.filePath("c"), true, &error));
    QVERIFY(!QFileInfo::exists(dir.filePath("c")));
    QVERIFY(safewrite::copyFile(dir.filePath("a"), dir.filePath("b"), true));
    QCOMPARE(test::readFile(dir.filePath("b")), QByteArray("new"));
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_safewrite.moc"
