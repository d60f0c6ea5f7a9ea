#pragma once

#include "ui/fileops/Prompts.h"

#include <QList>
#include <QStringList>

namespace quorvel::test {

// Answers the file commands' questions and choosers from prepared answers and
// keeps what was shown, as "caption|text".
class RecordingPrompts : public Prompts
{
public:
    QStringList questions;
    QStringList messages;
    QStringList browseTitles;
    QList<bool> answers;         // taken in turn; Yes when none is left
    QString folder;              // what the folder dialog gives
    QString program;             // what the program chooser gives
    std::optional<QString> newName;
    QList<FileCopier::Replace> replaceAnswers;
    QStringList replaced;

    bool ask(QWidget *, const QString &caption, const QString &text, Icon) override
    {
        questions.append(caption + u'|' + text);
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void tell(QWidget *, const QString &caption, const QString &text, Icon) override
    {
        messages.append(caption + u'|' + text);
    }
    FileCopier::Replace askReplace(QWidget *, const QString &target) override
    {
        replaced.append(target);
        return replaceAnswers.isEmpty() ? FileCopier::Replace::Cancel : replaceAnswers.takeFirst();
    }
    QString browseForFolder(QWidget *, const QString &title, const QString &) override
    {
        browseTitles.append(title);
        return folder;
    }
    QString chooseProgram(QWidget *) override { return program; }
    std::optional<QString> askNewName(QWidget *, const QString &, const QString &) override { return newName; }

    // Installs a fresh recorder and returns it.
    static RecordingPrompts *install()
    {
        auto prompts = std::make_unique<RecordingPrompts>();
        RecordingPrompts *raw = prompts.get();
        Prompts::install(std::move(prompts));
        return raw;
    }
};

} // namespace quorvel::test
