#pragma once

#include <QStringList>

class QWidget;

namespace quorvel {

struct CustomSizeCheck;

// "Prepare to print, web or mobile device": step 1 (what for), step 2 (which
// format), then the final step for the selected photographs. The kind and
// each kind's format are remembered, also when the user cancels. While the
// final step runs the main window is out of sight; it comes back where it
// was.
class PrepareFileWizard
{
public:
    PrepareFileWizard(const QStringList &files, QWidget *mainWindow);

    // Runs the wizard; true when at least one file was written.
    bool run();

private:
    bool runFinalStep(int format, const CustomSizeCheck *customSize);

    QStringList m_files;
    QWidget *m_mainWindow;
};

} // namespace quorvel
