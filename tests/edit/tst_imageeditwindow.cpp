#include "EditTestFiles.h"
#include "support/TestSupport.h"

#include "core/edit/TiffEncoder.h"
#include "core/edit/ToneCurve.h"
#include "core/edit/ToneCurvePresets.h"
#include "ui/edit/CurvesDialog.h"
#include "ui/edit/ImageEditWindow.h"
#include "ui/edit/RedEyeDialog.h"
#include "ui/frame/MainWindowAside.h"
#include "ui/edit/SaveMessages.h"
#include "ui/print/PreviewWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

// Records every message; Yes/No questions get yes, the closing question
// gets choice.
struct Messages
{
    QStringList texts;
    bool yes = true;
    QMessageBox::StandardButton choice = QMessageBox::Cancel;
    Messages()
    {
        savemessages::setHandler([this](const QString &text, bool) {
            texts.append(text);
            return yes;
        });
        savemessages::setChoiceHandler([this](const QString &text) {
            texts.append(text);
            return choice;
        });
    }
    ~Messages()
    {
        savemessages::setHandler({});
        savemessages::setChoiceHandler({});
    }
};

// The edit window with its own dialogs run by the test.
class EditWindow : public ImageEditWindow
{
public:
    using ImageEditWindow::ImageEditWindow;
    std::function<int(QDialog &)> run;
    int runs = 0;

protected:
    int runDialog(QDialog &dialog) override
    {
        ++runs;
        return run ? run(dialog) : QDialog::Rejected;
    }
    int chooseQuality() override { return 90; }
};

const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000"
                                             "010001000002024401003b");

int presetRow(const char *text)
{
    for (int row = 0; row < ToneCurvePresets::count(); ++row) {
        if (ToneCurvePresets::text(row) == QLatin1String(text))
            return row;
    }
    return -1;
}

} // namespace

class TestImageEditWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QFile::remove(m_dir.filePath(QStringLiteral("saved.jpg"))); }
    void filesThatCannotBeEdited_data();
    void filesThatCannotBeEdited();
    void closing_data();
    void closing();
    void targetName_data();
    void targetName();
    void curves_data();
    void curves();
    void redEye_data();
    void redEye();
    void mainWindowPutAside();

private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        return test::writeFile(path, bytes) ? path : QString();
    }
    QTemporaryDir m_dir;
};

void TestImageEditWindow::filesThatCannotBeEdited_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::newRow("gif") << "a.gif" << kGif << "This format is not supported yet.";
    QTest::newRow("not decodable") << "a.jpg" << QByteArray("\xFF\xD8\xFF\xE0 garbage") << "";
    QTest::newRow("camera raw") << "a.crw" << test::patternJpeg(32, 32) << "";
}

void TestImageEditWindow::filesThatCannotBeEdited()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    if (name.endsWith(QLatin1String(".gif")) && !QImageReader::supportedImageFormats().contains("gif"))
        QSKIP("no GIF reader in this Qt");
    Messages messages;
    for (const auto mode : {ImageEditWindow::Mode::Crop, ImageEditWindow::Mode::Curves}) {
        messages.texts.clear();
        EditWindow window(write(name, bytes), mode);
        QVERIFY(!window.isEditable());
        QCOMPARE(window.exec(), int(QDialog::Rejected));
        QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(window.runs, 0);
        QVERIFY(!window.isSaved());
    }
}

void TestImageEditWindow::closing_data()
{
    QTest::addColumn<QString>("edit"); // none, whole, part (cropped), pending (selected, not applied)
    QTest::addColumn<bool>("saveButton");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QSize>("saved"); // empty: nothing written

    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    QTest::newRow("untouched closes without asking") << "none" << false << yes << false << true << QSize();
    QTest::newRow("untouched, save and close") << "none" << true << yes << false << true << QSize();
    QTest::newRow("whole-image crop is no change") << "whole" << false << yes << false << true << QSize();
    QTest::newRow("selection alone is no change") << "pending" << false << yes << false << true << QSize();
    QTest::newRow("cropped, No closes unsaved") << "part" << false << no << true << true << QSize();
    QTest::newRow("cropped, Cancel stays open") << "part" << false << cancel << true << false << QSize();
    QTest::newRow("cropped, Yes saves") << "part" << false << yes << true << true << QSize(40, 30);
    QTest::newRow("save and close crops first") << "pending" << true << yes << true << true << QSize(40, 30);
}

void TestImageEditWindow::closing()
{
    QFETCH(QString, edit);
    QFETCH(bool, saveButton);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    QFETCH(QSize, saved);

    Messages messages;
    messages.choice = QMessageBox::StandardButton(answer);
    const QString source = write(QStringLiteral("photo.jpg"), test::patternJpeg(64, 48));
    const QByteArray original = test::readFile(source);
    const QString target = m_dir.filePath(QStringLiteral("saved.jpg"));

    EditWindow window(source, ImageEditWindow::Mode::Crop);
    window.targetEdit()->setText(target);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (edit != QLatin1String("none") && edit != QLatin1String("whole"))
        QVERIFY(window.session().selection().resize(QRect(10, 10, 40, 30), 1.0));
    if (edit == QLatin1String("whole") || edit == QLatin1String("part"))
        window.apply();

    if (saveButton)
        window.saveAndClose();
    else
        window.reject();

    QCOMPARE(messages.texts.contains(ImageEditSession::closeQuestion()), asked);
    QCOMPARE(window.isVisible(), !closed);
    QCOMPARE(window.isSaved(), saved.isValid());
    QCOMPARE(QFile::exists(target), saved.isValid());
    if (saved.isValid()) {
        QCOMPARE(QImage(target).size(), saved);
        QVERIFY(!window.session().isModified());
    }
    QCOMPARE(test::readFile(source), original);
}

void TestImageEditWindow::targetName_data()
{
    QTest::addColumn<QString>("typed"); // %1: the temporary folder
    QTest::addColumn<QString>("target"); // %1: the temporary folder; "source": the source itself

    QTest::newRow("unchanged") << "%1/photo.jpg" << "source";
    QTest::newRow("emptied") << "  " << "source";
    QTest::newRow("source spelt with dots") << "%1/./sub/../photo.jpg" << "source";
    QTest::newRow("bare name is beside the source") << "copy.jpg" << "%1/copy.jpg";
    QTest::newRow("relative folder from the source's") << "sub/copy.jpg" << "%1/sub/copy.jpg";
    QTest::newRow("another folder") << "/tmp/elsewhere/copy.jpg" << "/tmp/elsewhere/copy.jpg";
}

void TestImageEditWindow::targetName()
{
    QFETCH(QString, typed);
    QFETCH(QString, target);

    const QString source = write(QStringLiteral("photo.jpg"), test::patternJpeg(32, 32));
    EditWindow window(source, ImageEditWindow::Mode::Crop);
    window.targetEdit()->setText(typed.arg(m_dir.path()));
    QCOMPARE(window.targetPath(), target == QLatin1String("source") ? source : target.arg(m_dir.path()));
}

void TestImageEditWindow::curves_data()
{
    QTest::addColumn<QString>("preset"); // empty: none chosen
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("modified");

    QTest::newRow("Lighten shadows, OK") << "Lighten shadows" << true << true;
    QTest::newRow("Lighten shadows previewed, Cancel") << "Lighten shadows" << false << false;
    QTest::newRow("nothing chosen, OK") << "" << true << false;
    QTest::newRow("None, OK") << "None" << true << true;
}

void TestImageEditWindow::curves()
{
    QFETCH(QString, preset);
    QFETCH(bool, ok);
    QFETCH(bool, modified);

    // A dark picture, so that lightening the shadows shows everywhere.
    QImage dark(48, 32, QImage::Format_RGB32);
    dark.fill(qRgb(20, 30, 40));
    const QString source = write(QStringLiteral("dark.tif"), TiffEncoder::encode(dark));

    EditWindow window(source, ImageEditWindow::Mode::Curves);
    QVERIFY(window.isEditable());
    const QImage before = window.session().image().pixels;
    bool previewed = false;
    bool startedTicked = false;
    window.run = [&](QDialog &dialog) -> int {
        auto *curves = qobject_cast<CurvesDialog *>(&dialog);
        if (!curves)
            return int(QDialog::Rejected);
        startedTicked = curves->previewCheck()->isChecked();
        if (!preset.isEmpty()) {
            curves->presetList()->setCurrentIndex(presetRow(qPrintable(preset)));
            // The view shows the working copy while the dialog is up; the
            // edited image is not touched before OK.
            previewed = window.view()->image().pixel(5, 5) == curves->workingCopy().pixel(5, 5);
            if (window.session().image().pixels != before)
                return int(QDialog::Rejected);
            curves->previewCheck()->setChecked(false);
            if (window.view()->image().pixel(5, 5) != before.pixel(5, 5))
                return int(QDialog::Rejected);
            curves->previewCheck()->setChecked(true);
        }
        if (ok)
            curves->accept();
        else
            curves->reject();
        return curves->result();
    };
    // The adjustment mode opens its dialog once the window is up.
    window.show();
    QTRY_COMPARE(window.runs, 1);
    QVERIFY(startedTicked);
    if (!preset.isEmpty())
        QVERIFY(previewed);

    QCOMPARE(window.session().isModified(), modified);
    const QImage after = window.session().image().pixels;
    if (preset == QLatin1String("Lighten shadows") && ok) {
        QVERIFY(qRed(after.pixel(5, 5)) > qRed(before.pixel(5, 5)));
        ToneCurve curve;
        QVERIFY(curve.setPoints(ToneCurvePresets::at(presetRow("Lighten shadows")).points));
        QCOMPARE(after.pixel(5, 5), curve.map(before.pixel(5, 5)));
    } else {
        QCOMPARE(after, before);
    }
    // Afterwards the view shows the edited image again.
    QCOMPARE(window.view()->image().pixel(5, 5), after.pixel(5, 5));
    window.done(QDialog::Rejected);
}

void TestImageEditWindow::redEye_data()
{
    QTest::addColumn<int>("limit"); // 0: cancelled
    QTest::addColumn<QRgb>("centre");

    QTest::newRow("red above the limit") << 100 << qRgb(40, 40, 60);
    QTest::newRow("red at the limit") << 200 << qRgb(200, 40, 60);
    QTest::newRow("cancelled") << 0 << qRgb(200, 40, 60);
}

void TestImageEditWindow::redEye()
{
    QFETCH(int, limit);
    QFETCH(QRgb, centre);

    // TIFF keeps the pixels exactly.
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(qRgb(200, 40, 60));
    const QString source = write(QStringLiteral("red.tif"), TiffEncoder::encode(red));

    EditWindow window(source, ImageEditWindow::Mode::Crop);
    window.setMode(ImageEditWindow::Mode::RedEye);
    QVERIFY(window.session().selection().rect().isEmpty());
    window.apply(); // nothing selected: no dialog
    QCOMPARE(window.runs, 0);

    QVERIFY(window.session().selection().resize(QRect(10, 10, 20, 20), 1.0));
    window.run = [&](QDialog &dialog) -> int {
        auto *fix = qobject_cast<RedEyeDialog *>(&dialog);
        if (!fix || limit == 0)
            return int(QDialog::Rejected);
        fix->setLimit(limit);
        // The preview shows the selected area as the rule leaves it.
        if (fix->treatedArea().pixel(10, 10) != centre)
            return int(QDialog::Rejected);
        return int(QDialog::Accepted);
    };
    window.apply();
    QCOMPARE(window.runs, 1);

    const QImage &after = window.session().image().pixels;
    QCOMPARE(after.pixel(20, 20), centre);
    QCOMPARE(after.pixel(10, 10), qRgb(200, 40, 60)); // a corner of the selection, outside its ellipse
    QCOMPARE(after.pixel(5, 20), qRgb(200, 40, 60));  // outside the selection
    QCOMPARE(window.session().isModified(), limit != 0);
    QCOMPARE(window.view()->image().pixel(20, 20), centre);
}

void TestImageEditWindow::mainWindowPutAside()
{
    QWidget main;
    main.setGeometry(40, 50, 500, 400);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QRect before = main.geometry();
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    {
        MainWindowAside aside(main);
        QCOMPARE(aside.geometry(), before);
        QVERIFY(!main.isVisible());
        // Closing the tool window, the only one left, must not end the program.
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
    }
    QVERIFY(main.isVisible());
    QCOMPARE(main.geometry(), before);
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());

    main.hide();
    {
        MainWindowAside aside(main);
    }
    QVERIFY2(!main.isVisible(), "a hidden window stays hidden");
}

QTEST_MAIN(TestImageEditWindow)
#include "tst_imageeditwindow.moc"
