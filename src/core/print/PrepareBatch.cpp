#include "core/print/PrepareBatch.h"

#include "core/edit/SaveRules.h"
#include "core/print/LengthConversion.h"
#include "core/print/OutputFileNames.h"
#include "core/print/PrintFileWriter.h"
#include "core/print/PrintFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <cmath>

namespace quorvel {

PrepareBatch::PrepareBatch(const Options &options)
    : m_options(options)
{
}

PrintParameters PrepareBatch::parameters() const
{
    PrintParameters p(m_options.formatIndex, false);
    p.setPhotolab(m_options.photolab);
    p.setDpiText(m_options.dpiText);
    return p;
}

std::optional<int> PrepareBatch::formatByKey(const QString &key)
{
    const FormatCatalogue catalogue;
    for (int i = 0; i < FormatCatalogue::kCount; ++i) {
        if (!FormatCatalogue::isCustom(i) && catalogue.at(i).key.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

QStringList PrepareBatch::formatListing()
{
    const FormatCatalogue catalogue;
    QStringList lines;
    for (int i = 0; i < FormatCatalogue::kCount; ++i) {
        if (FormatCatalogue::isCustom(i))
            continue;
        const OutputFormat &f = catalogue.at(i);
        QString size;
        switch (f.group) {
        case FormatGroup::Pixels:
            // As made: screen sizes keep their orientation, the second
            // length across.
            size = QStringLiteral("%1x%2 px").arg(qRound(f.second)).arg(qRound(f.first));
            break;
        case FormatGroup::Centimetres:
            size = QStringLiteral("%1x%2 cm").arg(f.first, 0, 'g', 4).arg(f.second, 0, 'g', 4);
            break;
        case FormatGroup::Inches:
            size = QStringLiteral("%1x%2 in")
                       .arg(f.first * LengthConversion::kInchesPerCm, 0, 'f', 2)
                       .arg(f.second * LengthConversion::kInchesPerCm, 0, 'f', 2);
            break;
        }
        lines.append(f.key + QLatin1Char('\t') + f.longName + QLatin1Char('\t') + size);
    }
    return lines;
}

std::optional<std::pair<QString, LengthUnit>> PrepareBatch::parseLength(const QString &text)
{
    static const std::pair<const char *, LengthUnit> kSuffixes[] = {
        {"px", LengthUnit::Pixels}, {"cm", LengthUnit::Centimetres}, {"mm", LengthUnit::Millimetres},
        {"in", LengthUnit::Inches}};
    QString number = text.trimmed();
    LengthUnit unit = LengthUnit::Centimetres;
    for (const auto &[suffix, u] : kSuffixes) {
        if (number.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) {
            number.chop(2);
            number = number.trimmed();
            unit = u;
            break;
        }
    }
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !(value >= 0.0) || value > 1e6)
        return std::nullopt;
    if (unit == LengthUnit::Pixels && value != std::floor(value))
        return std::nullopt;
    return std::pair{number, unit};
}

QList<PrepareBatch::Item> PrepareBatch::plan(const QStringList &sources, const QString &folder) const
{
    const QString key = parameters().format().key;
    QHash<QString, QString> takenBy; // target -> the source that makes it
    QHash<QString, bool> isSource;
    for (const QString &s : sources)
        isSource.insert(QFileInfo(s).absoluteFilePath(), true);
    QList<Item> items;
    for (const QString &source : sources) {
        Item item;
        item.source = source;
        const QString name = QFileInfo(source).fileName();
        item.target = QDir(folder).absoluteFilePath(QFileInfo(OutputFileNames::prepared(name, key)).fileName());
        if (isSource.contains(item.target)) {
            item.refusal = tr("its output \"%1\" would replace one of the files to prepare")
                               .arg(QDir::toNativeSeparators(item.target));
        } else if (const auto it = takenBy.constFind(item.target); it != takenBy.constEnd()) {
            item.refusal = tr("its output \"%1\" is already the output of \"%2\"")
                               .arg(QDir::toNativeSeparators(item.target), QDir::toNativeSeparators(*it));
        } else {
            takenBy.insert(item.target, source);
        }
        items.append(item);
    }
    return items;
}

PrintComposition PrepareBatch::composition(QSize picture) const
{
    PrintParameters p = parameters();
    p.orientForImage(picture);
    const FinalStepModel::Fields &f = m_options.fields;

    PrintComposition c;
    c.imageSize = picture;
    c.output = p.outputSize();
    c.border = p.toPixels(f.frameWidth, f.frameWidthUnit);
    c.frameColour = f.frameColour;
    c.caption.text = f.text;
    c.caption.font = f.font;
    c.caption.height = p.toPixels(f.textHeight, f.textHeightUnit);
    c.caption.colour = f.textColour;
    c.margin = p.toPixels(f.margin, f.marginUnit);
    c.position = f.position;
    c.interpolation = f.interpolation;
    c.dpi = p.effectiveDpi();

    // The whole area of the output's proportions, centred on the picture.
    PrintFrame frame;
    frame.setImageSize(picture);
    frame.setOutputSize(c.output);
    frame.setBorder(c.border);
    frame.reset();
    frame.align(PrintFrame::Alignment::HorizontalCentre);
    frame.align(PrintFrame::Alignment::VerticalCentre);
    c.frame = frame.rect();
    return c;
}

SaveResult PrepareBatch::run(const Item &item) const
{
    if (!item.refusal.isEmpty())
        return SaveResult::of(SaveResult::Failed, item.refusal);
    const QFileInfo info(item.source);
    if (!info.isFile())
        return SaveResult::of(SaveResult::Failed, tr("not a file"));
    const PrintSource source = PrintSource::fromFile(item.source, {.useCms = m_options.useCms, .applyOrientation = m_options.applyOrientation});
    if (source.size.isEmpty())
        return SaveResult::of(SaveResult::Failed, tr("not a picture the program can read"));
    const EditedImage out = PrintFileWriter::compose(source, composition(source.size));
    if (out.isNull())
        return SaveResult::of(SaveResult::Failed, tr("the picture could not be decoded or composed"));
    return SaveRules::saveNewJpeg(out, item.target, m_options.quality);
}

} // namespace quorvel
