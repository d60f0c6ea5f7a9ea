#include "core/settings/AppSettings.h"

#include "core/settings/SettingsStore.h"

#include <array>

namespace quorvel {

namespace {

const QString kAlgorithms = QStringLiteral("Algorithms");
const QString kPrint = QStringLiteral("Print");
const QString kMain = QStringLiteral("Main");

struct Field
{
    const QString &section;
    const char *name;
    int AppSettings::*intField;
    QString AppSettings::*textField;
};

// Every field of the record with its place in the store, in record order;
// save writes in this order.
const std::array<Field, 30> &fields()
{
    static const std::array<Field, 30> table{{
        {kAlgorithms, "ResizeFullScreen", &AppSettings::resizeFullScreen, nullptr},
        {kAlgorithms, "ResizeToPrint", &AppSettings::resizeToPrint, nullptr},
        {kPrint, "PrintFormat", &AppSettings::printFormat, nullptr},
        {kPrint, "IndexPrintFormat", &AppSettings::indexPrintFormat, nullptr},
        {kPrint, "PrintDPI", nullptr, &AppSettings::printDpi},
        {kPrint, "PrintFrameWidth", nullptr, &AppSettings::printFrameWidth},
        {kPrint, "PrintTextHeight", nullptr, &AppSettings::printTextHeight},
        {kPrint, "PrintTextMarginWidth", nullptr, &AppSettings::printTextMarginWidth},
        {kPrint, "PrintText", nullptr, &AppSettings::printText},
        {kPrint, "PrintIndexWidth", nullptr, &AppSettings::printIndexWidth},
        {kPrint, "PrintIndexHeight", nullptr, &AppSettings::printIndexHeight},
        {kPrint, "PrintMinIntervalX", nullptr, &AppSettings::printMinIntervalX},
        {kPrint, "PrintMinIntervalY", nullptr, &AppSettings::printMinIntervalY},
        {kPrint, "PrintNamesTextHeight", nullptr, &AppSettings::printNamesTextHeight},
        {kPrint, "PrintShowNames", &AppSettings::printShowNames, nullptr},
        {kMain, "WndRectLeft", &AppSettings::wndRectLeft, nullptr},
        {kMain, "WndRectTop", &AppSettings::wndRectTop, nullptr},
        {kMain, "WndRectRight", &AppSettings::wndRectRight, nullptr},
        {kMain, "WndRectBottom", &AppSettings::wndRectBottom, nullptr},
        {kMain, "WndLeftPaneWidth", &AppSettings::wndLeftPaneWidth, nullptr},
        {kMain, "WndCenterPaneWidth", &AppSettings::wndCenterPaneWidth, nullptr},
        {kMain, "InterfaceLang", nullptr, &AppSettings::interfaceLang},
        {kMain, "LastUsedDir", nullptr, &AppSettings::lastUsedDir},
        {kMain, "StartFolder", nullptr, &AppSettings::startFolder},
        {kMain, "StartFolderUse", &AppSettings::startFolderUse, nullptr},
        {kMain, "AskWhenExit", &AppSettings::askWhenExit, nullptr},
        {kMain, "DefaultUnits", &AppSettings::defaultUnits, nullptr},
        {kMain, "HQRAWConv", &AppSettings::hqRawConv, nullptr},
        {kMain, "UseCMS", &AppSettings::useCms, nullptr},
        {kMain, "RotateByExif", &AppSettings::rotateByExif, nullptr},
    }};
    return table;
}

bool inFormatRange(int index)
{
    return index >= 0 && index <= 50;
}

} // namespace

QString AppSettings::defaultStartFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QStringLiteral("/");
#endif
}

int AppSettings::clampInterpolation(int mode)
{
    return mode >= InterpolationBilinear && mode <= InterpolationHighQualityBicubic ? mode
                                                                                    : InterpolationBilinear;
}

void AppSettings::resetToDefaults()
{
    *this = AppSettings();
}

void AppSettings::load(const SettingsStore &store)
{
    resetToDefaults();
    const AppSettings defaults;
    for (const Field &f : fields()) {
        const QString name = QString::fromLatin1(f.name);
        if (f.intField)
            this->*f.intField = store.readInt(f.section, name, this->*f.intField);
        else
            this->*f.textField = store.readString(f.section, name, this->*f.textField);
    }

    resizeFullScreen = clampInterpolation(resizeFullScreen);
    resizeToPrint = clampInterpolation(resizeToPrint);
    if (!inFormatRange(printFormat))
        printFormat = defaults.printFormat;
    if (!inFormatRange(indexPrintFormat))
        indexPrintFormat = defaults.indexPrintFormat;

    // Print lengths that read back empty get their defaults again; the text
    // to print may well be empty.
    for (QString AppSettings::*text :
         {&AppSettings::printDpi, &AppSettings::printFrameWidth, &AppSettings::printTextHeight,
          &AppSettings::printTextMarginWidth, &AppSettings::printIndexWidth,
          &AppSettings::printIndexHeight, &AppSettings::printMinIntervalX,
          &AppSettings::printMinIntervalY, &AppSettings::printNamesTextHeight}) {
        if ((this->*text).isEmpty())
            this->*text = defaults.*text;
    }
    if (interfaceLang.isEmpty())
        interfaceLang = defaults.interfaceLang;
    // Units index tables of four entries everywhere; an unknown code would
    // read past them.
    if (defaultUnits < UnitPixels || defaultUnits > UnitMillimetres)
        defaultUnits = defaults.defaultUnits;
}

void AppSettings::load()
{
    load(settingsStore());
}

void AppSettings::save(SettingsStore &store) const
{
    for (const Field &f : fields()) {
        const QString name = QString::fromLatin1(f.name);
        if (f.intField)
            store.writeInt(f.section, name, this->*f.intField);
        else
            store.writeString(f.section, name, this->*f.textField);
    }
    store.flush();
}

void AppSettings::save() const
{
    save(settingsStore());
}

AppSettings &globalSettings()
{
    static AppSettings settings;
    return settings;
}

namespace settings {

int wizardFormat(const SettingsStore &store, int item)
{
    AppSettings local;
    local.load(store);
    const int fallback = local.defaultUnits == UnitInches ? 29 : 2;
    const int v = store.readInt(kPrint, QStringLiteral("PrintWizSelType%1").arg(item), fallback);
    return inFormatRange(v) ? v : fallback;
}

void setWizardFormat(SettingsStore &store, int item, int format)
{
    store.writeInt(kPrint, QStringLiteral("PrintWizSelType%1").arg(item), format);
}

int wizardItem(const SettingsStore &store)
{
    const int v = store.readInt(kPrint, QStringLiteral("PrWizItemSelected"), 0);
    return v >= 0 && v <= 2 ? v : 0;
}

void setWizardItem(SettingsStore &store, int item)
{
    store.writeInt(kPrint, QStringLiteral("PrWizItemSelected"), item);
}

int listMode(const SettingsStore &store)
{
    return store.readInt(QStringLiteral("RightPaneColumns"), QStringLiteral("ShowMode"), 0) != 0 ? 1 : 0;
}

void setListMode(SettingsStore &store, int mode)
{
    store.writeInt(QStringLiteral("RightPaneColumns"), QStringLiteral("ShowMode"), mode);
}

int jpegLevel(const SettingsStore &store)
{
    const int v = store.readInt(kMain, QStringLiteral("JpegLevel"), 85);
    return qBound(30, v, 100);
}

void setJpegLevel(SettingsStore &store, int level)
{
    store.writeInt(kMain, QStringLiteral("JpegLevel"), level);
}

} // namespace settings

} // namespace quorvel
