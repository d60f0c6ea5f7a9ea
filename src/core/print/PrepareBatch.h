#pragma once

#include "core/edit/SaveResult.h"
#include "core/print/FinalStepModel.h"
#include "core/print/PrintLayout.h"

#include <QCoreApplication>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvel {

// The prepare-file pipeline of the wizard over many files, without the
// wizard: each picture framed as the final step frames it at first (the
// whole area of the format's proportions, centred, paper formats oriented
// by the picture), composed with its border and caption, written as a JPEG
// named as the final step proposes (source name, "_", the format's key),
// with the photograph's EXIF entries and colour profile.
class PrepareBatch
{
    Q_DECLARE_TR_FUNCTIONS(PrepareBatch)

public:
    struct Options
    {
        int formatIndex = FormatCatalogue::kDefaultIndex;
        QString dpiText = QStringLiteral("300");
        bool photolab = false;
        int quality = 85;
        // Border, caption and their lengths as the final step's fields hold
        // them; the border width defaults to none.
        FinalStepModel::Fields fields;
        // Decode converting embedded profiles to sRGB (the output is then
        // tagged sRGB); without, the pixels and the profile are the file's.
        bool useCms = false;
        // Turn each picture by its EXIF orientation first, as the viewer
        // shows it: a portrait is framed and captioned as a portrait.
        bool applyOrientation = true;
    };

    // One file of a run: where it goes, or why it is not made.
    struct Item
    {
        QString source;
        QString target;
        QString refusal; // not empty: the file is skipped with this reason
    };

    explicit PrepareBatch(const Options &options);

    const Options &options() const { return m_options; }
    // The format side for the options, before a picture orients it.
    PrintParameters parameters() const;

    // The catalogue index of a format key, matched without regard to case.
    // The custom sizes have no fixed size and are not offered.
    static std::optional<int> formatByKey(const QString &key);
    // One line per offered format: key, name and size, separated by tabs.
    // Paper sizes are given upright (a picture turns them); screen sizes
    // as they are made, width first.
    static QStringList formatListing();

    // A length as typed for the border: a number with an optional unit
    // ("0.5", "0.5cm", "5mm", "0.2in", "20px"); centimetres when none is
    // given. Nothing for a text that is no length of 0 or more.
    static std::optional<std::pair<QString, LengthUnit>> parseLength(const QString &text);

    // The targets in folder for the sources, in order. A source whose name
    // another one already takes, or that would be written over a source,
    // is refused.
    QList<Item> plan(const QStringList &sources, const QString &folder) const;

    // Everything that is composed for a picture of that size.
    PrintComposition composition(QSize picture) const;

    // Makes one file; the target is replaced when it exists.
    SaveResult run(const Item &item) const;

private:
    Options m_options;
};

} // namespace quorvel
