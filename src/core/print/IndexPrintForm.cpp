#include "core/print/IndexPrintForm.h"

#include "core/print/IndexPrintJob.h"
#include "core/print/LengthConversion.h"
#include "core/settings/AppSettings.h"

#include <algorithm>

namespace quorvel {

IndexPrintForm::IndexPrintForm()
    : textFont(CaptionStyle::defaultFont()), namesFont(CaptionStyle::defaultFont())
{
    parameters.setPhotolab(true);
}

IndexLayout IndexPrintForm::layout() const
{
    return IndexLayout::fromFields(parameters, frameWidth.text, frameWidth.unit, cellWidth, cellHeight, minSpacingX,
                                   minSpacingY);
}

IndexPageStyle IndexPrintForm::style() const
{
    IndexPageStyle style;
    style.showNames = showNames;
    style.names.font = namesFont;
    style.names.height =
        LengthConversion::toPixels(namesHeight, LengthUnit::Centimetres, parameters.effectiveDpi());
    style.names.colour = Qt::black;
    style.text.text = text;
    style.text.font = textFont;
    style.text.height = parameters.toPixels(textHeight.text, textHeight.unit);
    style.text.colour = textColour;
    style.margin = parameters.toPixels(margin.text, margin.unit);
    style.interpolation = interpolation;
    style.dpi = parameters.effectiveDpi();
    return style;
}

int IndexPrintForm::currentList() const
{
    return layout().boundedList(m_list, sources.count());
}

void IndexPrintForm::previousList()
{
    m_list = std::max(currentList() - 1, 1);
}

void IndexPrintForm::nextList()
{
    m_list = layout().boundedList(currentList() + 1, sources.count());
}

QList<IndexLayout::PlannedFile> IndexPrintForm::plan(const QString &chosenPath, bool allLists) const
{
    return layout().plan(chosenPath, sources.count(), currentList(), allLists);
}

IndexPrintJob IndexPrintForm::job(int quality) const
{
    IndexPrintJob job;
    job.layout = layout();
    job.paths = sources.paths();
    job.names = sources.displayNames();
    job.style = style();
    job.quality = quality;
    job.applyOrientation = globalSettings().rotateByExif != 0;
    return job;
}

void IndexPrintForm::load(const AppSettings &s)
{
    if (!parameters.setFormatIndex(s.indexPrintFormat) || s.indexPrintFormat >= kFormatCount)
        parameters.setFormatIndex(FormatCatalogue::kDefaultIndex);
    parameters.setDpiText(s.printDpi);
    const std::optional<LengthUnit> unit = lengthUnitListOrder().value(lengthUnitStartRow(s.defaultUnits));
    frameWidth = {s.printFrameWidth, unit};
    margin = {s.printTextMarginWidth, unit};
    textHeight = {s.printTextHeight, unit};
    text = s.printText;
    cellWidth = s.printIndexWidth;
    cellHeight = s.printIndexHeight;
    minSpacingX = s.printMinIntervalX;
    minSpacingY = s.printMinIntervalY;
    namesHeight = s.printNamesTextHeight;
    showNames = s.printShowNames != 0;
    interpolation = AppSettings::clampInterpolation(s.resizeToPrint);
}

void IndexPrintForm::save(AppSettings &s) const
{
    s.indexPrintFormat = parameters.formatIndex();
    s.printDpi = QString::number(LengthConversion::leadingInteger(parameters.dpiText()));
    s.printFrameWidth = frameWidth.text;
    s.printTextMarginWidth = margin.text;
    s.printTextHeight = textHeight.text;
    s.printText = text;
    s.printIndexWidth = cellWidth;
    s.printIndexHeight = cellHeight;
    s.printMinIntervalX = minSpacingX;
    s.printMinIntervalY = minSpacingY;
    s.printNamesTextHeight = namesHeight;
    s.printShowNames = showNames ? 1 : 0;
}

} // namespace quorvel
