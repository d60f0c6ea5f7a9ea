#include "core/files/DescriptionStore.h"

#include "core/files/HiddenAttribute.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"
#include "core/files/FileAccess.h"
#include "core/files/SafeWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace quorvel {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool sameFile(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// A description is one line: line breaks become spaces, NULs go.
QString oneLine(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    out.remove(QChar(0));
    return out;
}

QByteArray withoutQuotes(QByteArray name)
{
    name.replace('"', QByteArray());
    return name;
}

} // namespace

QString DescriptionStore::fileInFolder(const QString &folder)
{
    return joinPath(folder, fileName());
}

void DescriptionStore::clear()
{
    m_data.clear();
    m_utf8Bom = false;
    m_lines.clear();
    m_entries.clear();
    m_firstByName.clear();
    m_filePath.clear();
    m_unreadable = false;
    m_modified = false;
    m_error.clear();
    m_identity = FileIdentity();
    m_unreadableReason.clear();
}

// Text is kept in the file as the file system spells names: UTF-8 where file
// names are UTF-8, the 8-bit code page on Windows unless the file announces
// UTF-8 with a byte order mark.
QByteArray DescriptionStore::encode(const QString &text) const
{
#ifdef Q_OS_WIN
    if (!m_utf8Bom)
        return text.toLocal8Bit();
#endif
    return text.toUtf8();
}

QString DescriptionStore::decode(const QByteArray &bytes) const
{
#ifdef Q_OS_WIN
    if (!m_utf8Bom)
        return QString::fromLocal8Bit(bytes);
#endif
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Written by a program that used an 8-bit code page.
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes);
#else
    return QString::fromLatin1(bytes);
#endif
}

bool DescriptionStore::load(const QString &path)
{
    const QString descriptionFile = path; // may be m_filePath itself
    clear();
    bool any = false;
    // The entry itself, a link not followed: a link, a FIFO or a device in
    // its place is neither read nor, later, replaced.
    m_identity = FileAccess::identityOf(descriptionFile);
    if (m_identity.kind != FileIdentity::Kind::Missing) {
        QFile file;
        QString reason;
        QByteArray bytes;
        if (FileAccess::openForReading(file, descriptionFile, &reason, &m_identity, FileAccess::NoLinks)) {
            if (file.size() > kMaxFileBytes) {
                reason = tr("larger than %1 MB").arg(kMaxFileBytes / (1024 * 1024));
            } else {
                bytes = file.read(kMaxFileBytes + 1);
                if (file.error() != QFileDevice::NoError)
                    reason = file.errorString();
                else if (bytes.size() > kMaxFileBytes)
                    reason = tr("larger than %1 MB").arg(kMaxFileBytes / (1024 * 1024));
            }
        }
        m_unreadable = !reason.isEmpty();
        if (!m_unreadable) {
            any = loadBytes(bytes);
            if (m_unreadable)
                reason = tr("more than %1 lines").arg(kMaxLines);
        }
        if (m_unreadable) {
            const FileIdentity identity = m_identity;
            clear();
            m_identity = identity;
            m_unreadable = true;
            m_unreadableReason = reason;
            m_error = tr("The description file \"%1\" could not be read: %2").arg(shown(descriptionFile), reason);
        }
    }
    m_filePath = descriptionFile;
    return any;
}

bool DescriptionStore::loadBytes(const QByteArray &bytes)
{
    const QString keepPath = m_filePath;
    const FileIdentity keepIdentity = m_identity;
    clear();
    m_filePath = keepPath;
    m_identity = keepIdentity;
    m_data = bytes;
    qsizetype pos = 0;
    if (m_data.startsWith(kUtf8Bom)) {
        m_utf8Bom = true;
        pos = kUtf8Bom.size();
    }
    const qsizetype size = m_data.size();
    const char *data = m_data.constData();
    while (pos < size) {
        if (m_lines.size() >= kMaxLines) {
            clear();
            m_filePath = keepPath;
            m_identity = keepIdentity;
            m_unreadable = true;
            return false;
        }
        Line line;
        line.start = pos;
        const qsizetype lf = m_data.indexOf('\n', pos);
        const qsizetype end = lf < 0 ? size : lf;
        line.length = end - pos;
        line.endLength = lf < 0 ? 0 : 1;
        if (line.length > 0 && data[end - 1] == '\r' && lf >= 0) {
            --line.length;
            line.endLength = 2;
        }
        pos = lf < 0 ? size : lf + 1;

        const QByteArrayView content(data + line.start, line.length);
        if (!content.contains('\0')) {
            qsizetype sep = -1;
            if (content.startsWith('"')) {
                const qsizetype close = content.indexOf(QByteArrayView("\" "), 1);
                sep = close < 0 ? 0 : close + 1; // an unclosed quote gives an empty name
            } else {
                sep = content.indexOf(' ');
            }
            if (sep >= 0) {
                Entry e;
                e.name = withoutQuotes(content.first(sep).toByteArray());
                e.descStart = line.start + sep + 1;
                e.descLength = qMax<qsizetype>(0, line.length - sep - 1);
                e.line = int(m_lines.size());
                line.entry = int(m_entries.size());
                if (!e.name.isEmpty() && !m_firstByName.contains(e.name))
                    m_firstByName.insert(e.name, line.entry);
                m_entries.append(std::move(e));
            }
        }
        m_lines.append(line);
    }
    return !m_entries.isEmpty();
}

QString DescriptionStore::descriptionOf(const Entry &e) const
{
    if (e.changed)
        return e.text;
    return decode(QByteArray(m_data.constData() + e.descStart, e.descLength));
}

int DescriptionStore::findEntry(const QByteArray &name) const
{
    return m_firstByName.value(name, -1);
}

QString DescriptionStore::get(const QString &filePath) const
{
    const int i = findEntry(encode(fileNameOf(filePath)));
    return i < 0 ? QString() : descriptionOf(m_entries.at(i));
}

bool DescriptionStore::isStorableName(const QString &fileName)
{
    // A quote inside a name cannot be told from the quotes around it, and
    // a line break would split the line.
    return !fileName.isEmpty() && !fileName.contains(u'"') && !fileName.contains(u'\n')
        && !fileName.contains(u'\r') && !fileName.contains(QChar(0));
}

DescriptionStore::SetResult DescriptionStore::set(const QString &filePath, const QString &text)
{
    const QString fileName = fileNameOf(filePath);
    const QString line = oneLine(text);
    const QByteArray key = encode(fileName);
    if (!isStorableName(fileName) || decode(key) != fileName) {
        m_error = tr("A description cannot be stored for the file name \"%1\".").arg(fileName);
        return SetResult::Refused;
    }
    if (decode(encode(line)) != line) {
        m_error = tr("The description contains characters that the description file cannot hold.");
        return SetResult::Refused;
    }

    const int i = findEntry(key);
    if (i >= 0) {
        if (descriptionOf(m_entries.at(i)) == line)
            return SetResult::Unchanged;
        m_entries[i].changed = true;
        m_entries[i].text = line;
        if (line.isEmpty()) {
            // Later lines of the same name would surface once this one is gone.
            for (Entry &e : m_entries) {
                if (e.name == key) {
                    e.changed = true;
                    e.text.clear();
                }
            }
        }
    } else {
        if (line.isEmpty())
            return SetResult::Unchanged;
        Entry e;
        e.name = key;
        e.changed = true;
        e.text = line;
        m_firstByName.insert(key, int(m_entries.size()));
        m_entries.append(std::move(e));
    }
    m_modified = true;
    return SetResult::Changed;
}

bool DescriptionStore::isWritten(const Entry &e) const
{
    return !e.name.isEmpty() && !e.text.isEmpty();
}

QByteArray DescriptionStore::formatLine(const Entry &e) const
{
    const QByteArray description = encode(e.text);
    if (e.name.contains(' '))
        return '"' + e.name + "\" " + description;
    return e.name + ' ' + description;
}

QByteArray DescriptionStore::defaultLineEnd() const
{
    for (const Line &l : m_lines) {
        if (l.endLength == 1)
            return QByteArrayLiteral("\n");
        if (l.endLength == 2)
            break;
    }
    return QByteArrayLiteral("\r\n");
}

QByteArray DescriptionStore::toBytes() const
{
    QByteArray out;
    out.reserve(m_data.size() + 256);
    if (m_utf8Bom)
        out += kUtf8Bom;
    for (const Line &l : m_lines) {
        const QByteArrayView lineEnd(m_data.constData() + l.start + l.length, l.endLength);
        if (l.entry >= 0 && m_entries.at(l.entry).changed) {
            const Entry &e = m_entries.at(l.entry);
            if (isWritten(e)) {
                out += formatLine(e);
                out += lineEnd;
            }
        } else {
            out += QByteArrayView(m_data.constData() + l.start, l.length + l.endLength);
        }
    }
    const QByteArray lineEnd = defaultLineEnd();
    for (const Entry &e : m_entries) {
        if (e.line >= 0 || !isWritten(e))
            continue;
        if (!out.isEmpty() && !out.endsWith('\n') && out != kUtf8Bom)
            out += lineEnd;
        out += formatLine(e) + lineEnd;
    }
    return out;
}

bool DescriptionStore::save(const QString &path)
{
    const QString descriptionFile = path; // may be m_filePath itself
    const bool recorded = !m_filePath.isEmpty() && sameFile(descriptionFile, m_filePath);
    if (recorded && !m_modified)
        return true;
    if (recorded && m_unreadable) {
        m_error = m_unreadableReason.isEmpty()
            ? tr("The description file \"%1\" could not be read, so it is not replaced.").arg(shown(descriptionFile))
            : tr("The description file \"%1\" could not be read (%2), so it is not replaced.")
                  .arg(shown(descriptionFile), m_unreadableReason);
        return false;
    }
    const QByteArray bytes = toBytes();
    SafeWriter writer(descriptionFile);
    // Another program's change since the load is never overwritten.
    if (recorded)
        writer.expectUnchanged(m_identity);
    HiddenAttribute attributes(descriptionFile);
    attributes.unhide();
    if (!writer.open() || !writer.write(bytes) || !writer.commit()) {
        attributes.restore();
        m_error = writer.errorString();
        return false;
    }
    attributes.hide();
    if (recorded) {
        loadBytes(bytes);
        m_identity = FileAccess::identityOf(descriptionFile);
    }
    return true;
}

bool DescriptionStore::saveIfLoaded()
{
    return m_filePath.isEmpty() || save(m_filePath);
}

namespace {

// Changes one description in the file of another folder, and writes it.
bool setInFolderOf(const QString &filePath, const QString &text, QString *error)
{
    DescriptionStore store;
    const QString file = DescriptionStore::fileInFolder(folderOf(filePath));
    store.load(file);
    const auto result = store.set(filePath, text);
    if (result == DescriptionStore::SetResult::Refused || !store.save(file)) {
        *error = store.lastError();
        return false;
    }
    return true;
}

} // namespace

QString DescriptionStore::getDescription(const QString &listedPath) const
{
    if (!link::isLinkName(fileNameOf(listedPath)))
        return get(listedPath);
    const auto target = link::resolveLink(listedPath);
    if (!target)
        return QString();
    DescriptionStore store;
    store.load(fileInFolder(folderOf(*target)));
    return store.get(*target);
}

bool DescriptionStore::setDescription(const QString &listedPath, const QString &text)
{
    m_error.clear();
    QString filePath = listedPath;
    if (link::isLinkName(fileNameOf(listedPath))) {
        const auto target = link::resolveLink(listedPath);
        if (!target) {
            m_error = tr("The link \"%1\" could not be resolved.").arg(shown(listedPath));
            return false;
        }
        // The description goes beside the target, so the target must be
        // a photo the list can show: never a device, a FIFO or a folder
        // (whose folder could be anywhere, /dev included).
        const QFileInfo info(*target);
        if (!info.exists()) {
            m_error = tr("The link \"%1\" could not be resolved.").arg(shown(listedPath));
            return false;
        }
        if (!info.isFile()) {
            m_error = shown(*target) + QStringLiteral(": ") + FileAccess::notRegularFile();
            return false;
        }
        filePath = *target;
    }
    const QString file = fileInFolder(folderOf(filePath));
    if (m_filePath.isEmpty() || !sameFile(file, m_filePath))
        return setInFolderOf(filePath, text, &m_error);

    // Another program may have changed the file since the list was filled:
    // start from what is on disk now, so its changes are kept.
    if (!m_modified)
        load(m_filePath);
    if (set(filePath, text) == SetResult::Refused)
        return false;
    return saveIfLoaded();
}

bool DescriptionStore::moveDescription(const QString &oldPath, const QString &newPath)
{
    const QString file = fileInFolder(folderOf(oldPath));
    if (!sameFile(file, fileInFolder(folderOf(newPath)))) {
        m_error = tr("A description moves only with a file renamed within its folder.");
        return false;
    }
    load(file);
    if (m_unreadable)
        return false;
    const QString text = get(oldPath);
    if (text.isEmpty() || fileNameOf(oldPath) == fileNameOf(newPath))
        return true;
    // The new name first: when it cannot be described, the old line stays.
    if (set(newPath, text) == SetResult::Refused)
        return false;
    set(oldPath, QString());
    return save(file);
}

} // namespace quorvel
