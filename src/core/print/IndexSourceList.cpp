#include "core/print/IndexSourceList.h"

#include "core/files/PathUtil.h"

namespace quorvel {

IndexSourceList IndexSourceList::fromSelectionText(const QString &text)
{
    return IndexSourceList(text.split(QLatin1Char(';'), Qt::SkipEmptyParts));
}

QString IndexSourceList::displayName(int row) const
{
    return fileNameOf(path(row));
}

QStringList IndexSourceList::displayNames() const
{
    QStringList names;
    names.reserve(m_paths.size());
    for (const QString &p : m_paths)
        names.append(fileNameOf(p));
    return names;
}

void IndexSourceList::append(const QStringList &paths)
{
    for (const QString &p : paths) {
        if (!p.isEmpty())
            m_paths.append(p);
    }
}

int IndexSourceList::remove(int row)
{
    if (row < 0 || row >= count())
        return -1;
    m_paths.removeAt(row);
    if (m_paths.isEmpty())
        return -1;
    return row > 0 ? row - 1 : 0;
}

int IndexSourceList::moveUp(int row)
{
    if (row < 0 || row >= count())
        return -1;
    if (row == 0)
        return row;
    m_paths.swapItemsAt(row, row - 1);
    return row - 1;
}

int IndexSourceList::moveDown(int row)
{
    if (row < 0 || row >= count())
        return -1;
    if (row == count() - 1)
        return row;
    m_paths.swapItemsAt(row, row + 1);
    return row + 1;
}

} // namespace quorvel
