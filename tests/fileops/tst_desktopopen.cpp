#include "fileops/RecordingPrompts.h"
#include "support/TestSupport.h"
#include "ui/fileops/DesktopOpen.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace quorvel;

class TestDesktopOpen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void opening_data();
    void opening();
};

void TestDesktopOpen::cleanup()
{
    setDesktopOpener(nullptr);
    Prompts::install(nullptr);
}

void TestDesktopOpen::opening_data()
{
    QTest::addColumn<QString>("path"); // under the temporary folder
    QTest::addColumn<bool>("handled"); // what the desktop answers
    QTest::addColumn<bool>("asked");   // whether the desktop was asked at all
    QTest::addColumn<QString>("message");
    QTest::newRow("a folder the file browser opens") << "photos" << true << true << "";
    QTest::newRow("a file with a program for it") << "photos/stat.txt" << true << true << "";
    QTest::newRow("no program for it") << "photos/stat.txt" << false << true
                                       << "Warning|Cannot open \"@/photos/stat.txt\": the desktop has no program set up "
                                          "to open it.";
    QTest::newRow("a missing manual") << "Quorvel.pdf" << true << false
                                      << "Warning|Cannot open \"@/Quorvel.pdf\": it does not exist.";
}

void TestDesktopOpen::opening()
{
    QFETCH(QString, path);
    QFETCH(bool, handled);
    QFETCH(bool, asked);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(test::writeFile(dir.filePath("photos/stat.txt"), "x"));
    auto *prompts = test::RecordingPrompts::install();
    QList<QUrl> opened;
    setDesktopOpener([&](const QUrl &url) {
        opened.append(url);
        return handled;
    });

    const QString full = dir.filePath(path);
    QCOMPARE(openWithDesktop(nullptr, full), handled && asked);
    QCOMPARE(opened, asked ? QList<QUrl>{QUrl::fromLocalFile(full)} : QList<QUrl>{});
    const QString shown = QString(message).replace("@", QDir::toNativeSeparators(dir.path()));
    QCOMPARE(prompts->messages, message.isEmpty() ? QStringList() : QStringList{shown});
}

QTEST_MAIN(TestDesktopOpen)
#include "tst_desktopopen.moc"
