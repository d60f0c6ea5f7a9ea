#include "core/files/DropRequest.h"
#include "core/files/FileListModel.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestDropRequest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void requestFor_data();
    void requestFor();
    void ownDragsAskForNothing();

private:
    QTemporaryDir m_dir;
};

void TestDropRequest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const char *name : {"p/IMG_1.JPG", "p/a.jpg.link", "p/notes.txt", "p/sub/x.tif"})
        QVERIFY(test::writeFile(m_dir.filePath(name), "x"));
}

void TestDropRequest::requestFor_data()
{
    QTest::addColumn<QStringList>("dropped"); // below the temporary folder; "http:" for a remote URL
    QTest::addColumn<QString>("folder");      // "" for no request
    QTest::addColumn<QString>("name");
    QTest::newRow("a picture") << QStringList{"p/IMG_1.JPG"} << "p/" << "IMG_1.JPG";
    QTest::newRow("a link file") << QStringList{"p/a.jpg.link"} << "p/" << "a.jpg.link";
    QTest::newRow("a folder") << QStringList{"p/sub"} << "p/sub/" << "";
    QTest::newRow("not a picture") << QStringList{"p/notes.txt"} << "" << "";
    QTest::newRow("gone") << QStringList{"p/missing.jpg"} << "" << "";
    QTest::newRow("remote") << QStringList{"http:"} << "" << "";
    QTest::newRow("first that fits") << QStringList{"p/notes.txt", "http:", "p/sub/x.tif", "p/IMG_1.JPG"} << "p/sub/"
                                     << "x.tif";
    QTest::newRow("path with dots") << QStringList{"p/sub/../IMG_1.JPG"} << "p/" << "IMG_1.JPG";
}

void TestDropRequest::requestFor()
{
    QFETCH(QStringList, dropped);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QList<QUrl> urls;
    for (const QString &d : dropped)
        urls.append(d == "http:" ? QUrl("http://example.org/IMG_1.JPG") : QUrl::fromLocalFile(m_dir.filePath(d)));
    const std::optional<DropRequest> request = drop::requestFor(urls);
    if (folder.isEmpty()) {
        QVERIFY(!request);
        return;
    }
    QVERIFY(request);
    QCOMPARE(request->folder, QDir::cleanPath(m_dir.path()) + '/' + folder);
    QCOMPARE(request->name, name);
}

void TestDropRequest::ownDragsAskForNothing()
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_dir.filePath("p/IMG_1.JPG"))});
    QVERIFY(drop::requestFor(&data));
    data.setData(QString::fromLatin1(kOwnDragFormat), QByteArray(1, '\0'));
    QVERIFY(!drop::requestFor(&data));
    QVERIFY(!drop::requestFor(static_cast<const QMimeData *>(nullptr)));
}

QTEST_GUILESS_MAIN(TestDropRequest)
#include "tst_droprequest.moc"
