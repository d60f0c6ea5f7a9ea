#include "support/TestSupport.h"

#include "core/fileops/VersionTexts.h"
#include "ui/fileops/VersionDialog.h"
#include "ui/fileops/WallpaperDialog.h"
#include "ui/fileops/PreviewBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

// The version dialog with the user's answers given in advance and the
// messages recorded instead of shown.
class TestableVersionDialog : public VersionDialog
{
public:
    using VersionDialog::VersionDialog;

    QList<VersionControl::Message> messages;
    bool agree = true;
    int asked = 0;
    QString saveAs;

    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void select(int row) { versionsList()->setCurrentRow(row); }
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < versionsList()->count(); ++i)
            out.append(versionsList()->item(i)->text());
        return out;
    }
    bool versionButtons() const
    {
        return deleteButton()->isEnabled() && restoreButton()->isEnabled() && saveToButton()->isEnabled();
    }

protected:
    void showMessage(const VersionControl::Message &message) override
    {
        if (!message.isNull())
            messages.append(message);
    }
    bool confirmDelete() override
    {
        ++asked;
        return agree;
    }
    bool confirmRestore(int) override
    {
        ++asked;
        return agree;
    }
    QString chooseSaveFile() override { return saveAs; }
};

class TestableWallpaperDialog : public WallpaperDialog
{
public:
    using WallpaperDialog::WallpaperDialog;

    bool succeed = true;
    QStringList applied;
    QStringList said; // "info: ..." or "warning: ..."

protected:
    bool applyWallpaper(const QString &path, QString *error) override
    {
        applied.append(path);
        if (!succeed)
            *error = QStringLiteral("gsettings failed: No such schema");
        return succeed;
    }
    void inform(const QString &text) override { said.append("info: " + text); }
    void warn(const QString &text) override { said.append("warning: " + text); }
};

QImage picture(QColor colour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestFileOpsDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void noVersions();
    void rememberAndSelect();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void versionButtonsWithoutSelection();
    void restoreAndSaveTo();
    void failedRememberIsReported();
    void saveDialogProposal();
    void wallpaperDialog_data();
    void wallpaperDialog();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_repository;
    QString m_photo;
};

void TestFileOpsDialogs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_repository = m_dir->filePath("repository");
    m_photo = m_dir->filePath("photo.jpg");
    QVERIFY(picture(Qt::red).save(m_photo, "JPEG"));
}

void TestFileOpsDialogs::noVersions()
{
    TestableVersionDialog dialog(m_photo, m_repository);
    QCOMPARE(dialog.windowTitle(), QString("Version control"));
    QCOMPARE(dialog.rows(), QStringList{"No versions"});
    QVERIFY(!dialog.versionButtons());
    dialog.select(0);
    QVERIFY(!dialog.deleteButton()->isEnabled());
    QVERIFY(!dialog.versionLabelShown());
    QVERIFY(dialog.versionPreview()->file().isEmpty());
    QCOMPARE(dialog.currentPreview()->file(), m_photo);
}

void TestFileOpsDialogs::rememberAndSelect()
{
    TestableVersionDialog dialog(m_photo, m_repository);
    dialog.onRemember();
    dialog.onRemember();
    QCOMPARE(dialog.rows().size(), 2);
    QVERIFY(dialog.rows()[0].startsWith("v1, modified: "));
    QVERIFY(dialog.rows()[1].startsWith("v2, modified: "));
    QCOMPARE(dialog.messages.size(), 2);
    QCOMPARE(dialog.messages.last().text, "File " + QDir::toNativeSeparators(m_photo) + " was copyed to repository");
    QCOMPARE(dialog.messages.last().caption, QString("Version control"));
    QVERIFY(!dialog.messages.last().warning);

    dialog.select(1);
    QVERIFY(dialog.versionButtons());
    QVERIFY(dialog.versionLabelShown());
    QVERIFY(dialog.versionPreview()->file().endsWith(".v2.jpg"));
    QSignalSpy loaded(dialog.versionPreview(), &PreviewBox::loaded);
    QVERIFY(dialog.versionPreview()->hasPicture() || loaded.wait());
    QVERIFY(dialog.versionPreview()->hasPicture());
    QVERIFY(!dialog.filesChanged());
}

void TestFileOpsDialogs::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("agree");
    QTest::addColumn<int>("rowsAfter");
    QTest::newRow("declined") << false << 2;
    QTest::newRow("agreed") << true << 1;
}

void TestFileOpsDialogs::deleteAsksFirst()
{
    QFETCH(bool, agree);
    QFETCH(int, rowsAfter);
    TestableVersionDialog dialog(m_photo, m_repository);
    dialog.onRemember();
    dialog.onRemember();
    dialog.messages.clear();
    dialog.select(0);
    dialog.agree = agree;
    dialog.onDelete();
    QCOMPARE(dialog.asked, 1);
    QCOMPARE(dialog.rows().size(), rowsAfter);
    QVERIFY(dialog.messages.isEmpty());
    QVERIFY(dialog.rows().last().startsWith("v2,"));
}

void TestFileOpsDialogs::versionButtonsWithoutSelection()
{
    TestableVersionDialog dialog(m_photo, m_repository);
    dialog.onRemember();
    dialog.messages.clear();
    dialog.versionsList()->clearSelection();
    QVERIFY(!dialog.versionButtons());
    for (void (VersionDialog::*button)() : {&VersionDialog::onDelete, &VersionDialog::onRestore, &VersionDialog::onSaveTo}) {
        (dialog.*button)();
        QCOMPARE(dialog.lastText(), QString("No versions selected"));
        QCOMPARE(dialog.messages.last().caption, QString("Warning"));
    }
    QCOMPARE(dialog.asked, 0);
    QCOMPARE(dialog.rows().size(), 1);
}

void TestFileOpsDialogs::restoreAndSaveTo()
{
    TestableVersionDialog dialog(m_photo, m_repository);
    const QByteArray first = test::readFile(m_photo);
    dialog.onRemember();
    QVERIFY(picture(Qt::blue).save(m_photo, "JPEG"));
    QVERIFY(test::readFile(m_photo) != first);

    dialog.select(0);
    dialog.agree = false;
    dialog.onRestore();
    QVERIFY(test::readFile(m_photo) != first);
    QVERIFY(!dialog.filesChanged());

    dialog.agree = true;
    dialog.onRestore();
    QCOMPARE(test::readFile(m_photo), first);
    QCOMPARE(dialog.lastText(), QString("File was restored"));
    QCOMPARE(dialog.messages.last().caption, QDir::toNativeSeparators(m_photo));
    QVERIFY(dialog.filesChanged());

    dialog.messages.clear();
    dialog.saveAs = QString(); // cancelled
    dialog.onSaveTo();
    QVERIFY(dialog.messages.isEmpty());
    dialog.saveAs = m_dir->filePath("copy.jpg");
    dialog.onSaveTo();
    QCOMPARE(test::readFile(dialog.saveAs), first);
    QCOMPARE(dialog.lastText(), QString("File was saved"));
    QCOMPARE(dialog.messages.last().caption, QString("photo.jpg"));
}

void TestFileOpsDialogs::failedRememberIsReported()
{
    TestableVersionDialog dialog(m_dir->filePath("gone.jpg"), m_repository);
    dialog.onRemember();
    QCOMPARE(dialog.messages.size(), 1);
    QVERIFY(dialog.messages.last().warning);
    QCOMPARE(dialog.messages.last().caption, QString("Warning"));
    QVERIFY2(dialog.lastText().contains("gone.jpg"), qPrintable(dialog.lastText()));
    QCOMPARE(dialog.rows(), QStringList{"No versions"});
}

void TestFileOpsDialogs::saveDialogProposal()
{
    VersionControl control(m_photo, m_repository);
    QCOMPARE(control.proposedFileName(), QString("photo.jpg"));
    QCOMPARE(control.saveToTitle(), QString("Choose folder to save photo.jpg"));
    QCOMPARE(control.saveToFilter(), QString("jpg Files (*.jpg)"));
    QCOMPARE(control.defaultSuffix(), QString("jpg"));
}

void TestFileOpsDialogs::wallpaperDialog_data()
{
    QTest::addColumn<bool>("succeed");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<QString>("said");
    QTest::newRow("set") << true << false << "info: Wallpaper was changed";
    QTest::newRow("reset") << true << true << "info: Wallpaper was set to defaults";
    QTest::newRow("failure is reported") << false << false << "warning: gsettings failed: No such schema";
}

void TestFileOpsDialogs::wallpaperDialog()
{
    QFETCH(bool, succeed);
    QFETCH(bool, reset);
    QFETCH(QString, said);
    TestableWallpaperDialog dialog(m_photo);
    QCOMPARE(dialog.windowTitle(), QDir::toNativeSeparators(m_photo));
    dialog.succeed = succeed;
    reset ? dialog.onReset() : dialog.onSet();
    QCOMPARE(dialog.applied, QStringList{reset ? QString() : m_photo});
    QCOMPARE(dialog.said, QStringList{said});
}

QTEST_MAIN(TestFileOpsDialogs)
#include "tst_fileopsdialogs.moc"
