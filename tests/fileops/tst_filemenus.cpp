#include "ui/fileops/FileMenuItems.h"
#include "ui/frame/CommandIds.h"

#include <QTest>

using namespace quorvel;

namespace {

// "id text" per item, "-" for a separator, "(off)" after a disabled text.
QStringList render(const QList<MenuItem> &items)
{
    QStringList out;
    for (const MenuItem &item : items) {
        if (item.isSeparator())
            out.append(QStringLiteral("-"));
        else
            out.append(QStringLiteral("%1 %2%3").arg(item.id).arg(item.text, item.enabled ? "" : " (off)"));
    }
    return out;
}

QStringList favourites(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list.append(QStringLiteral("/f%1").arg(i));
    return list;
}

} // namespace

class TestFileMenus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void contextMenu_data();
    void contextMenu();
    void twelveFavourites_data();
    void twelveFavourites();
    void editorItems_data();
    void editorItems();
    void dropDowns_data();
    void dropDowns();
    void ampersandsShowAsThemselves();
};

void TestFileMenus::contextMenu_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("favourites");
    QTest::addColumn<QStringList>("editors");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one file, two favourites, one editor")
        << QStringList{"/p/IMG_1.JPG"} << QStringList{"/photos", "/trips"} << QStringList{"/usr/bin/gimp"}
        << QStringList{"32866 Edit file description...",
                       "-",
                       "30900 Copy file to folder...",
                       "30901 Copy file \"IMG_1.JPG\" to folder /photos\t(&1)",
                       "30902 Copy file \"IMG_1.JPG\" to folder /trips\t(&2)",
                       "-",
                       "31200 Create link in folder...",
                       "31201 Create link to file \"IMG_1.JPG\" in folder /photos\t(&a)",
                       "31202 Create link to file \"IMG_1.JPG\" in folder /trips\t(&b)",
                       "-",
                       "32785 Setup folders list...",
                       "-",
                       "32780 Add editor...",
                       "30600 Edit \"IMG_1.JPG\" with \"/usr/bin/gimp\""};
    QTest::newRow("one file, empty lists")
        << QStringList{"/p/a.jpg"} << QStringList{} << QStringList{}
        << QStringList{"32866 Edit file description...",
                       "-",
                       "30900 Copy file to folder...",
                       "60001 Folders list is empty (off)",
                       "-",
                       "31200 Create link in folder...",
                       "60000 Folders list is empty (off)",
                       "-",
                       "32785 Setup folders list...",
                       "-",
                       "32780 Add editor...",
                       "60000 Editors list is empty (off)"};
    QTest::newRow("three files: no description, no links")
        << QStringList{"/p/a.jpg", "/q/b.jpg", "/p/c.jpg"} << QStringList{"/photos"}
        << QStringList{"/usr/bin/gimp", "/usr/bin/display"}
        << QStringList{"30900 Copy 3 selected files to folder...",
                       "30901 Copy 3 selected files to folder /photos\t(&1)",
                       "-",
                       "32785 Setup folders list...",
                       "-",
                       "32780 Add editor...",
                       "30600 Edit 3 selected files with \"/usr/bin/gimp\"",
                       "30601 Edit 3 selected files with \"/usr/bin/display\""};
    QTest::newRow("two files, no favourites")
        << QStringList{"/p/a.jpg", "/p/b.jpg"} << QStringList{} << QStringList{}
        << QStringList{"30900 Copy 2 selected files to folder...",
                       "60001 Folders list is empty (off)",
                       "-",
                       "32785 Setup folders list...",
                       "-",
                       "32780 Add editor...",
                       "60000 Editors list is empty (off)"};
    QTest::newRow("no files, no menu") << QStringList{} << QStringList{"/photos"} << QStringList{} << QStringList{};
}

void TestFileMenus::contextMenu()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, favourites);
    QFETCH(QStringList, editors);
    QFETCH(QStringList, expected);
    QCOMPARE(render(FileMenuItems::contextMenu(files, favourites, editors)), expected);
}

void TestFileMenus::twelveFavourites_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("firstId");
    QTest::addColumn<QStringList>("nine");
    QTest::addColumn<QStringList>("tenToTwelve");
    QTest::newRow("copy, one file") << 1 << 30901 << QStringList{"Copy file \"a.jpg\" to folder /f9\t(&9)"}
                                    << QStringList{"Copy file \"a.jpg\" to folder /f10",
                                                   "Copy file \"a.jpg\" to folder /f11",
                                                   "Copy file \"a.jpg\" to folder /f12"};
    QTest::newRow("link, one file") << 1 << 31201
                                    << QStringList{"Create link to file \"a.jpg\" in folder /f9\t(&i)"}
                                    << QStringList{"Create link to file \"a.jpg\" in folder /f10",
                                                   "Create link to file \"a.jpg\" in folder /f11",
                                                   "Create link to file \"a.jpg\" in folder /f12"};
    QTest::newRow("copy, two files") << 2 << 30901 << QStringList{"Copy 2 selected files to folder /f9\t(&9)"}
                                     << QStringList{"Copy 2 selected files to folder /f10",
                                                    "Copy 2 selected files to folder /f11",
                                                    "Copy 2 selected files to folder /f12"};
}

void TestFileMenus::twelveFavourites()
{
    QFETCH(int, files);
    QFETCH(int, firstId);
    QFETCH(QStringList, nine);
    QFETCH(QStringList, tenToTwelve);
    QStringList paths{"/p/a.jpg"};
    if (files == 2)
        paths.append("/p/b.jpg");
    QStringList texts;
    for (const MenuItem &item : FileMenuItems::contextItems(paths, favourites(12))) {
        if (item.id >= firstId && item.id < firstId + 12)
            texts.append(item.text);
    }
    QCOMPARE(texts.size(), 12);
    QCOMPARE(texts.at(8), nine.first());
    QCOMPARE(texts.mid(9), tenToTwelve);
}

void TestFileMenus::editorItems_data()
{
    QTest::addColumn<bool>("accelerators");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");
    const QStringList none;
    QTest::newRow("one file, keys") << true << 1
                                    << QStringList{"30600 Edit \"a.jpg\" with \"/bin/e1\" \t(&1)",
                                                   "30609 Edit \"a.jpg\" with \"/bin/e10\" \t(&10)",
                                                   "30610 Edit \"a.jpg\" with \"/bin/e11\" \t(&11)"};
    QTest::newRow("one file, plain") << false << 1
                                     << QStringList{"30600 Edit \"a.jpg\" with \"/bin/e1\"",
                                                    "30609 Edit \"a.jpg\" with \"/bin/e10\"",
                                                    "30610 Edit \"a.jpg\" with \"/bin/e11\""};
    QTest::newRow("four files, keys") << true << 4
                                      << QStringList{"30600 Edit 4 selected files with \"/bin/e1\" \t(&1)",
                                                     "30609 Edit 4 selected files with \"/bin/e10\" \t(&10)",
                                                     "30610 Edit 4 selected files with \"/bin/e11\" \t(&11)"};
    QTest::newRow("four files, plain") << false << 4
                                       << QStringList{"30600 Edit 4 selected files with \"/bin/e1\"",
                                                      "30609 Edit 4 selected files with \"/bin/e10\"",
                                                      "30610 Edit 4 selected files with \"/bin/e11\""};
}

void TestFileMenus::editorItems()
{
    QFETCH(bool, accelerators);
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    QStringList editors;
    for (int i = 1; i <= 11; ++i)
        editors.append(QStringLiteral("/bin/e%1").arg(i));
    const QStringList all = render(FileMenuItems::editorItems(editors, "a.jpg", accelerators, count));
    QCOMPARE(all.size(), 11);
    QCOMPARE((QStringList{all.at(0), all.at(9), all.at(10)}), expected);
}

void TestFileMenus::dropDowns_data()
{
    QTest::addColumn<bool>("editorsMenu");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("favourites") << false << QStringList{"/photos", "/trips"}
                                << QStringList{"32780 Setup editors list...", "-", "32777 Show all",
                                               "30001 /photos", "30002 /trips"};
    QTest::newRow("no favourites") << false << QStringList{}
                                   << QStringList{"32780 Setup editors list...", "-",
                                                  "60000 Folders list is empty (off)"};
    QTest::newRow("editors") << true << QStringList{"/bin/ed"}
                             << QStringList{"32780 Add editor...", "-", "30600 Edit \"a.jpg\" with \"/bin/ed\" \t(&1)"};
    QTest::newRow("no editors (F4)") << true << QStringList{}
                                     << QStringList{"32780 Add editor...", "-", "60000 Editors list is empty (off)"};
}

void TestFileMenus::dropDowns()
{
    QFETCH(bool, editorsMenu);
    QFETCH(QStringList, list);
    QFETCH(QStringList, expected);
    const QList<MenuItem> items =
        editorsMenu ? FileMenuItems::editorsDropDown(list, "a.jpg") : FileMenuItems::favouritesDropDown(list);
    QCOMPARE(render(items), expected);
}

void TestFileMenus::ampersandsShowAsThemselves()
{
    const QList<MenuItem> items = FileMenuItems::contextItems({"/p/Tom & Jerry.jpg"}, {"/R&D"});
    QCOMPARE(items.at(3).text, QString("Copy file \"Tom && Jerry.jpg\" to folder /R&&D\t(&1)"));
    // The lists address at most 100 entries each.
    QCOMPARE(FileMenuItems::favouritesDropDown(favourites(150)).size(), 3 + FileMenuItems::kMaxEntries);
}

QTEST_GUILESS_MAIN(TestFileMenus)
#include "tst_filemenus.moc"
