#include "core/files/HiddenAttribute.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <windows.h>
#endif

namespace quorvel {

#ifdef Q_OS_WIN

namespace {
const wchar_t *nativePath(const QString &native)
{
    return reinterpret_cast<const wchar_t *>(native.utf16());
}
// The attributes SetFileAttributes accepts; FILE_ATTRIBUTE_NORMAL only alone.
constexpr DWORD kSettable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED
    | FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY;
} // namespace

HiddenAttribute::HiddenAttribute(const QString &path)
    : m_path(QDir::toNativeSeparators(path))
{
    const DWORD a = GetFileAttributesW(nativePath(m_path));
    m_existed = a != INVALID_FILE_ATTRIBUTES;
    m_attributes = m_existed ? (a & kSettable) : 0;
}

void HiddenAttribute::unhide()
{
    // Replacing a hidden file can be refused unless the caller asks for the
    // same attribute, which a temporary file renamed over it cannot do.
    if (m_existed && (m_attributes & FILE_ATTRIBUTE_HIDDEN)) {
        const DWORD rest = m_attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesW(nativePath(m_path), rest ? rest : FILE_ATTRIBUTE_NORMAL);
    }
}

void HiddenAttribute::restore()
{
    if (m_existed)
        SetFileAttributesW(nativePath(m_path), m_attributes ? m_attributes : FILE_ATTRIBUTE_NORMAL);
}

void HiddenAttribute::hide()
{
    SetFileAttributesW(nativePath(m_path), m_attributes | FILE_ATTRIBUTE_HIDDEN);
}

#else

HiddenAttribute::HiddenAttribute(const QString &path)
{
    Q_UNUSED(path);
}

void HiddenAttribute::unhide() {}
void HiddenAttribute::restore() {}
void HiddenAttribute::hide() {}

#endif

} // namespace quorvel
