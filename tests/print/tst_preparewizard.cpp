#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"
#include "ui/edit/SaveMessages.h"
#include "ui/print/PrintFramingDialog.h"
#include "ui/print/PrepareFileWizard.h"
#include "ui/print/WizardFormatDialog.h"
#include "ui/print/WizardKindDialog.h"

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

using namespace quorvel;

// The wizard's way through its steps, driven as a user clicks through it:
// what it remembers, "< Back", and the main window while the last step runs.
class TestPrepareWizard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void remembersChoices_data();
    void remembersChoices();
    void mainWindowIsOutOfSightDuringTheFinalStep();
    void emptySelectionDoesNothing();

private:
    using Step = std::function<void(QDialog *)>;
    // Runs each step on the next modal dialog that comes up.
    void script(std::deque<Step> steps);

    QTimer m_timer;
    std::deque<Step> m_steps;
    QDialog *m_last = nullptr;
    QTemporaryDir m_dir;
};

void TestPrepareWizard::init()
{
    savemessages::setHandler([](const QString &, bool) { return true; });
    // Lengths in cm: the print list opens on "10x15 cm" when nothing is stored.
    AppSettings stored;
    stored.defaultUnits = UnitCentimetres;
    stored.save();
    globalSettings() = stored;
    settings::setWizardItem(settingsStore(), 0);
    for (int kind = 0; kind < 3; ++kind)
        settings::setWizardFormat(settingsStore(), kind, -1);
    m_last = nullptr;
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == m_last || !dialog->isVisible() || m_steps.empty())
            return;
        m_last = dialog;
        const Step step = m_steps.front();
        m_steps.pop_front();
        step(dialog);
    });
}

void TestPrepareWizard::cleanup()
{
    m_timer.stop();
    m_timer.disconnect();
    m_steps.clear();
    savemessages::setHandler({});
}

void TestPrepareWizard::script(std::deque<Step> steps)
{
    m_steps = std::move(steps);
    m_timer.start();
}

namespace {

void chooseKind(QDialog *d, OutputKind kind, bool next)
{
    auto *step = qobject_cast<WizardKindDialog *>(d);
    QVERIFY(step);
    step->setKind(kind);
    next ? step->accept() : step->reject();
}

void chooseFormat(QDialog *d, const QString &text, int result, QString *seen = nullptr)
{
    auto *step = qobject_cast<WizardFormatDialog *>(d);
    QVERIFY(step);
    if (seen)
        *seen = step->list()->currentItem()->text();
    if (!text.isEmpty()) {
        const auto found = step->list()->findItems(text, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        step->list()->setCurrentItem(found.first());
    }
    if (result == QDialog::Accepted)
        step->accept();
    else
        step->done(result);
}

} // namespace

void TestPrepareWizard::remembersChoices_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("printFormat");
    QTest::addColumn<int>("webFormat");
    QTest::addColumn<QString>("seenOnReturn");

    QTest::newRow("cancel in step 1 keeps the kind chosen") << "kind-cancel" << 2 << 2 << 2 << "";
    QTest::newRow("cancel in step 2 keeps the format chosen") << "format-cancel" << 0 << 14 << 2 << "";
    QTest::newRow("back keeps the format of that kind") << "back" << 1 << 14 << 45 << "A4";
}

void TestPrepareWizard::remembersChoices()
{
    QFETCH(QString, path);
    QFETCH(int, kind);
    QFETCH(int, printFormat);
    QFETCH(int, webFormat);
    QFETCH(QString, seenOnReturn);

    QString seen;
    std::deque<Step> steps;
    if (path == QLatin1String("kind-cancel")) {
        steps = {[](QDialog *d) { chooseKind(d, OutputKind::Mobile, false); }};
    } else if (path == QLatin1String("format-cancel")) {
        steps = {[](QDialog *d) { chooseKind(d, OutputKind::Print, true); },
                 [](QDialog *d) { chooseFormat(d, QStringLiteral("A4"), QDialog::Rejected); }};
    } else {
        steps = {[](QDialog *d) { chooseKind(d, OutputKind::Print, true); },
                 [](QDialog *d) { chooseFormat(d, QStringLiteral("A4"), WizardFormatDialog::Back); },
                 [](QDialog *d) { chooseKind(d, OutputKind::Print, true); },
                 [&seen](QDialog *d) { chooseFormat(d, QString(), WizardFormatDialog::Back, &seen); },
                 [](QDialog *d) { chooseKind(d, OutputKind::Web, true); },
                 [](QDialog *d) { chooseFormat(d, QStringLiteral("800x600"), QDialog::Rejected); }};
    }
    script(std::move(steps));
    const bool created = PrepareFileWizard({m_dir.filePath(QStringLiteral("a.jpg"))}, nullptr).run();
    QVERIFY(!created);
    QVERIFY(m_steps.empty());
    QCOMPARE(seen, seenOnReturn);
    QCOMPARE(settings::wizardItem(settingsStore()), kind);
    QCOMPARE(settings::wizardFormat(settingsStore(), 0), printFormat);
    QCOMPARE(settings::wizardFormat(settingsStore(), 1), webFormat);
}

void TestPrepareWizard::mainWindowIsOutOfSightDuringTheFinalStep()
{
    const QString photo = m_dir.filePath(QStringLiteral("photo.jpg"));
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(photo, "JPEG"));

    QWidget mainWindow;
    mainWindow.setGeometry(40, 50, 420, 300);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    const QRect where = mainWindow.geometry();

    bool hiddenMeanwhile = false;
    QSize written;
    script({[](QDialog *d) { chooseKind(d, OutputKind::Web, true); },
            [](QDialog *d) { chooseFormat(d, QStringLiteral("640x480"), QDialog::Accepted); },
            [&](QDialog *d) {
                auto *last = qobject_cast<PrintFramingDialog *>(d);
                QVERIFY(last);
                hiddenMeanwhile = !mainWindow.isVisible();
                last->loadCurrentAndWait();
                const QString out = m_dir.filePath(QStringLiteral("photo_640x480.jpg"));
                QVERIFY(last->createFileAt(out, 85));
                written = QImage(out).size();
                last->reject();
            }});
    const bool created = PrepareFileWizard({photo}, &mainWindow).run();
    QVERIFY(created);
    QVERIFY(hiddenMeanwhile);
    QCOMPARE(written, QSize(640, 480));
    QVERIFY(mainWindow.isVisible());
    QCOMPARE(mainWindow.geometry(), where);
}

void TestPrepareWizard::emptySelectionDoesNothing()
{
    bool shown = false;
    script({[&shown](QDialog *d) {
        shown = true;
        d->reject();
    }});
    QVERIFY(!PrepareFileWizard({}, nullptr).run());
    QVERIFY(!PrepareFileWizard({QString()}, nullptr).run());
    QTest::qWait(30);
    QVERIFY(!shown);
}

QTEST_MAIN(TestPrepareWizard)
#include "tst_preparewizard.moc"
