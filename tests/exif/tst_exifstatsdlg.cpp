#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "ui/exif/CExifStatsDlg.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using namespace quorvel::test;

class TestExifStatsDlg : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsTheReportOnceGathered();
    void largeFolderShowsProgress_data();
    void largeFolderShowsProgress();
    void closingWhileGatheringIsSafe();
};

void TestExifStatsDlg::showsTheReportOnceGathered()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), jpegWithExif({"Exif.Image.Model Ascii Canon EOS 10D"})));
    QVERIFY(writeFile(dir.filePath("b.jpg"), jpegWithExif({"Exif.Image.Model Ascii Canon EOS 10D"})));
    const QString folder = dir.path() + u'/';
    const std::vector<QString> table{"a.jpg", "", "b.jpg"};

    CExifStatsDlg dialog(folder, table);
    QSignalSpy gathered(&dialog, &CExifStatsDlg::gathered);
    QVERIFY(!dialog.isGathered());
    QVERIFY(dialog.shownRows().isEmpty());
    dialog.show();
    QVERIFY(gathered.wait());
    QVERIFY(dialog.isGathered());

    ExifStatistics expected;
    QVERIFY(expected.gather(folder, table));
    QCOMPARE(dialog.shownRows(), expected.rows(folder));
    QCOMPARE(dialog.shownRows().at(1).text, QString("Files: 3, files with EXIF: 2"));

    // The report is gathered once: showing the dialog again keeps it.
    dialog.hide();
    dialog.show();
    QCOMPARE(gathered.count(), 1);
}

void TestExifStatsDlg::largeFolderShowsProgress_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("progressBar");
    QTest::newRow("small folder") << CExifStatsDlg::kProgressBarFiles << false;
    QTest::newRow("large folder") << CExifStatsDlg::kProgressBarFiles + 1 << true;
}

void TestExifStatsDlg::largeFolderShowsProgress()
{
    QFETCH(int, files);
    QFETCH(bool, progressBar);
    // Files that do not exist are quick to not read.
    std::vector<QString> table;
    for (int i = 0; i < files; ++i)
        table.push_back(QStringLiteral("missing%1.jpg").arg(i));
    table.push_back(QString());
    CExifStatsDlg dialog(QStringLiteral("/nonexistent/"), table);
    QSignalSpy gathered(&dialog, &CExifStatsDlg::gathered);
    dialog.show();
    QCOMPARE(dialog.showsProgressBar(), progressBar);
    QVERIFY(gathered.wait());
    QVERIFY(!dialog.showsProgressBar());
    QCOMPARE(dialog.shownRows().at(1).text, QStringLiteral("Files: %1, files with EXIF: 0").arg(files + 1));
}

void TestExifStatsDlg::closingWhileGatheringIsSafe()
{
    std::vector<QString> table(5000, QStringLiteral("missing.jpg"));
    auto *dialog = new CExifStatsDlg(QStringLiteral("/nonexistent/"), table);
    dialog->show();
    delete dialog;
}

QTEST_MAIN(TestExifStatsDlg)
#include "tst_exifstatsdlg.moc"
