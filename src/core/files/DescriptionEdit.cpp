#include "core/files/DescriptionEdit.h"

#include "core/files/DescriptionStore.h"
#include "core/files/PathUtil.h"

namespace quorvel {

DescriptionEdit::DescriptionEdit(DescriptionStore &store, const QString &listedPath)
    : m_store(store)
    , m_path(listedPath)
    , m_start(store.getDescription(listedPath))
{
}

QString DescriptionEdit::label() const
{
    return labelFor(m_path);
}

QString DescriptionEdit::labelFor(const QString &listedPath)
{
    // The template names the file in two parts, name and extension. Each
    // placeholder is filled once, in order, so a name that itself holds
    // "%s" stays as it is.
    const QString name = fileNameOf(listedPath);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString parts[2] = {dot < 0 ? name : name.left(dot), dot < 0 ? QString() : name.mid(dot)};
    QString text = tr("Description of \"%s%s\":");
    qsizetype from = 0;
    for (const QString &part : parts) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, part);
        from = at + part.size();
    }
    return text;
}

bool DescriptionEdit::commit(const QString &text)
{
    m_error.clear();
    if (m_store.setDescription(m_path, text))
        return true;
    m_error = m_store.lastError();
    return false;
}

QString DescriptionEdit::storedText() const
{
    return m_store.getDescription(m_path);
}

} // namespace quorvel
