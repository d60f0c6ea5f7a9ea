#include "core/fileops/GsettingsWallpaper.h"

#include "core/fileops/CommandRunner.h"

#include <QUrl>

namespace quorvel {

GsettingsWallpaper::GsettingsWallpaper(Flavour flavour, CommandRunner &runner)
    : m_flavour(flavour)
    , m_runner(runner)
{
}

QString GsettingsWallpaper::name() const
{
    switch (m_flavour) {
    case Cinnamon:
        return QStringLiteral("cinnamon");
    case Mate:
        return QStringLiteral("mate");
    case Gnome:
        break;
    }
    return QStringLiteral("gnome");
}

QString GsettingsWallpaper::schema() const
{
    switch (m_flavour) {
    case Cinnamon:
        return QStringLiteral("org.cinnamon.desktop.background");
    case Mate:
        return QStringLiteral("org.mate.background");
    case Gnome:
        break;
    }
    return QStringLiteral("org.gnome.desktop.background");
}

QString GsettingsWallpaper::quoted(const QString &text)
{
    QString out = QStringLiteral("'");
    for (const QChar c : text) {
        if (c == u'\\' || c == u'\'')
            out += u'\\';
        out += c;
    }
    return out + u'\'';
}

QStringList GsettingsWallpaper::pictureKeys(QString *error)
{
    if (m_flavour == Mate)
        return {QStringLiteral("picture-filename")};
    if (m_flavour == Cinnamon)
        return {QStringLiteral("picture-uri")};
    const CommandResult keys = m_runner.run(program(), {QStringLiteral("list-keys"), schema()});
    if (!keys.ok()) {
        commandFailed(program(), keys, error);
        return {};
    }
    QStringList result{QStringLiteral("picture-uri")};
    if (QString::fromUtf8(keys.output).split(u'\n').contains(QStringLiteral("picture-uri-dark")))
        result.append(QStringLiteral("picture-uri-dark"));
    return result;
}

bool GsettingsWallpaper::setKey(const QString &key, const QString &value, QString *error)
{
    const CommandResult r = m_runner.run(program(), {QStringLiteral("set"), schema(), key, value});
    return r.ok() || commandFailed(program(), r, error);
}

bool GsettingsWallpaper::set(const QString &imagePath, QString *error)
{
    const QStringList keys = pictureKeys(error);
    if (keys.isEmpty())
        return false;
    const QString picture =
        m_flavour == Mate ? imagePath : QUrl::fromLocalFile(imagePath).toString(QUrl::FullyEncoded);
    if (!setKey(QStringLiteral("picture-options"), quoted(QStringLiteral("stretched")), error))
        return false;
    for (const QString &key : keys) {
        if (!setKey(key, quoted(picture), error))
            return false;
    }
    return true;
}

bool GsettingsWallpaper::reset(QString *error)
{
    const QStringList keys = pictureKeys(error);
    if (keys.isEmpty())
        return false;
    if (!setKey(QStringLiteral("picture-options"), quoted(QStringLiteral("none")), error))
        return false;
    for (const QString &key : keys) {
        if (!setKey(key, quoted(QString()), error))
            return false;
    }
    return true;
}

} // namespace quorvel
