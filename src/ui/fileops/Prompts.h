#pragma once

#include "core/fileops/FileCopier.h"

#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace quorvel {

// The questions, messages and choosers of the file commands and the Settings
// dialog, in one place, so that tests answer them without a window.
class Prompts
{
public:
    enum class Icon { Information, Warning, Question };

    virtual ~Prompts();

    // Yes/No question; true for Yes.
    virtual bool ask(QWidget *parent, const QString &caption, const QString &text, Icon icon);
    // A message with an OK button.
    virtual void tell(QWidget *parent, const QString &caption, const QString &text, Icon icon);
    // Whether the existing file target may be replaced by a copy.
    virtual FileCopier::Replace askReplace(QWidget *parent, const QString &target);
    // A folder chosen in the folder dialog; empty when cancelled.
    virtual QString browseForFolder(QWidget *parent, const QString &title, const QString &start = QString());
    // A program chosen in the open-file dialog; empty when cancelled.
    virtual QString chooseProgram(QWidget *parent);
    // The rename dialog for oldName in folder: the accepted new name, or
    // nothing when cancelled (or left unchanged).
    virtual std::optional<QString> askNewName(QWidget *parent, const QString &folder, const QString &oldName);

    static Prompts &instance();
    // Replaces the prompts in use (tests); null brings back the dialogs.
    static void install(std::unique_ptr<Prompts> prompts);
};

} // namespace quorvel
