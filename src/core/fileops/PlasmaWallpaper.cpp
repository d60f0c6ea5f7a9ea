#include "core/fileops/PlasmaWallpaper.h"

#include "core/fileops/CommandRunner.h"

#include <QUrl>

namespace quorvel {

namespace {

// The fill mode of Plasma's picture wallpaper that stretches the picture
// over the whole screen.
constexpr int kStretchFillMode = 0;

} // namespace

PlasmaWallpaper::PlasmaWallpaper(CommandRunner &runner)
    : m_runner(runner)
{
}

QString PlasmaWallpaper::jsString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x2028 || u == 0x2029 || u == 0x7f) {
            out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
            continue;
        }
        if (u == u'"' || u == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

QString PlasmaWallpaper::setScript(const QString &imagePath)
{
    // Put together in one step: a chained arg() would read the "%0A" of an
    // encoded line feed in the name as a place marker and break the script.
    const QString url = QUrl::fromLocalFile(imagePath).toString(QUrl::FullyEncoded);
    return QStringLiteral("var all = desktops();\n"
                          "for (var i = 0; i < all.length; i++) {\n"
                          "    var d = all[i];\n"
                          "    d.wallpaperPlugin = \"org.kde.image\";\n"
                          "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                          "    d.writeConfig(\"Image\", ")
        + jsString(url)
        + QStringLiteral(");\n"
                         "    d.writeConfig(\"FillMode\", ")
        + QString::number(kStretchFillMode)
        + QStringLiteral(");\n"
                         "}\n");
}

QString PlasmaWallpaper::resetScript()
{
    return QStringLiteral("var all = desktops();\n"
                          "for (var i = 0; i < all.length; i++)\n"
                          "    all[i].wallpaperPlugin = \"org.kde.color\";\n");
}

bool PlasmaWallpaper::evaluate(const QString &script, QString *error)
{
    // --print-reply waits for the shell's answer, so a script error or an
    // absent shell makes the command fail.
    const CommandResult r = m_runner.run(
        program(), {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                    QStringLiteral("--dest=org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
                    QStringLiteral("org.kde.PlasmaShell.evaluateScript"), QStringLiteral("string:") + script});
    return r.ok() || commandFailed(program(), r, error);
}

bool PlasmaWallpaper::set(const QString &imagePath, QString *error)
{
    return evaluate(setScript(imagePath), error);
}

bool PlasmaWallpaper::reset(QString *error)
{
    return evaluate(resetScript(), error);
}

} // namespace quorvel
