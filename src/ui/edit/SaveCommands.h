#pragma once

namespace quorvel {

class MainWindow;

// The main window's commands that rewrite the selected or shown file: each
// runs its dialog, lets the shown image go before the file is replaced, and
// refreshes the list and the view afterwards.
namespace savecommands {

// "Change EXIF data" (Ctrl+E) on the selected file, its link resolved.
void changeExif(MainWindow &frame);
// "Rotate/Flip" (Ctrl+J) on the selected file, its link resolved.
void rotateFlip(MainWindow &frame);
// "Set image resolution" on the file shown in the view.
void imageResolution(MainWindow &frame);
// "Crop image..." and "Adjust image...": the image edit window on the
// selected file, its link resolved, in crop or adjustment mode, with the
// main window out of sight while it runs.
void cropImage(MainWindow &frame);
void adjustImage(MainWindow &frame);

} // namespace savecommands
} // namespace quorvel
