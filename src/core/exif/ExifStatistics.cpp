#include "core/exif/ExifStatistics.h"

#include "core/exif/ExifFormat.h"
#include "core/files/LinkFile.h"
#include "core/files/PathUtil.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace quorvel {

namespace {

QString statsText(const char *source)
{
    return QCoreApplication::translate("ExifStatisticsDialog", source);
}

// Counts key in the tally: a new key starts at 1.
template <typename Key>
void tallyUp(ExifStatistics::Tally<Key> &tally, const Key &key)
{
    for (auto &[k, n] : tally) {
        if (k == key) {
            ++n;
            return;
        }
    }
    tally.emplace_back(key, 1);
}

template <typename Key, typename Less>
void sortTally(ExifStatistics::Tally<Key> &tally, Less less)
{
    std::stable_sort(tally.begin(), tally.end(), [&](const auto &a, const auto &b) { return less(a.first, b.first); });
}

double exposureValue(const ExifStatistics::Exposure &e)
{
    return e.first == 0 || e.second == 0 ? 0.0 : double(e.first) / double(e.second);
}

template <typename Key, typename Format>
void appendBlock(QVector<ExifStatistics::Row> &rows, const char *heading, const ExifStatistics::Tally<Key> &tally,
                 Format format, bool closingEmptyRow)
{
    if (tally.empty())
        return;
    rows.append({statsText(heading), QString()});
    for (const auto &[key, n] : tally)
        rows.append({QStringLiteral("  ") + format(key), statsText(QT_TRANSLATE_NOOP("ExifStatisticsDialog", "%1 items")).arg(n)});
    if (closingEmptyRow)
        rows.append({QString(), QString()});
}

} // namespace

void ExifStatistics::clear()
{
    m_fileCount = 0;
    m_filesWithExif = 0;
    m_cameras.clear();
    m_exposures.clear();
    m_apertures.clear();
    m_focalLengths.clear();
    m_isos.clear();
}

void ExifStatistics::count(const ExifInfo &info)
{
    bool counted = false;
    QString model;
    if (info.getModel(model)) {
        tallyUp(m_cameras, model.trimmed());
        counted = true;
    }
    float value = 0.0f;
    if (info.getExposure(value)) {
        tallyUp(m_exposures, info.exposurePair());
        counted = true;
    }
    if (info.getFNumber(value)) {
        tallyUp(m_apertures, value);
        counted = true;
    }
    if (const int iso = info.iso(); iso != 0) {
        tallyUp(m_isos, iso);
        counted = true;
    }
    if (info.getFocalLength(value)) {
        tallyUp(m_focalLengths, value);
        counted = true;
    }
    if (counted)
        ++m_filesWithExif;
}

void ExifStatistics::sort()
{
    sortTally(m_cameras, [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    sortTally(m_exposures, [](const Exposure &a, const Exposure &b) { return exposureValue(a) < exposureValue(b); });
    sortTally(m_apertures, std::less<float>());
    sortTally(m_focalLengths, std::less<float>());
    sortTally(m_isos, std::less<int>());
}

bool ExifStatistics::gather(const QString &folder, const std::vector<QString> &fileTable, const Progress &progress,
                            const std::atomic_bool *cancel, const std::vector<std::optional<ExifRecord>> *known)
{
    clear();
    m_fileCount = int(fileTable.size());
    const int total = int(std::count_if(fileTable.begin(), fileTable.end(), [](const QString &n) { return !n.isEmpty(); }));
    int done = 0;
    for (size_t i = 0; i < fileTable.size(); ++i) {
        const QString &name = fileTable[i];
        if (name.isEmpty())
            continue; // hidden by the list's filter
        if (cancel && cancel->load(std::memory_order_relaxed))
            return false;
        ExifInfo info;
        const std::optional<ExifRecord> *record = known && i < known->size() ? &(*known)[i] : nullptr;
        if (record && record->has_value()) {
            if ((*record)->read) {
                info.assign((*record)->fields);
                count(info);
            }
        } else if (info.read(link::effectivePath(joinPath(folder, name)))) {
            count(info);
        }
        ++done;
        if (progress)
            progress(done, total);
    }
    sort();
    return true;
}

QVector<ExifStatistics::Row> ExifStatistics::rows(const QString &folder) const
{
    QVector<Row> rows;
    rows.append({statsText(QT_TRANSLATE_NOOP("ExifStatisticsDialog", "Folder: %1")).arg(QDir::toNativeSeparators(folder)), QString()});
    rows.append({statsText(QT_TRANSLATE_NOOP("ExifStatisticsDialog", "Files: %1, files with EXIF: %2"))
                     .arg(QString::number(m_fileCount), QString::number(m_filesWithExif)),
                 QString()});
    if (m_filesWithExif == 0)
        return rows;
    rows.append({QStringLiteral("-----"), QString()});
    appendBlock(rows, QT_TRANSLATE_NOOP("ExifStatisticsDialog", "Used cameras:"), m_cameras,
                [](const QString &model) { return model; }, true);
    appendBlock(rows, QT_TRANSLATE_NOOP("ExifStatisticsDialog", "Used exposures:"), m_exposures,
                [](const Exposure &e) { return formatExposure(e.first, e.second); }, true);
    appendBlock(rows, QT_TRANSLATE_NOOP("ExifStatisticsDialog", "Used apertures:"), m_apertures, formatAperture, true);
    appendBlock(rows, QT_TRANSLATE_NOOP("ExifStatisticsDialog", "Focal lengths:"), m_focalLengths, formatFocalLength, true);
    appendBlock(rows, QT_TRANSLATE_NOOP("ExifStatisticsDialog", "ISO:"), m_isos, [](int iso) { return formatIso(iso, false); },
                false);
    return rows;
}

} // namespace quorvel
