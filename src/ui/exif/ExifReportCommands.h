#pragma once

class QWidget;

namespace quorvel {

class FileListModel;

// The two reports of the Tools menu over the file list's folder.

// "EXIF data statistics": the file count over every file of the folder,
// the values over the files the list shows.
void showExifStatistics(QWidget *parent, const FileListModel &list);

// "Export images information...": asks for a text file, writes one line per
// row the list shows, then opens the file with the desktop's program for it.
void exportImagesInfo(QWidget *parent, const FileListModel &list);

} // namespace quorvel
