#pragma once

namespace quorvel {

class MainWindow;

// "Prepare index-print photo...": the index print over the files selected
// in the list. The main window steps aside while the dialog is open; the
// list is read again when a file was written.
void showIndexPrint(MainWindow &frame);

} // namespace quorvel
