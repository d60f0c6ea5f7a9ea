#include "ui/app/QuorvelApplication.h"

#include "core/files/PathUtil.h"
#include "core/settings/AppSettings.h"
#include "core/settings/QSettingsStore.h"
#include "ui/app/LanguageLoader.h"
#include "ui/app/SplashWindow.h"
#include "ui/frame/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace quorvel {

InitialView initialView(const StartupOptions &options, const QString &workingFolder)
{
    InitialView view;
    if (options.hasSingleArgument()) {
        const QString arg = QDir::fromNativeSeparators(options.positional.first());
        const QString path = QDir::isAbsolutePath(arg) ? arg : joinPath(workingFolder, arg);
        const QFileInfo info(path);
        if (info.isDir()) {
            view.folder = withTrailingSeparator(QDir::cleanPath(info.absoluteFilePath()));
            return view;
        }
        view.folder = withTrailingSeparator(QDir::cleanPath(info.absolutePath()));
        view.selectName = info.fileName();
        view.fullScreen = true;
        return view;
    }
    AppSettings local;
    local.load();
    view.folder = local.startFolderUse ? local.startFolder : local.lastUsedDir;
    return view;
}

int runApplication(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));

#ifdef Q_OS_WIN
    // Windows hands the program one command-line string; split it by the
    // program's own rules rather than the C runtime's.
    const QStringList arguments = splitCommandLine(QString::fromWCharArray(GetCommandLineW()));
#else
    const QStringList arguments = QApplication::arguments();
#endif
    const StartupOptions options = parseStartupOptions(arguments, qEnvironmentVariable(kSettingsFileEnv));
    if (options.settingsFile.isEmpty())
        installSettingsStore(std::make_unique<QSettingsStore>());
    else
        installSettingsStore(std::make_unique<QSettingsStore>(options.settingsFile));

    globalSettings().load();

    // The language must be in force before any window exists.
    const QString programFolder = QApplication::applicationDirPath();
    LanguageLoader language(programFolder);
    language.apply(globalSettings().interfaceLang);

    MainWindow frame;
    const bool shiftHeld = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    frame.restorePlacement(shiftHeld);

    if (options.showSplash) {
        SplashWindow *splash = SplashWindow::showOver(&frame, joinPath(programFolder, QStringLiteral("Splash.jpg")));
        QObject::connect(splash, &SplashWindow::closed, &frame, [&frame] {
            frame.update();
            frame.focusFileList();
        });
    }

    const InitialView view = initialView(options, QDir::currentPath());
    frame.showFolder(view.folder, view.selectName);
    frame.show();
    if (view.fullScreen)
        QTimer::singleShot(0, &frame, [&frame] { frame.setFullScreenMode(true); });

    return app.exec();
}

} // namespace quorvel
