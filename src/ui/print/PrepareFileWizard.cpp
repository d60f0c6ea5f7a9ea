#include "ui/print/PrepareFileWizard.h"

#include "core/print/CustomSizeCheck.h"
#include "core/print/WizardFormatList.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"
#include "ui/frame/MainWindowAside.h"
#include "ui/print/PrintFramingDialog.h"
#include "ui/print/WizardFormatDialog.h"
#include "ui/print/WizardKindDialog.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace quorvel {

namespace {

// The size of all screens together in device pixels, for "Wallpaper".
QSize desktopSize()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return QSize(1024, 768);
    QList<WizardFormatList::Screen> screens;
    for (const QScreen *screen : primary->virtualSiblings())
        screens.append({screen->geometry(), screen->devicePixelRatio()});
    const QSize size = WizardFormatList::desktopPixels(screens);
    return size.isEmpty() ? QSize(1024, 768) : size;
}

} // namespace

PrepareFileWizard::PrepareFileWizard(const QStringList &files, QWidget *mainWindow)
    : m_mainWindow(mainWindow)
{
    for (const QString &f : files) {
        if (!f.isEmpty())
            m_files.append(f);
    }
}

bool PrepareFileWizard::run()
{
    if (m_files.isEmpty())
        return false;
    SettingsStore &store = settingsStore();
    int kind = settings::wizardItem(store);
    for (;;) {
        WizardKindDialog first(OutputKind(kind), m_mainWindow);
        const int firstResult = first.exec();
        kind = int(first.kind());
        settings::setWizardItem(store, kind);
        if (firstResult != QDialog::Accepted)
            return false;

        WizardFormatDialog second(OutputKind(kind), settings::wizardFormat(store, kind), globalSettings().defaultUnits,
                               desktopSize(), m_mainWindow);
        const int secondResult = second.exec();
        settings::setWizardFormat(store, kind, second.format());
        if (secondResult == WizardFormatDialog::Back)
            continue;
        if (secondResult != QDialog::Accepted)
            return false;
        const CustomSizeCheck custom = second.customSize();
        return runFinalStep(second.format(), &custom);
    }
}

bool PrepareFileWizard::runFinalStep(int format, const CustomSizeCheck *customSize)
{
    std::optional<CustomSizeCheck> size;
    if (customSize && FormatCatalogue::isCustom(format))
        size = *customSize;

    // The main window goes out of sight while the final step runs.
    std::optional<MainWindowAside> aside;
    if (m_mainWindow)
        aside.emplace(*m_mainWindow);
    PrintFramingDialog dialog(format, m_files, size, m_mainWindow);
    dialog.exec();
    return dialog.fileCreated();
}

} // namespace quorvel
