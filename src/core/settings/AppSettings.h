#pragma once

#include <QString>

namespace quorvel {

class SettingsStore;

// Interpolation modes as stored in "ResizeFullScreen" and "ResizeToPrint".
enum InterpolationMode : int {
    InterpolationBilinear = 3,
    InterpolationBicubic = 4,
    InterpolationNearest = 5,
    InterpolationHighQualityBilinear = 6,
    InterpolationHighQualityBicubic = 7,
};

// Units of the typed print lengths ("DefaultUnits").
enum LengthUnitCode : int { UnitPixels = 0, UnitCentimetres = 1, UnitInches = 2, UnitMillimetres = 3 };

// The program-wide settings record. The global instance is loaded at start;
// single operations load, change and save local copies.
struct AppSettings
{
    int resizeFullScreen = InterpolationBicubic;
    int resizeToPrint = InterpolationBicubic;
    int printFormat = 2;
    int indexPrintFormat = 2;
    QString printDpi = QStringLiteral("300");
    QString printFrameWidth = QStringLiteral("0");
    QString printTextHeight = QStringLiteral("0.8");
    QString printTextMarginWidth = QStringLiteral("0.2");
    QString printText;
    QString printIndexWidth = QStringLiteral("3.0");
    QString printIndexHeight = QStringLiteral("2.0");
    QString printMinIntervalX = QStringLiteral("0.4");
    QString printMinIntervalY = QStringLiteral("0.7");
    QString printNamesTextHeight = QStringLiteral("0.3");
    int printShowNames = 1;
    int wndRectLeft = 0;
    int wndRectTop = 0;
    int wndRectRight = 800;
    int wndRectBottom = 700;
    int wndLeftPaneWidth = 200;
    int wndCenterPaneWidth = 0;
    QString interfaceLang = QStringLiteral("English");
    QString lastUsedDir;
    QString startFolder = defaultStartFolder();
    int startFolderUse = 0;
    int askWhenExit = 1;
    int defaultUnits = UnitInches;
    int hqRawConv = 0;
    int useCms = 0;
    // "Rotate pictures by their EXIF orientation".
    int rotateByExif = 1;

    static QString defaultStartFolder();
    static int clampInterpolation(int mode);

    void resetToDefaults();
    // Resets, then reads every field with its default as fallback and applies
    // the range rules.
    void load(const SettingsStore &store);
    void load();
    // Writes every field in record order. Nothing is validated.
    void save(SettingsStore &store) const;
    void save() const;

    bool operator==(const AppSettings &) const = default;
};

// The program-wide record, loaded at start-up.
AppSettings &globalSettings();

// Values that live beside the record in the same store.
namespace settings {

// Format last chosen for item n (0..2) of the prepare-file wizard.
int wizardFormat(const SettingsStore &store, int item);
void setWizardFormat(SettingsStore &store, int item, int format);
// Item last chosen in step 1 of the wizard, 0..2.
int wizardItem(const SettingsStore &store);
void setWizardItem(SettingsStore &store, int item);
// File list mode: 0 short view, 1 EXIF view.
int listMode(const SettingsStore &store);
void setListMode(SettingsStore &store, int mode);
// JPEG quality for saving, 30..100.
int jpegLevel(const SettingsStore &store);
void setJpegLevel(SettingsStore &store, int level);

} // namespace settings

} // namespace quorvel
