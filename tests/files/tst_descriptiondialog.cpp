#include "core/files/DescriptionEdit.h"
#include "core/files/DescriptionStore.h"
#include "core/files/FileListModel.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "support/TestSupport.h"
#include "ui/files/DescriptionDialog.h"
#include "ui/files/FileListPane.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quorvel;

namespace {

enum Action { Save, Cancel, Enter };

} // namespace

class TestDescriptionDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void label_data();
    void label();
    void saveAndCancel_data();
    void saveAndCancel();
    void editSelectedUpdatesTheRow();

private:
    QTemporaryDir m_dir;
};

void TestDescriptionDialog::init()
{
    installSettingsStore(std::make_unique<MemorySettingsStore>());
    QVERIFY(m_dir.isValid());
    for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(m_dir.filePath(name));
}

void TestDescriptionDialog::label_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("label");
    QTest::newRow("photo") << "/p/IMG_0001.JPG" << "Description of \"IMG_0001.JPG\":";
    // A link is named as it stands in the list.
    QTest::newRow("link") << "/p/IMG_0001.JPG.link" << "Description of \"IMG_0001.JPG.link\":";
    QTest::newRow("no extension") << "/p/README" << "Description of \"README\":";
    QTest::newRow("placeholder in the name") << "/p/50%s off.jpg" << "Description of \"50%s off.jpg\":";
}

void TestDescriptionDialog::label()
{
    QFETCH(QString, path);
    QTEST(DescriptionEdit::labelFor(path), "label");
}

void TestDescriptionDialog::saveAndCancel_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("changed, Save") << "Sunset" << "Sunset at sea" << int(Save) << true;
    QTest::newRow("emptied, Save") << "Sunset" << "" << int(Save) << true;
    QTest::newRow("unchanged, Save") << "Sunset" << "Sunset" << int(Save) << false;
    QTest::newRow("new, Save") << "" << "Harbour" << int(Save) << true;
    QTest::newRow("changed, Cancel") << "Sunset" << "Sunrise" << int(Cancel) << false;
    QTest::newRow("changed, Enter") << "Sunset" << "Sunrise" << int(Enter) << true;
    QTest::newRow("unchanged, Enter") << "" << "" << int(Enter) << false;
}

void TestDescriptionDialog::saveAndCancel()
{
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(int, action);
    QFETCH(bool, accepted);
    const QString photo = m_dir.filePath("IMG_1.JPG");
    QVERIFY(test::writeFile(photo, "x"));
    if (!start.isEmpty())
        QVERIFY(test::writeFile(m_dir.filePath("descript.ion"), "IMG_1.JPG " + start.toUtf8() + "\r\n"));

    DescriptionStore store;
    store.load(DescriptionStore::fileInFolder(m_dir.path() + '/'));
    DescriptionEdit edit(store, photo);
    DescriptionDialog dialog(edit);
    QCOMPARE(dialog.windowTitle(), QString("Edit description"));
    QCOMPARE(dialog.editor()->text(), start);
    QCOMPARE(dialog.findChild<QLabel *>()->text(), QString("Description of \"IMG_1.JPG\":"));
    dialog.show();
    dialog.editor()->setText(typed);
    dialog.editor()->setFocus();
    switch (action) {
    case Save: dialog.saveButton()->click(); break;
    case Cancel: dialog.cancelButton()->click(); break;
    case Enter: QTest::keyClick(dialog.editor(), Qt::Key_Return); break;
    }
    QCOMPARE(dialog.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(dialog.isVisible(), false);
}

void TestDescriptionDialog::editSelectedUpdatesTheRow()
{
    for (const char *name : {"a.jpg", "b.jpg"})
        QVERIFY(test::writeFile(m_dir.filePath(name), "x"));
    FileListPane pane;
    pane.fillList({{"a.jpg", FolderEntry::ListedFile}, {"b.jpg", FolderEntry::ListedFile}}, m_dir.path(), true);
    pane.selectOnly(1);

    // Answers the dialog once it is open.
    const auto answer = [](const QString &text, bool save) {
        QTimer::singleShot(0, [text, save] {
            auto *dialog = qobject_cast<DescriptionDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->editor()->setText(text);
            (save ? dialog->saveButton() : dialog->cancelButton())->click();
        });
    };
    answer("Old harbour", true);
    QVERIFY(DescriptionDialog::editSelected(pane, nullptr));
    QCOMPARE(pane.model()->index(1, 1).data().toString(), QString("Old harbour"));
    QCOMPARE(test::readFile(m_dir.filePath("descript.ion")), QByteArray("b.jpg Old harbour\r\n"));

    // Save with the text unchanged writes nothing.
    QFile::remove(m_dir.filePath("descript.ion"));
    answer("Old harbour", true);
    QVERIFY(!DescriptionDialog::editSelected(pane, nullptr));
    QVERIFY(!QFileInfo::exists(m_dir.filePath("descript.ion")));

    // Without a selection nothing opens.
    pane.fillList({}, m_dir.path(), false);
    QVERIFY(!DescriptionDialog::editSelected(pane, nullptr));
}

QTEST_MAIN(TestDescriptionDialog)
#include "tst_descriptiondialog.moc"
