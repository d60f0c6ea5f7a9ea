#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace quorvel {

struct AppSettings;
class SettingsStore;

// Interface-language modules are Qt translation files named "Lang<Name>.qm"
// in the program's data folder. "English" means the program's own texts.
class LanguageLoader
{
public:
    // moduleFolder: where the modules live; the program's data folder in use.
    explicit LanguageLoader(QString moduleFolder);
    ~LanguageLoader();

    // Drops the module loaded before, then loads the named one. A module that
    // is missing or unreadable leaves the English texts in force, silently.
    // Returns whether a module is in force afterwards.
    bool apply(const QString &name);

    // The module file name in force, empty for English.
    QString currentModule() const { return m_current; }

    // The language names of the modules found in moduleFolder, "German" for
    // "LangGerman.qm", sorted.
    QStringList availableLanguages() const;
    static QString moduleFileName(const QString &language);

    // The language a module is written in, as its speakers name it
    // ("Deutsch" for a module in German); the name in the module's file
    // name when the module does not say.
    QString displayName(const QString &language) const;

    // The module file for the first of the user's languages (as
    // QLocale::uiLanguages() lists them, "de-DE") that English or a module
    // found speaks; empty for English or when none does.
    QString moduleForLanguages(const QStringList &uiLanguages) const;

    // On the first start no interface language is stored: the interface
    // then follows the user's languages, and the choice is stored as if
    // made in the Settings dialog. Does nothing once a language is stored.
    void adoptOnFirstStart(SettingsStore &store, AppSettings &settings, const QStringList &uiLanguages) const;

private:
    void unload();
    // The locale name a module states ("de_DE"), empty when it states none
    // or cannot be read.
    QString moduleLocale(const QString &language) const;

    QString m_folder;
    QString m_current;
    std::unique_ptr<QTranslator> m_translator;
    std::unique_ptr<QTranslator> m_qtTranslator;
};

} // namespace quorvel
