#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace quorvel {

// Interface-language modules are Qt translation files named "Lang<Name>.qm"
// in the program's folder. "English" means the program's own texts.
class LanguageLoader
{
public:
    // moduleFolder: where the modules live; the program's folder in use.
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

private:
    void unload();

    QString m_folder;
    QString m_current;
    std::unique_ptr<QTranslator> m_translator;
    std::unique_ptr<QTranslator> m_qtTranslator;
};

} // namespace quorvel
