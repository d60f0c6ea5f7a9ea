#pragma once

#include "core/exif/ExifInfo.h"

#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel {

// What the cameras, exposures, apertures, focal lengths and ISO values of a
// folder's files are, and how often each occurs: the "EXIF statistics" report.
//
// The file count takes every file of the folder's scan, the values only the
// files the file list shows: the file table has an empty name for every file
// its filter hides.
class ExifStatistics
{
public:
    // A key and how often it was met, in the order first met until sorted.
    template <typename Key>
    using Tally = std::vector<std::pair<Key, int>>;
    using Exposure = std::pair<int, int>; // numerator, denominator as read

    // Called with the files read so far and the files to read in all.
    using Progress = std::function<void(int done, int total)>;

    // Reads every shown file of the table (folder + name, a link through its
    // target), counts its fields and sorts the tallies. A file whose record
    // known holds (indexed like the table, as the file list read it) is not
    // read again. With cancel set from another thread the gathering stops
    // early and returns false.
    bool gather(const QString &folder, const std::vector<QString> &fileTable, const Progress &progress = {},
                const std::atomic_bool *cancel = nullptr,
                const std::vector<std::optional<ExifRecord>> *known = nullptr);

    // Empties the tallies and both counts.
    void clear();
    // Counts one file's fields; a file without any of model, exposure,
    // f-number, ISO or focal length (the date alone) is no file with EXIF.
    void count(const ExifInfo &info);
    // Brings each tally into its report order: cameras by their UTF-8 bytes,
    // the numbers ascending, exposures by their value in seconds.
    void sort();

    int fileCount() const { return m_fileCount; }
    void setFileCount(int count) { m_fileCount = count; }
    int filesWithExif() const { return m_filesWithExif; }
    const Tally<QString> &cameras() const { return m_cameras; }
    const Tally<Exposure> &exposures() const { return m_exposures; }
    const Tally<float> &apertures() const { return m_apertures; }
    const Tally<float> &focalLengths() const { return m_focalLengths; }
    const Tally<int> &isos() const { return m_isos; }

    // One line of the report: the text, and for counted values "%d items".
    struct Row
    {
        QString text;
        QString count;
        bool operator==(const Row &) const = default;
    };
    // The report for the folder: its path and the counts, then (when any file
    // has EXIF) a block per non-empty tally.
    QVector<Row> rows(const QString &folder) const;

private:
    int m_fileCount = 0;
    int m_filesWithExif = 0;
    Tally<QString> m_cameras;
    Tally<Exposure> m_exposures;
    Tally<float> m_apertures;
    Tally<float> m_focalLengths;
    Tally<int> m_isos;
};

} // namespace quorvel
