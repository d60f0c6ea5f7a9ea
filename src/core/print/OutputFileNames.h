#pragma once

#include <QString>

namespace quorvel {

// The names of the files the print tools write.
class OutputFileNames
{
public:
    // The name the final step proposes: beside the source, the source's name
    // without its extension, "_", the format's key, ".jpg"
    // ("/photos/img_0012.jpg", "10x15" -> "/photos/img_0012_10x15.jpg").
    static QString prepared(const QString &sourcePath, const QString &formatKey);

    // The file of one index-print list: "_<list>" after the chosen name's
    // base name, folder and extension kept ("/out/index.jpg", 2 ->
    // "/out/index_2.jpg").
    static QString indexList(const QString &chosenPath, int list);
};

} // namespace quorvel
