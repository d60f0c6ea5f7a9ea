#include "core/files/FileListModel.h"
#include "core/files/FileListRules.h"

#include <QItemSelectionModel>
#include <QTest>

using namespace quorvel;
using fileList::Column;

Q_DECLARE_METATYPE(quorvel::fileList::Column)

namespace {

FolderEntries entries(const QStringList &names)
{
    FolderEntries out;
    for (const QString &n : names)
        out.append({n, FolderEntry::ListedFile});
    return out;
}

fileList::ExifTexts texts(const char *aperture, const char *exposure, const char *iso, const char *focal,
                         const char *camera, const char *date)
{
    fileList::ExifTexts t;
    t.aperture = aperture;
    t.exposure = exposure;
    t.iso = iso;
    t.focalLength = focal;
    t.camera = camera;
    t.dateTime = date;
    return t;
}

// EXIF texts keyed by file name, as a reader would give them.
FileListModel::Providers fakeProviders()
{
    FileListModel::Providers p;
    p.description = [](const QString &path) {
        if (path.endsWith("b.jpg"))
            return QStringLiteral("Beach at dawn");
        return QString();
    };
    p.exif = [](const QString &path) {
        fileList::ExifTexts e;
        if (path.endsWith("a.jpg")) {
            e = texts("F11.0", "1/60", "1600", "50.0 mm", "Canon EOS 10D", "2004:07:14 18:32:05");
        } else if (path.endsWith("b.jpg")) {
            e = texts("F2.8", "1/250", "Auto", "18.0 mm", "NIKON D70", "2005:05:02 09:12:33");
        } else if (path.endsWith("c.jpg")) {
            e = texts("F5.6", "2.5", "100", "105.0 mm", "Canon PowerShot G2", "");
        }
        return e;
    };
    return p;
}

QStringList order(const FileListModel &m)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.nameAt(r);
    return out;
}

} // namespace

class TestFileList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellOrder_data();
    void cellOrder();
    void sortByColumn_data();
    void sortByColumn();
    void clicksOnTheHeader_data();
    void clicksOnTheHeader();
    void nameOrderAsTheCaseInsensitiveCompare_data();
    void nameOrderAsTheCaseInsensitiveCompare();
    void sortSurvivesRefreshAndResetsOnViewSwitch();
    void filter_data();
    void filter();
    void spacesOnlyFilterIsNoChange();
    void statusText_data();
    void statusText();
    void rowsKeepTheirScanIndex();
    void updateFromANewScan_data();
    void updateFromANewScan();
    void updateKeepsTheSelectedRow();
};

void TestFileList::cellOrder_data()
{
    QTest::addColumn<Column>("column");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("sign");
    QTest::newRow("aperture numeric") << Column::Aperture << "F2.8" << "F11.0" << -1;
    QTest::newRow("iso auto first") << Column::Iso << "Auto" << "100" << -1;
    QTest::newRow("iso numeric") << Column::Iso << "100" << "1600" << -1;
    QTest::newRow("iso empty last") << Column::Iso << "" << "1600" << 1;
    QTest::newRow("exposure fraction below seconds") << Column::Exposure << "1/250" << "2.5" << -1;
    QTest::newRow("exposure fractions") << Column::Exposure << "1/60" << "1/250" << 1;
    QTest::newRow("focal numeric") << Column::Focal << "18.0 mm" << "105.0 mm" << -1;
    QTest::newRow("focal without space is 0") << Column::Focal << "junk" << "1.0 mm" << -1;
    QTest::newRow("text lower-cased") << Column::Camera << "canon" << "Canon" << 0;
    QTest::newRow("both empty equal") << Column::Camera << "" << "" << 0;
    QTest::newRow("zero denominator sorts as 0") << Column::Exposure << "1/0" << "1/8000" << -1;
}

void TestFileList::cellOrder()
{
    QFETCH(Column, column);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, sign);
    const int c = fileList::compareCells(column, first, second);
    QCOMPARE((c > 0) - (c < 0), sign);
}

void TestFileList::sortByColumn_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("expected");
    // EXIF view positions: 0 name, 1 aperture, 2 exposure, 3 ISO, 4 focal,
    // 5 camera, 6 date, 7 description.
    QTest::newRow("name") << 0 << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    QTest::newRow("aperture") << 1 << QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"};
    QTest::newRow("exposure") << 2 << QStringList{"b.jpg", "a.jpg", "c.jpg", "d.jpg"};
    QTest::newRow("iso, auto first, empty last") << 3 << QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"};
    QTest::newRow("focal") << 4 << QStringList{"b.jpg", "a.jpg", "c.jpg", "d.jpg"};
    QTest::newRow("date, empty last") << 6 << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    QTest::newRow("description") << 7 << QStringList{"b.jpg", "a.jpg", "c.jpg", "d.jpg"};
}

void TestFileList::sortByColumn()
{
    QFETCH(int, position);
    QFETCH(QStringList, expected);
    FileListModel m;
    m.setProviders(fakeProviders());
    m.setShowMode(1);
    m.fill(entries({"d.jpg", "c.jpg", "a.jpg", "b.jpg"}), "/p/", QString());
    m.setSort(position, false);
    QCOMPARE(order(m), expected);
}

void TestFileList::clicksOnTheHeader_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("descending");
    // EXIF view positions as above; d.jpg has no EXIF cells.
    QTest::newRow("name again reverses") << QList<int>{0} << QStringList{"d.jpg", "c.jpg", "b.jpg", "a.jpg"} << true;
    QTest::newRow("name twice is ascending") << QList<int>{0, 0} << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}
                                             << false;
    QTest::newRow("iso once") << QList<int>{3} << QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"} << false;
    QTest::newRow("iso twice: reversed, empty still last") << QList<int>{3, 3}
                                                          << QStringList{"a.jpg", "c.jpg", "b.jpg", "d.jpg"} << true;
    QTest::newRow("another column starts ascending") << QList<int>{3, 3, 1}
                                                     << QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"} << false;
    QTest::newRow("reversed, equal cells in name order") << QList<int>{7, 7}
                                                         << QStringList{"b.jpg", "a.jpg", "c.jpg", "d.jpg"} << true;
}

void TestFileList::clicksOnTheHeader()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, expected);
    QFETCH(bool, descending);
    FileListModel m;
    m.setProviders(fakeProviders());
    m.setShowMode(1);
    m.fill(entries({"c.jpg", "d.jpg", "a.jpg", "b.jpg"}), "/p/", QString());
    for (int position : clicks)
        m.sortByPosition(position);
    QCOMPARE(order(m), expected);
    QCOMPARE(m.sortDescending(), descending);
    // A refresh keeps column and direction.
    m.fill(entries({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}), "/p/", QString());
    QCOMPARE(order(m), expected);
}

// Label order is QString's case-insensitive compare, names equal but for
// case in case-sensitive order, in either direction; mixed ASCII and other
// names included (the sort takes a shortcut for ASCII names).
void TestFileList::nameOrderAsTheCaseInsensitiveCompare_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("case and punctuation")
        << QStringList{"b.jpg", "A_1.jpg", "a-1.jpg", "a.jpg", "A.jpg", "[x].jpg", "a1.JPG", "Z.jpg", "_z.jpg", "~.jpg"};
    QTest::newRow("mixed with non-ASCII")
        << QStringList{QString::fromUtf8("Äpfel.jpg"), "apfel.jpg", QString::fromUtf8("éclair.jpg"), "Eclair.jpg",
                       QString::fromUtf8("ß.jpg"), "ss.jpg", QString::fromUtf8("Ω.jpg"), QString::fromUtf8("ω.jpg"),
                       "zz.jpg", "ZZ.jpg", "", "a"};
    QStringList many;
    for (int i = 0; i < 300; ++i)
        many << QStringLiteral("%1img_%2.%3").arg(i % 7 == 0 ? QString::fromUtf8("é") : QString()).arg((i * 7919) % 300).arg(i % 2 ? "JPG" : "jpg");
    QTest::newRow("many") << many;
}

void TestFileList::nameOrderAsTheCaseInsensitiveCompare()
{
    QFETCH(QStringList, names);
    QStringList expected = names;
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    FileListModel m;
    m.fill(entries(names), "/p/", QString());
    QCOMPARE(order(m), expected);
    m.sortByPosition(0);
    std::reverse(expected.begin(), expected.end());
    QCOMPARE(order(m), expected);
}

void TestFileList::sortSurvivesRefreshAndResetsOnViewSwitch()
{
    FileListModel m;
    m.setProviders(fakeProviders());
    m.setShowMode(1);
    m.fill(entries({"a.jpg", "b.jpg", "c.jpg"}), "/p/", QString());
    m.sortByPosition(2);
    m.fill(entries({"c.jpg", "a.jpg", "b.jpg"}), "/p/", QString()); // refresh
    QCOMPARE(m.sortPosition(), 2);
    QCOMPARE(order(m), QStringList({"b.jpg", "a.jpg", "c.jpg"}));
    m.sortByPosition(2);
    QVERIFY(m.sortDescending());
    m.setShowMode(0);
    QCOMPARE(m.sortPosition(), 0);
    QVERIFY(!m.sortDescending());
    QCOMPARE(order(m), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
    QCOMPARE(m.columnCount(), 2);
}

void TestFileList::filter_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty passes all") << 0 << "" << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    QTest::newRow("camera in the EXIF view") << 1 << "CANON" << QStringList{"a.jpg", "c.jpg"};
    QTest::newRow("camera not in the short view") << 0 << "canon" << QStringList{};
    QTest::newRow("description in both") << 0 << "dawn" << QStringList{"b.jpg"};
    QTest::newRow("name") << 0 << "C.JP" << QStringList{"c.jpg"};
    QTest::newRow("iso text") << 1 << "auto" << QStringList{"b.jpg"};
    QTest::newRow("spaces are part of the filter") << 0 << " " << QStringList{"b.jpg"};
    QTest::newRow("concatenation has no separators") << 1 << "10d2004" << QStringList{"a.jpg"};
}

void TestFileList::filter()
{
    QFETCH(int, mode);
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    FileListModel m;
    m.setProviders(fakeProviders());
    m.setShowMode(mode);
    m.fill(entries({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}), "/p/", filter);
    QCOMPARE(order(m), expected);
    // Hidden files keep an empty name in the names table.
    int named = 0;
    for (const QString &n : m.names())
        named += n.isEmpty() ? 0 : 1;
    QCOMPARE(named, expected.size());
}

void TestFileList::spacesOnlyFilterIsNoChange()
{
    QVERIFY(!fileList::filterChanged("   ", ""));
    QVERIFY(fileList::filterChanged(" canon ", ""));
    QVERIFY(!fileList::filterChanged(" canon ", "canon"));
}

void TestFileList::statusText_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("rows");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing selected") << 0 << 0 << 5 << qint64(10) << "";
    QTest::newRow("one, bytes") << 1 << 2 << 5 << qint64(1023) << ". 3/5, 1023 b";
    QTest::newRow("one, exactly 1024") << 1 << 0 << 5 << qint64(1024) << ". 1/5, 1.0 Kb";
    QTest::newRow("one, top of Kb") << 1 << 0 << 5 << qint64(1048575) << ". 1/5, 1024.0 Kb";
    QTest::newRow("one, Mb") << 1 << 4 << 5 << qint64(5 * 1048576 + 104858) << ". 5/5, 5.1 Mb";
    QTest::newRow("several, Kb") << 3 << 1 << 10 << qint64(3 * 1536) << ". sel: 3/10, 4.5 Kb";
    QTest::newRow("several, past 4 GB") << 2 << 0 << 2 << qint64(5) * 1024 * 1048576 << ". sel: 2/2, 5120.0 Mb";
}

void TestFileList::statusText()
{
    QFETCH(int, selected);
    QFETCH(int, firstRow);
    QFETCH(int, rows);
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(fileList::selectionStatusText(selected, firstRow, rows, bytes), text);
}

void TestFileList::rowsKeepTheirScanIndex()
{
    FileListModel m;
    m.setProviders(fakeProviders());
    m.setShowMode(1);
    m.fill(entries({"d.jpg", "x.link", "a.jpg", "b.jpg"}), "/p/", QString());
    QCOMPARE(m.scanIndexAt(0), 2); // a.jpg was third in the scan
    m.sortByPosition(1);
    QCOMPARE(m.nameAt(m.rowOfScanIndex(3)), QString("b.jpg"));
    QVERIFY(m.isLinkAt(m.rowOfLowerName("x.link")));
    // A link's own EXIF is read, which it has none of.
    QVERIFY(m.data(m.index(m.rowOfLowerName("x.link"), 5), Qt::DisplayRole).toString().isEmpty());
    m.removeFileRow(m.rowOfScanIndex(2));
    QVERIFY(m.names()[2].isEmpty());
    QCOMPARE(m.rowOfScanIndex(2), -1);
    QCOMPARE(m.rowCount(), 3);
}

void TestFileList::updateFromANewScan_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("sortPosition");
    QTest::addColumn<QStringList>("scan");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("removed");
    // The fill had c.jpg, d.jpg, a.jpg; the filter hid none of them unless
    // stated.
    QTest::newRow("nothing changed") << "" << 0 << QStringList{"a.jpg", "c.jpg", "d.jpg"}
                                     << QStringList{"a.jpg", "c.jpg", "d.jpg"} << QStringList{} << QStringList{};
    QTest::newRow("one came, in its place") << "" << 0 << QStringList{"a.jpg", "c.jpg", "d.jpg", "b.jpg"}
                                            << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"} << QStringList{"b.jpg"}
                                            << QStringList{};
    QTest::newRow("one went") << "" << 0 << QStringList{"a.jpg", "d.jpg"} << QStringList{"a.jpg", "d.jpg"}
                              << QStringList{} << QStringList{"c.jpg"};
    QTest::newRow("renamed: gone and come") << "" << 0 << QStringList{"a.jpg", "b.jpg", "d.jpg"}
                                            << QStringList{"a.jpg", "b.jpg", "d.jpg"} << QStringList{"b.jpg"}
                                            << QStringList{"c.jpg"};
    QTest::newRow("sorted by aperture") << "" << 1 << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}
                                        << QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"} << QStringList{"b.jpg"}
                                        << QStringList{};
    QTest::newRow("a newcomer the filter hides") << "canon" << 0 << QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}
                                                 << QStringList{"a.jpg", "c.jpg"} << QStringList{} << QStringList{};
    QTest::newRow("everything went") << "" << 0 << QStringList{} << QStringList{} << QStringList{}
                                     << QStringList{"d.jpg", "c.jpg", "a.jpg"};
}

void TestFileList::updateFromANewScan()
{
    QFETCH(QString, filter);
    QFETCH(int, sortPosition);
    QFETCH(QStringList, scan);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, added);
    QFETCH(QStringList, removed);
    FileListModel m;
    m.setProviders(fakeProviders());
    m.setShowMode(1);
    m.fill(entries({"c.jpg", "d.jpg", "a.jpg"}), "/p/", filter);
    m.setSort(sortPosition, false);
    const FileListModel::Update update = m.update(entries(scan));
    QCOMPARE(order(m), expected);
    QCOMPARE(update.added, added);
    QCOMPARE(update.removed, removed);
    // Newcomers take scan indices after the fill's; the names table follows.
    for (const QString &name : added) {
        const int scanIndex = m.scanIndexAt(m.rowOfName(name));
        QVERIFY(scanIndex >= 3);
        QCOMPARE(m.names()[size_t(scanIndex)], name);
    }
    for (const QString &name : removed)
        QCOMPARE(m.rowOfName(name), -1);
    // The EXIF cells of a newcomer are read as a fill reads them.
    if (added.contains("b.jpg"))
        QCOMPARE(m.data(m.index(m.rowOfName("b.jpg"), 3), Qt::DisplayRole).toString(), QString("Auto"));
    // A second update with the same scan changes nothing.
    QVERIFY(m.update(entries(scan)).isEmpty());
}

void TestFileList::updateKeepsTheSelectedRow()
{
    FileListModel m;
    m.setProviders(fakeProviders());
    m.fill(entries({"b.jpg", "d.jpg"}), "/p/", QString());
    QItemSelectionModel selection(&m);
    selection.setCurrentIndex(m.index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m.update(entries({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    // d.jpg stays selected though two rows came in above it.
    QCOMPARE(m.nameAt(selection.currentIndex().row()), QString("d.jpg"));
    QCOMPARE(selection.selectedRows().size(), 1);
    QCOMPARE(m.nameAt(selection.selectedRows().first().row()), QString("d.jpg"));
}

QTEST_GUILESS_MAIN(TestFileList)
#include "tst_filelist.moc"
