#pragma once

#include "core/print/IndexComposer.h"
#include "core/print/IndexLayout.h"
#include "core/print/IndexSourceList.h"
#include "core/print/LengthUnit.h"
#include "core/print/PrintParameters.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

namespace quorvel {

struct AppSettings;
class IndexPrintJob;

// A length as the index print's dialog holds it: the text as typed and the
// unit list's choice (none when the list has no selection).
struct TypedLength
{
    QString text;
    std::optional<LengthUnit> unit;
};

// Everything the index-print dialog edits, without its widgets: the format
// side shared with the final step, the source files, the cell, spacing and
// names lengths (always cm), the page text, and the list being looked at.
// The dialog copies its fields in here and asks for the layout, the page
// style, the texts of "List:" and "Max quantity on list:" and the job that
// writes the files.
class IndexPrintForm
{
public:
    // The index print starts with portrait pages and photolab scaling on.
    IndexPrintForm();

    PrintParameters parameters{FormatCatalogue::kDefaultIndex, true};
    IndexSourceList sources;

    // Base lengths, each with its unit.
    TypedLength frameWidth{QStringLiteral("0"), std::nullopt};
    TypedLength margin{QStringLiteral("0.2"), std::nullopt};
    TypedLength textHeight{QStringLiteral("0.8"), std::nullopt};
    QString text;
    QFont textFont;
    QColor textColour = Qt::black;

    // The cells, in cm.
    QString cellWidth = QStringLiteral("3.0");
    QString cellHeight = QStringLiteral("2.0");
    QString minSpacingX = QStringLiteral("0.4");
    QString minSpacingY = QStringLiteral("0.7");
    QString namesHeight = QStringLiteral("0.3");
    bool showNames = true;
    QFont namesFont;

    // "ResizeToPrint".
    int interpolation = InterpolationBicubic;

    // The index print offers the paper formats only.
    static constexpr int kFormatCount = 35;

    IndexLayout layout() const;
    IndexPageStyle style() const;

    // The list being looked at, 1-based, within the lists the items make.
    int currentList() const;
    void setCurrentList(int list) { m_list = list; }
    // "<" and ">".
    void previousList();
    void nextList();
    QString listText() const { return layout().listText(m_list, sources.count()); }
    QString quantityText() const { return layout().quantityText(); }

    // Whether "Create index-print files" would ask whether to write every
    // list, and the files it writes for the chosen name.
    bool asksForAllLists() const { return layout().asksForAllLists(sources.count()); }
    QList<IndexLayout::PlannedFile> plan(const QString &chosenPath, bool allLists) const;
    // The job that writes them, sources decoded at their cells' size.
    IndexPrintJob job(int quality) const;

    // Settings read when the dialog opens (with the user's default unit for
    // the base lengths) and written when it closes.
    void load(const AppSettings &settings);
    void save(AppSettings &settings) const;

private:
    int m_list = 1;
};

} // namespace quorvel
