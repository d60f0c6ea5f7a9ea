#include "ExifTestFiles.h"
#include "support/TestSupport.h"

#include "ui/exif/ExifStatisticsDialog.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;
using namespace quorvel::test;

class TestExifStatisticsDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsTheReportOnceGathered();
    void largeFolderShowsProgress_data();
    void largeFolderShowsProgress();
    void closingWhileGatheringIsSafe();
};

void TestExifStatisticsDialog::showsTheReportOnceGathered()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("a.jpg"), jpegWithExif({"Exif.Image.Model Ascii Canon EOS 10D"})));
    QVERIFY(writeFile(dir.filePath("b.jpg"), jpegWithExif({"Exif.Image.Model Ascii Canon EOS 10D"})));
    const QString folder = dir.path() + u'/';
    const std::vector<QString> table{"a.jpg", "", "b.jpg"};

    ExifStatisticsDialog dialog(folder, table);
    QSignalSpy gathered(&dialog, &ExifStatisticsDialog::gathered);
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

void TestExifStatisticsDialog::largeFolderShowsProgress_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("progressBar");
    QTest::newRow("small folder") << ExifStatisticsDialog::kProgressBarFiles << false;
    QTest::newRow("large folder") << ExifStatisticsDialog::kProgressBarFiles + 1 << true;
}

void TestExifStatisticsDialog::largeFolderShowsProgress()
{
    QFETCH(int, files);
    QFETCH(bool, progressBar);
    // Files that do not exist are quick to not read.
    std::vector<QString> table;
    for (int i = 0; i < files; ++i)
        table.push_back(QStringLiteral("missing%1.jpg").arg(i));
    table.push_back(QString());
    ExifStatisticsDialog dialog(QStringLiteral("/nonexistent/"), table);
    QSignalSpy gathered(&dialog, &ExifStatisticsDialog::gathered);
    dialog.show();
    QCOMPARE(dialog.showsProgressBar(), progressBar);
    QVERIFY(gathered.wait());
    QVERIFY(!dialog.showsProgressBar());
    QCOMPARE(dialog.shownRows().at(1).text, QStringLiteral("Files: %1, files with EXIF: 0").arg(files + 1));
}

void TestExifStatisticsDialog::closingWhileGatheringIsSafe()
{
    std::vector<QString> table(5000, QStringLiteral("missing.jpg"));
    auto *dialog = new ExifStatisticsDialog(QStringLiteral("/nonexistent/"), table);
    dialog->show();
    delete dialog;
}

QTEST_MAIN(TestExifStatisticsDialog)
#include "tst_exifstatisticsdialog.moc"
