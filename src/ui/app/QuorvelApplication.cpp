#include "ui/app/QuorvelApplication.h"

#include "core/common/DataFolders.h"
#include "core/files/PathUtil.h"
#include "core/settings/AppSettings.h"
#include "core/settings/QSettingsStore.h"
#include "ui/app/LanguageLoader.h"
#include "ui/app/SplashWindow.h"
#include "ui/frame/MainWindow.h"

#include <QApplication>
#include <QLocale>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>

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

namespace {

// The arguments as the platform hands them over, the program first.
QStringList programArguments(int argc, char **argv)
{
#ifdef Q_OS_WIN
    // Windows hands the program one command-line string; split it by the
    // program's own rules rather than the C runtime's.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return splitCommandLine(QString::fromWCharArray(GetCommandLineW()));
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
#endif
}

// The window icon, in every size the program carries.
QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/" QUORVEL_APP_ID ".png").arg(size), QSize(size, size));
    return icon;
}

void print(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

int runApplication(int argc, char **argv)
{
    // The command line is read before any window system is reached, so that
    // --help, --version and a mistyped option work anywhere and never open
    // a window.
    const StartupOptions options =
        parseStartupOptions(programArguments(argc, argv), qEnvironmentVariable(kSettingsFileEnv));
    if (options.action != StartupOptions::Action::Run) {
        print(options.action == StartupOptions::Action::Mistake ? stderr : stdout, options.message);
        return options.exitStatus();
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    QApplication::setWindowIcon(applicationIcon());

    if (options.settingsFile.isEmpty())
        installSettingsStore(std::make_unique<QSettingsStore>());
    else
        installSettingsStore(std::make_unique<QSettingsStore>(options.settingsFile));

    globalSettings().load();

    // The language must be in force before any window exists. On the first
    // start, with no language stored, it follows the system's.
    LanguageLoader language(DataFolders::locate(DataFolders::ProgramData));
    language.adoptOnFirstStart(settingsStore(), globalSettings(), QLocale::system().uiLanguages());
    language.apply(globalSettings().interfaceLang);

    MainWindow frame;
    const bool shiftHeld = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    frame.restorePlacement(shiftHeld);

    if (options.showSplash) {
        SplashWindow *splash = SplashWindow::showOver(
            &frame, DataFolders::filePath(DataFolders::ProgramData, QStringLiteral("Splash.jpg")));
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
