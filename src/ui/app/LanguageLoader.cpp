#include "ui/app/LanguageLoader.h"

#include "core/files/PathUtil.h"
#include "core/settings/AppSettings.h"
#include "core/settings/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quorvel {

LanguageLoader::LanguageLoader(QString moduleFolder)
    : m_folder(std::move(moduleFolder))
{
}

LanguageLoader::~LanguageLoader()
{
    unload();
}

void LanguageLoader::unload()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    if (m_qtTranslator)
        QCoreApplication::removeTranslator(m_qtTranslator.get());
    m_translator.reset();
    m_qtTranslator.reset();
    m_current.clear();
}

bool LanguageLoader::apply(const QString &name)
{
    unload();
    if (name == QStringLiteral("English"))
        return false;

    // Only the file name counts: a module is always taken from our folder.
    const QString fileName = fileNameOf(QDir::fromNativeSeparators(name));
    if (fileName.isEmpty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(joinPath(m_folder, fileName)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
    m_current = fileName;

    // Qt's own texts (dialog buttons) in the module's language, when present.
    const QString language = m_translator->language();
    if (!language.isEmpty()) {
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            m_qtTranslator = std::move(qt);
        }
    }
    return true;
}

QString LanguageLoader::moduleFileName(const QString &language)
{
    return QStringLiteral("Lang%1.qm").arg(language);
}

QStringList LanguageLoader::availableLanguages() const
{
    QStringList names;
    const QStringList files = QDir(m_folder).entryList({QStringLiteral("Lang*.qm")}, QDir::Files, QDir::Name);
    for (const QString &f : files) {
        const QString name = f.mid(4, f.size() - 4 - 3);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

QString LanguageLoader::moduleLocale(const QString &language) const
{
    QTranslator translator;
    if (!translator.load(joinPath(m_folder, moduleFileName(language))))
        return QString();
    return translator.language();
}

QString LanguageLoader::displayName(const QString &language) const
{
    const QString locale = moduleLocale(language);
    if (locale.isEmpty())
        return language;
    const QLocale own(locale);
    QString name = own.nativeLanguageName();
    if (name.isEmpty() || own.language() == QLocale::C)
        return language;
    // Some languages write their own name in lower case ("français");
    // as a list entry it starts with a capital.
    name.replace(0, 1, own.toUpper(name.left(1)));
    return name;
}

QString LanguageLoader::moduleForLanguages(const QStringList &uiLanguages) const
{
    QList<QPair<QLocale::Language, QString>> modules;
    for (const QString &language : availableLanguages()) {
        const QString locale = moduleLocale(language);
        if (!locale.isEmpty())
            modules.append({QLocale(locale).language(), moduleFileName(language)});
    }
    for (const QString &wanted : uiLanguages) {
        const QLocale::Language code = QLocale(wanted).language();
        if (code == QLocale::English)
            return QString();
        if (code == QLocale::C || code == QLocale::AnyLanguage)
            continue;
        for (const auto &module : modules) {
            if (module.first == code)
                return module.second;
        }
    }
    return QString();
}

void LanguageLoader::adoptOnFirstStart(SettingsStore &store, AppSettings &settings,
                                       const QStringList &uiLanguages) const
{
    const QString section = QStringLiteral("Main");
    const QString value = QStringLiteral("InterfaceLang");
    if (store.contains(section, value))
        return;
    const QString module = moduleForLanguages(uiLanguages);
    settings.interfaceLang = module.isEmpty() ? QStringLiteral("English") : module;
    store.writeString(section, value, settings.interfaceLang);
    store.flush();
}

} // namespace quorvel
