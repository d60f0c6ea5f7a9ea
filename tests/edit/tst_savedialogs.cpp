#include "EditTestFiles.h"
#include "support/TestSupport.h"

#include "core/edit/FileResolution.h"
#include "core/edit/ImageTransform.h"
#include "core/edit/JpegEncoder.h"
#include "core/edit/TiffEncoder.h"
#include "core/exif/ExifReader.h"
#include "core/files/DescriptionStore.h"
#include "core/settings/AppSettings.h"
#include "core/settings/MemorySettingsStore.h"
#include "core/settings/SettingsStore.h"
#include "ui/edit/JpegQualityDialog.h"
#include "ui/edit/RedEyeDialog.h"
#include "ui/edit/ResolutionDialog.h"
#include "ui/edit/RotateDialog.h"
#include "ui/edit/SaveMessages.h"
#include "ui/exif/ExifEditDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

namespace {

// Records every message box; questions are answered with answer.
struct Messages
{
    QStringList texts;
    bool answer = true;
    Messages()
    {
        savemessages::setHandler([this](const QString &text, bool) {
            texts.append(text);
            return answer;
        });
    }
    ~Messages() { savemessages::setHandler({}); }
};

} // namespace

class TestSaveDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void qualityDialog_data();
    void qualityDialog();
    void resolutionDialog_data();
    void resolutionDialog();
    void exifUnchangedSaveCancels();
    void exifAutoIsoBlocks();
    void exifDescriptionOnly();
    void exifRefusesNumbers_data();
    void exifRefusesNumbers();
    void rotateKeys_data();
    void rotateKeys();
    void rotateDigitsInNameBox();
    void rotateWritesFile();
    void redEyeLimitIsShown();

private:
    QString jpegFile(const QString &name, int w = 32, int h = 32)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        return test::writeFile(path, test::patternJpeg(w, h)) ? path : QString();
    }
    QTemporaryDir m_dir;
};

void TestSaveDialogs::qualityDialog_data()
{
    QTest::addColumn<QString>("stored"); // "" : no value
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("after");
    QTest::newRow("10 opens at 30") << "10" << 30 << false << 30;
    QTest::newRow("120 opens at 100") << "120" << 100 << false << 100;
    QTest::newRow("missing opens at 85") << "" << 85 << false << 85;
    QTest::newRow("OK stores the slider") << "60" << 60 << true << 45;
}

void TestSaveDialogs::qualityDialog()
{
    QFETCH(QString, stored);
    QFETCH(int, shown);
    QFETCH(bool, ok);
    QFETCH(int, after);
    installSettingsStore(std::make_unique<MemorySettingsStore>());
    if (!stored.isEmpty())
        settingsStore().writeString(QStringLiteral("Main"), QStringLiteral("JpegLevel"), stored);
    JpegQualityDialog dialog;
    QCOMPARE(dialog.value(), shown);
    QCOMPARE(dialog.slider()->minimum(), 30);
    QCOMPARE(dialog.slider()->maximum(), 100);
    QCOMPARE(dialog.slider()->tickInterval(), 5);
    // The slider's number is written out and follows it.
    QCOMPARE(dialog.numberLabel()->text(), QStringLiteral("Quality: %1").arg(shown));
    dialog.slider()->setValue(shown == 30 ? 31 : 30);
    QCOMPARE(dialog.numberLabel()->text(), QStringLiteral("Quality: %1").arg(dialog.slider()->value()));
    if (ok) {
        dialog.setValue(45);
        dialog.accept();
    } else {
        dialog.setValue(77);
        dialog.reject();
    }
    QCOMPARE(settings::jpegLevel(settingsStore()), after);
}

void TestSaveDialogs::resolutionDialog_data()
{
    QTest::addColumn<bool>("tiff");
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("v");
    QTest::addColumn<QSizeF>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("300 by 300") << false << "300" << "300" << QSizeF(300, 300) << "";
    QTest::newRow("1 changes nothing") << false << "1" << "300" << QSizeF(72, 72) << "";
    QTest::newRow("text changes nothing") << false << "abc" << "300" << QSizeF(72, 72) << "";
    QTest::newRow("TIFF is refused") << true << "300" << "300" << QSizeF(72, 72)
                                     << "This format is not supported yet.";
}

void TestSaveDialogs::resolutionDialog()
{
    QFETCH(bool, tiff);
    QFETCH(QString, h);
    QFETCH(QString, v);
    QFETCH(QSizeF, result);
    QFETCH(QString, message);
    QImage picture = test::patternImage(16, 16);
    picture.setDotsPerMeterX(2835); // 72 dpi
    picture.setDotsPerMeterY(2835);
    const QString path = m_dir.filePath(tiff ? QStringLiteral("r.tif") : QStringLiteral("r.jpg"));
    QVERIFY(test::writeFile(path, tiff ? TiffEncoder::encode(picture) : JpegEncoder::encode(picture, 90)));

    Messages messages;
    ResolutionDialog dialog(path);
    QVERIFY(dialog.isOpen());
    QCOMPARE(dialog.horizontalEdit()->text(), QStringLiteral("72"));
    QVERIFY(!dialog.isChanged());
    // Each box says its unit.
    int units = 0;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        units += label->text() == u"dpi";
    QCOMPARE(units, 2);
    dialog.horizontalEdit()->setText(h);
    dialog.verticalEdit()->setText(v);
    dialog.accept();
    const auto stored = FileResolution::read(path);
    QVERIFY(stored.has_value());
    QCOMPARE(stored->toSize(), result.toSize());
    QCOMPARE(messages.texts.value(0), message);
}

void TestSaveDialogs::exifUnchangedSaveCancels()
{
    const QString path = jpegFile(QStringLiteral("same.jpg"));
    const QByteArray before = test::readFile(path);
    DescriptionStore store;
    ExifFields fields;
    fields.model = QStringLiteral("Camera");
    ExifEditDialog dialog(path, fields, store);
    QCOMPARE(dialog.cameraEdit()->text(), QStringLiteral("Camera"));
    QVERIFY(!dialog.exifChanged());
    dialog.save();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(test::readFile(path), before);
}

// ISO shown as "Auto": another change cannot be saved until the ISO box is
// emptied or holds digits.
void TestSaveDialogs::exifAutoIsoBlocks()
{
    const QString path = jpegFile(QStringLiteral("auto.jpg"));
    DescriptionStore store;
    ExifFields fields;
    fields.iso = kAutoIso;
    Messages messages;
    ExifEditDialog dialog(path, fields, store);
    QCOMPARE(dialog.isoEdit()->text(), QStringLiteral("Auto"));
    dialog.cameraEdit()->setText(QStringLiteral("New camera"));
    dialog.save();
    QCOMPARE(messages.texts, QStringList{QStringLiteral("ISO field must be digital only")});
    QCOMPARE(dialog.result(), 0); // still open
    dialog.isoEdit()->setText(QStringLiteral("70000"));
    dialog.save();
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(dialog.result(), 0);
    dialog.isoEdit()->clear();
    bool released = false;
    dialog.setReleaseFile([&] { released = true; });
    dialog.save();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(released);
    ExifFields read;
    QVERIFY(readExifFields(path, read));
    QCOMPARE(read.model, QStringLiteral("New camera"));
    QCOMPARE(read.iso, 0);
}

// A changed description alone is stored through the descriptions store;
// the picture file is not touched.
void TestSaveDialogs::exifDescriptionOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("described.jpg"));
    QVERIFY(test::writeFile(path, test::patternJpeg(16, 16)));
    const QByteArray before = test::readFile(path);
    DescriptionStore store;
    store.load(DescriptionStore::fileInFolder(dir.path()));
    ExifEditDialog dialog(path, ExifFields(), store);
    dialog.descriptionEdit()->setText(QStringLiteral("At the lake"));
    dialog.save();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(test::readFile(path), before);
    DescriptionStore reread;
    reread.load(DescriptionStore::fileInFolder(dir.path()));
    QCOMPARE(reread.get(path), QStringLiteral("At the lake"));
}

void TestSaveDialogs::exifRefusesNumbers_data()
{
    QTest::addColumn<QString>("aperture");
    QTest::addColumn<QString>("focal");
    QTest::addColumn<QString>("message"); // part of it
    QTest::newRow("negative aperture") << "-2.8" << "" << "aperture";
    QTest::newRow("aperture 1e30") << "1e30" << "" << "aperture";
    QTest::newRow("aperture 0.01") << "0.01" << "" << "aperture";
    QTest::newRow("focal length beyond the field") << "" << "9999999999" << "focal length";
}

// A number the file cannot hold is refused with a message naming it; the
// dialog stays open with the focus in its box, and the file is untouched.
void TestSaveDialogs::exifRefusesNumbers()
{
    QFETCH(QString, aperture);
    QFETCH(QString, focal);
    QFETCH(QString, message);
    const QString path = jpegFile(QStringLiteral("numbers.jpg"));
    const QByteArray before = test::readFile(path);
    DescriptionStore store;
    Messages messages;
    ExifEditDialog dialog(path, ExifFields(), store);
    dialog.show();
    if (!aperture.isEmpty())
        dialog.apertureEdit()->setText(aperture);
    if (!focal.isEmpty())
        dialog.focalEdit()->setText(focal);
    bool released = false;
    dialog.setReleaseFile([&] { released = true; });
    dialog.save();
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().contains(message), qPrintable(messages.texts.first()));
    QCOMPARE(dialog.result(), 0);
    QVERIFY(!released);
    QCOMPARE(dialog.focusWidget(), aperture.isEmpty() ? dialog.focalEdit() : dialog.apertureEdit());
    QCOMPARE(test::readFile(path), before);
}

void TestSaveDialogs::rotateKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("1 left") << int(Qt::Key_1) << int(TransformCode::Rotate270);
    QTest::newRow("2 180") << int(Qt::Key_2) << int(TransformCode::Rotate180);
    QTest::newRow("3 right") << int(Qt::Key_3) << int(TransformCode::Rotate90);
    QTest::newRow("4 nothing") << int(Qt::Key_4) << int(TransformCode::Rotate270);
    QTest::newRow("5 hor") << int(Qt::Key_5) << int(TransformCode::FlipHorizontal);
    QTest::newRow("6 ver") << int(Qt::Key_6) << int(TransformCode::FlipVertical);
}

void TestSaveDialogs::rotateKeys()
{
    QFETCH(int, key);
    QFETCH(int, code);
    RotateDialog dialog(jpegFile(QStringLiteral("keys.jpg")));
    QVERIFY(dialog.isOpen());
    QCOMPARE(dialog.transform(), TransformCode::Rotate270); // "Left" at opening
    QTest::keyClick(dialog.button(TransformCode::Rotate180), Qt::Key(key));
    QCOMPARE(int(dialog.transform()), code);
    QVERIFY(dialog.button(TransformCode(code))->isChecked());
}

void TestSaveDialogs::rotateDigitsInNameBox()
{
    const QString path = jpegFile(QStringLiteral("name.jpg"));
    RotateDialog dialog(path);
    QCOMPARE(dialog.targetPath(), path);
    dialog.targetEdit()->setText(QString());
    QTest::keyClicks(dialog.targetEdit(), QStringLiteral("a123"));
    QCOMPARE(dialog.targetEdit()->text(), QStringLiteral("a123"));
    QCOMPARE(dialog.transform(), TransformCode::Rotate270);
}

void TestSaveDialogs::rotateWritesFile()
{
    const QString path = jpegFile(QStringLiteral("turn.jpg"), 32, 16);
    Messages messages;
    RotateDialog dialog(path);
    QTest::keyClick(&dialog, Qt::Key_3);
    dialog.rotate();
    QCOMPARE(messages.texts, QStringList{ImageTransform::replaceQuestion()});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QImage(path).size(), QSize(16, 32));

    Messages refused;
    const QString bmp = m_dir.filePath(QStringLiteral("plain.bmp"));
    QVERIFY(test::patternImage(8, 8).save(bmp, "BMP"));
    RotateDialog other(bmp);
    other.targetEdit()->setText(m_dir.filePath(QStringLiteral("other.bmp")));
    other.rotate();
    QCOMPARE(refused.texts, QStringList{QStringLiteral("This format is not supported yet.")});
    QCOMPARE(other.result(), int(QDialog::Rejected));
}

void TestSaveDialogs::redEyeLimitIsShown()
{
    RedEyeDialog dialog(test::patternImage(20, 20));
    QCOMPARE(dialog.numberLabel()->text(), QStringLiteral("100"));
    dialog.setLimit(180);
    QCOMPARE(dialog.numberLabel()->text(), QStringLiteral("180"));
    dialog.slider()->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(dialog.numberLabel()->text(), QStringLiteral("170"));
}

QTEST_MAIN(TestSaveDialogs)
#include "tst_savedialogs.moc"
