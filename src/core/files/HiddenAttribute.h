#pragma once

#include <QString>

namespace quorvel {

// The hidden attribute of file systems that have one (Windows). Elsewhere a
// file is hidden by its name alone, and these do nothing.
class HiddenAttribute
{
public:
    // Reads the file's attributes; remembers that the file is missing.
    explicit HiddenAttribute(const QString &path);

    // Drops the hidden attribute so the file can be replaced.
    void unhide();
    // Puts the attributes back as they were read (after a failed rewrite).
    void restore();
    // The attributes as read, plus hidden, on the file now at the path; a
    // file that did not exist gets hidden alone.
    void hide();

private:
#ifdef Q_OS_WIN
    QString m_path;
    unsigned long m_attributes = 0;
    bool m_existed = false;
#endif
};

} // namespace quorvel
