#include "core/fileops/TrashUndo.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

// Trash records written by hand, as other programs and other volumes' trash
// folders have them.
class TestTrashUndo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordedPath_data();
    void recordedPath();
    void recordOfAnotherFileIsNotTaken();
    void namesText_data();
    void namesText();

private:
    QTemporaryDir m_dir;
};

void TestTrashUndo::recordedPath_data()
{
    QTest::addColumn<QString>("trash");  // folder of the trash, below m_dir
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QString>("expected"); // below m_dir, or "" for none
    QTest::newRow("home trash, absolute")
        << "home/Trash" << QByteArray("[Trash Info]\nPath=@/pics/a.jpg\nDeletionDate=2024-05-01T10:00:00\n")
        << "pics/a.jpg";
    QTest::newRow("percent-encoded") << "home/Trash"
                                     << QByteArray("[Trash Info]\nPath=@/my%20pics/%C3%A9t%C3%A9.jpg\n")
                                     << QString::fromUtf8("my pics/été.jpg");
    QTest::newRow("volume trash, relative to its top")
        << "vol/.Trash-1000" << QByteArray("[Trash Info]\r\nPath=photos/b.jpg\r\n") << "vol/photos/b.jpg";
    QTest::newRow("outside its group") << "home/Trash" << QByteArray("[Other]\nPath=@/pics/a.jpg\n") << "";
    QTest::newRow("no path") << "home/Trash" << QByteArray("[Trash Info]\nDeletionDate=2024-05-01T10:00:00\n") << "";
    QTest::newRow("empty path") << "home/Trash" << QByteArray("[Trash Info]\nPath=\n") << "";
    QTest::newRow("oversized record") << "home/Trash"
                                      << QByteArray("[Trash Info]\nPath=@/pics/a.jpg\n") + QByteArray(70000, 'x')
                                      << "";
}

void TestTrashUndo::recordedPath()
{
    QFETCH(QString, trash);
    QFETCH(QByteArray, info);
    QFETCH(QString, expected);
    const QString root = m_dir.path();
    const QString trashed = root + '/' + trash + "/files/a.jpg";
    QVERIFY(test::writeFile(trashed, "x"));
    QVERIFY(test::writeFile(root + '/' + trash + "/info/a.jpg.trashinfo", info.replace('@', root.toUtf8())));
    QCOMPARE(TrashUndo::infoFileOf(trashed), root + '/' + trash + "/info/a.jpg.trashinfo");
    QCOMPARE(TrashUndo::recordedPath(trashed), expected.isEmpty() ? QString() : root + '/' + expected);
}

void TestTrashUndo::recordOfAnotherFileIsNotTaken()
{
    // The file was restored by a file manager, and another file deleted
    // since took its name in the trash: that one stays where it is.
    const QString root = m_dir.path();
    const QString trashed = root + "/t/Trash/files/c.jpg";
    QVERIFY(test::writeFile(trashed, "other"));
    QVERIFY(test::writeFile(root + "/t/Trash/info/c.jpg.trashinfo", "[Trash Info]\nPath=" + root.toUtf8() + "/elsewhere/c.jpg\n"));
    TrashUndo undo;
    undo.remember({{root + "/pics/c.jpg", trashed, QString()}});
    QVERIFY(QDir().mkpath(root + "/pics"));
    const TrashUndo::Result result = undo.restore();
    QVERIFY(result.restored.isEmpty());
    QCOMPARE(result.problems.size(), 1);
    QVERIFY(result.problems.first().contains("no longer in the trash"));
    QVERIFY(QFileInfo::exists(trashed));
    QVERIFY(!QFileInfo::exists(root + "/pics/c.jpg"));
    QVERIFY(undo.isEmpty());
}

void TestTrashUndo::namesText_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << QStringList{"IMG_1.JPG"} << "IMG_1.JPG";
    QTest::newRow("three") << QStringList{"a.jpg", "b.jpg", "c.jpg"} << "a.jpg, b.jpg, c.jpg";
    QTest::newRow("five") << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"} << "a.jpg, b.jpg, c.jpg and 2 more";
}

void TestTrashUndo::namesText()
{
    QFETCH(QStringList, names);
    QFETCH(QString, text);
    QVector<TrashedFile> files;
    for (const QString &name : names)
        files.append({"/p/" + name, "/t/files/" + name, QString()});
    TrashUndo undo;
    undo.remember(files);
    QCOMPARE(undo.namesText(), text);
}

QTEST_GUILESS_MAIN(TestTrashUndo)
#include "tst_trashundo.moc"
