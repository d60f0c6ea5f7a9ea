#pragma once

#include <QString>

#include <functional>

class QUrl;
class QWidget;

namespace quorvel {

// Hands a file or folder to the program the desktop has for it (a folder to
// the file browser, the manual to a PDF viewer, an export to a text editor).
// When the file is missing, or the desktop has no program for it, says so in
// a message instead of doing nothing, and returns false.
bool openWithDesktop(QWidget *parent, const QString &path);

// Replaces the desktop's opener (tests); an empty function brings back
// QDesktopServices::openUrl.
void setDesktopOpener(std::function<bool(const QUrl &)> opener);

} // namespace quorvel
