#pragma once

#include <QCoreApplication>
#include <QString>

namespace quorvel {

class DescriptionStore;

// One edit of a listed file's description, as the Edit description dialog
// makes it: the text it starts from, its label, when "Save" counts as a
// confirmation, and storing the result. A link is described in its target's
// folder, but the label names the link file itself.
class DescriptionEdit
{
    Q_DECLARE_TR_FUNCTIONS(DescriptionEdit)

public:
    // store is the current folder's; listedPath is folder + the row's name.
    DescriptionEdit(DescriptionStore &store, const QString &listedPath);

    const QString &listedPath() const { return m_path; }
    const QString &startText() const { return m_start; }
    // "Description of \"IMG_0001.JPG\":"
    QString label() const;
    static QString labelFor(const QString &listedPath);

    // "Save" ends the dialog as confirmed only when the text was changed;
    // otherwise it ends like "Cancel".
    bool saveConfirms(const QString &text) const { return text != m_start; }

    // Stores the text and writes the description file at once. False when
    // the link cannot be resolved, the text is refused or the file cannot
    // be written; error() then says why.
    bool commit(const QString &text);
    // The description as stored now (line breaks became spaces).
    QString storedText() const;
    QString error() const { return m_error; }

private:
    DescriptionStore &m_store;
    QString m_path;
    QString m_start;
    QString m_error;
};

} // namespace quorvel
