#include "ui/app/SettingsDialog.h"

#include "core/common/DataFolders.h"
#include "core/settings/AppSettings.h"
#include "core/settings/BrowsingSettings.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/ProfileStringList.h"
#include "ui/app/SettingsChoices.h"
#include "ui/fileops/Prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvel {

namespace {

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QComboBox *comboOf(const QList<SettingsChoices::Row> &rows, const char *name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    for (const SettingsChoices::Row &row : rows)
        combo->addItem(row.text, row.data);
    return combo;
}

QCheckBox *check(const QString &text, const char *name, bool on, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    return box;
}

// A check box's change is stored only when it differs from the setting.
void storeFlag(int AppSettings::*field, bool on)
{
    if ((globalSettings().*field != 0) != on)
        SettingsChoices::apply([field, on](AppSettings &s) { s.*field = on ? 1 : 0; });
}

} // namespace

SettingsDialog::SettingsDialog(QWidget *parent, const QString &languageFolder)
    : QDialog(parent)
    , m_languageFolder(languageFolder.isEmpty() ? DataFolders::locate(DataFolders::ProgramData) : languageFolder)
{
    setObjectName(QStringLiteral("SettingsDialog"));
    setWindowTitle(tr("Settings"));

    auto *grid = new QGridLayout;
    grid->addWidget(createListsGroup(), 0, 0, 1, 2);
    grid->addWidget(createPerformanceGroup(), 1, 0);
    grid->addWidget(createOtherGroup(), 1, 1);
    auto *close = button(tr("Close"), "CloseButton", this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(bottom);

    fillFromSettings();
    connectChanges();
}

QWidget *SettingsDialog::createListsGroup()
{
    auto *holder = new QWidget(this);
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    const auto group = [this, row](const QString &title, QListWidget *&list, const char *listName,
                                   const char *addName, const char *removeName, auto add, auto remove) {
        auto *box = new QGroupBox(title, this);
        list = new QListWidget(box);
        list->setObjectName(QString::fromLatin1(listName));
        auto *addButton = button(tr("Add..."), addName, box);
        auto *removeButton = button(tr("Remove"), removeName, box);
        connect(addButton, &QPushButton::clicked, this, add);
        connect(removeButton, &QPushButton::clicked, this, remove);
        auto *buttons = new QVBoxLayout;
        buttons->addWidget(addButton);
        buttons->addWidget(removeButton);
        buttons->addStretch(1);
        auto *layout = new QHBoxLayout(box);
        layout->addWidget(list, 1);
        layout->addLayout(buttons);
        row->addWidget(box, 1);
    };
    group(tr("External editors"), m_editors, "EditorsList", "AddEditorButton", "RemoveEditorButton",
          &SettingsDialog::addEditor, &SettingsDialog::removeEditor);
    group(tr("Favourite folders"), m_favourites, "FavouritesList", "AddFavouriteButton", "RemoveFavouriteButton",
          &SettingsDialog::addFavourite, &SettingsDialog::removeFavourite);
    return holder;
}

QWidget *SettingsDialog::createPerformanceGroup()
{
    const AppSettings &s = globalSettings();
    auto *box = new QGroupBox(tr("Performance"), this);
    m_viewInterpolation = comboOf(SettingsChoices::interpolationRows(), "ViewInterpolation", box);
    m_printInterpolation = comboOf(SettingsChoices::interpolationRows(), "PrintInterpolation", box);
    m_useCms = check(tr("Open files using CMS (slowly)"), "UseCmsCheck", s.useCms, box);
    m_hqRaw = check(tr("High quality RAW conversion (slowly)"), "HqRawCheck", s.hqRawConv, box);
    m_rotateByExif = check(tr("Rotate pictures by their EXIF orientation"), "RotateByExifCheck", s.rotateByExif, box);
    m_language = new QComboBox(box);
    m_language->setObjectName(QStringLiteral("LanguageList"));
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(new QLabel(tr("View images interpolation method:"), box));
    layout->addWidget(m_viewInterpolation);
    layout->addWidget(new QLabel(tr("Print prepare interpolation method:"), box));
    layout->addWidget(m_printInterpolation);
    layout->addWidget(m_useCms);
    layout->addWidget(m_hqRaw);
    layout->addWidget(m_rotateByExif);
    layout->addWidget(new QLabel(tr("Interface language:"), box));
    layout->addWidget(m_language);
    layout->addStretch(1);
    return box;
}

QWidget *SettingsDialog::createOtherGroup()
{
    const AppSettings &s = globalSettings();
    auto *box = new QGroupBox(tr("Other"), this);
    m_startFolderUse = check(tr("Startup folder:"), "StartFolderCheck", s.startFolderUse, box);
    m_startFolder = new QLineEdit(QDir::toNativeSeparators(s.startFolder), box);
    m_startFolder->setObjectName(QStringLiteral("StartFolderEdit"));
    m_browse = button(tr("..."), "StartFolderBrowse", box);
    m_browse->setMaximumWidth(32);
    m_askWhenExit = check(tr("Ask when exit"), "AskWhenExitCheck", s.askWhenExit, box);
    m_units = comboOf(SettingsChoices::unitRows(), "UnitsList", box);
    m_slideshowInterval = new QSpinBox(box);
    m_slideshowInterval->setObjectName(QStringLiteral("SlideshowInterval"));
    m_slideshowInterval->setRange(settings::kSlideshowMinSeconds, settings::kSlideshowMaxSeconds);
    m_slideshowInterval->setSuffix(tr(" s"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_startFolder, 1);
    folderRow->addWidget(m_browse);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(m_startFolderUse);
    layout->addLayout(folderRow);
    layout->addWidget(m_askWhenExit);
    layout->addWidget(new QLabel(tr("Units by default:"), box));
    layout->addWidget(m_units);
    // Rows of a label and its control; more settings go below.
    auto *rows = new QFormLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addRow(tr("Slideshow interval:"), m_slideshowInterval);
    layout->addLayout(rows);
    layout->addStretch(1);
    return box;
}

void SettingsDialog::refill(QListWidget *list, const ProfileStringList &stored)
{
    list->clear();
    for (const SettingsChoices::Row &row : SettingsChoices::listRows(stored.entries())) {
        auto *item = new QListWidgetItem(row.text, list);
        item->setData(Qt::UserRole, row.data);
    }
}

void SettingsDialog::fillFromSettings()
{
    const AppSettings &s = globalSettings();
    ProfileStringList editors = ProfileStringList::editors();
    editors.load();
    refill(m_editors, editors);
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    refill(m_favourites, favourites);

    const QList<SettingsChoices::Row> modes = SettingsChoices::interpolationRows();
    m_viewInterpolation->setCurrentIndex(SettingsChoices::rowOf(modes, s.resizeFullScreen));
    m_printInterpolation->setCurrentIndex(SettingsChoices::rowOf(modes, s.resizeToPrint));

    const QList<SettingsChoices::LanguageRow> languages = SettingsChoices::languageRows(m_languageFolder);
    for (const SettingsChoices::LanguageRow &row : languages)
        m_language->addItem(row.text, row.value);
    m_language->setCurrentIndex(SettingsChoices::languageRow(languages, s.interfaceLang));

    m_startFolder->setReadOnly(!m_startFolderUse->isChecked());
    m_units->setCurrentIndex(SettingsChoices::rowOf(SettingsChoices::unitRows(), s.defaultUnits));
    m_slideshowInterval->setValue(settings::slideshowSeconds(settingsStore()));
}

// The lists react to the user's choice, as the check boxes react to clicks.
void SettingsDialog::connectChanges()
{
    const auto interpolation = [](QComboBox *combo, int AppSettings::*field) {
        return [combo, field](int row) {
            if (row < 0)
                return;
            const int mode = AppSettings::clampInterpolation(combo->itemData(row).toInt());
            SettingsChoices::apply([field, mode](AppSettings &s) { s.*field = mode; });
        };
    };
    connect(m_viewInterpolation, &QComboBox::activated, this,
            interpolation(m_viewInterpolation, &AppSettings::resizeFullScreen));
    connect(m_printInterpolation, &QComboBox::activated, this,
            interpolation(m_printInterpolation, &AppSettings::resizeToPrint));
    connect(m_useCms, &QCheckBox::toggled, this, [](bool on) { storeFlag(&AppSettings::useCms, on); });
    connect(m_hqRaw, &QCheckBox::toggled, this, [](bool on) { storeFlag(&AppSettings::hqRawConv, on); });
    connect(m_rotateByExif, &QCheckBox::toggled, this, [](bool on) { storeFlag(&AppSettings::rotateByExif, on); });
    connect(m_askWhenExit, &QCheckBox::toggled, this, [](bool on) { storeFlag(&AppSettings::askWhenExit, on); });
    connect(m_startFolderUse, &QCheckBox::toggled, this, [this](bool on) {
        m_startFolder->setReadOnly(!on);
        storeFlag(&AppSettings::startFolderUse, on);
    });
    connect(m_startFolder, &QLineEdit::textChanged, this, [](const QString &text) {
        const std::optional<QString> folder = SettingsChoices::startFolderValue(text);
        if (folder && *folder != globalSettings().startFolder)
            SettingsChoices::apply([&folder](AppSettings &s) { s.startFolder = *folder; });
    });
    connect(m_browse, &QPushButton::clicked, this, &SettingsDialog::browseStartFolder);
    connect(m_units, &QComboBox::activated, this, [this](int row) {
        if (row < 0)
            return;
        const int unit = m_units->itemData(row).toInt();
        if (unit != globalSettings().defaultUnits)
            SettingsChoices::apply([unit](AppSettings &s) { s.defaultUnits = unit; });
    });
    connect(m_language, &QComboBox::activated, this, &SettingsDialog::languageChosen);
    connect(m_slideshowInterval, &QSpinBox::valueChanged, this, [](int seconds) {
        if (seconds != settings::slideshowSeconds(settingsStore()))
            settings::setSlideshowSeconds(settingsStore(), seconds);
    });
}

void SettingsDialog::languageChosen(int row)
{
    if (row < 0)
        return;
    const QString value = m_language->itemData(row).toString();
    if (value == globalSettings().interfaceLang)
        return;
    SettingsChoices::apply([&value](AppSettings &s) { s.interfaceLang = value; });
    Prompts::instance().tell(this, QStringLiteral("Quorvel"),
                             tr("New language will be available after you restart the program."),
                             Prompts::Icon::Information);
}

void SettingsDialog::browseStartFolder()
{
    if (!m_startFolderUse->isChecked())
        return;
    const QString folder = Prompts::instance().browseForFolder(this, tr("Choose the startup folder"),
                                                               m_startFolder->text());
    if (!folder.isEmpty())
        m_startFolder->setText(folder);
}

void SettingsDialog::addEditor()
{
    const QString program = Prompts::instance().chooseProgram(this);
    if (program.isEmpty())
        return;
    ProfileStringList editors = ProfileStringList::editors();
    editors.load();
    if (editors.addUnique(program))
        editors.save();
    refill(m_editors, editors);
}

void SettingsDialog::removeEditor()
{
    const QListWidgetItem *item = m_editors->currentItem();
    if (!item || !item->isSelected()) {
        Prompts::instance().tell(this, tr("Information"), tr("Choose editor from the list to remove"),
                                 Prompts::Icon::Information);
        return;
    }
    ProfileStringList editors = ProfileStringList::editors();
    editors.load();
    if (editors.removeAt(item->data(Qt::UserRole).toInt()))
        editors.save();
    refill(m_editors, editors);
}

void SettingsDialog::addFavourite()
{
    const QString folder =
        Prompts::instance().browseForFolder(this, tr("Chose editor, you want to add in Favourites"));
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    if (!folder.isEmpty() && favourites.addUnique(ProfileStringList::favouriteFolderText(folder)))
        favourites.save();
    refill(m_favourites, favourites);
    Q_EMIT favouritesChanged();
}

void SettingsDialog::removeFavourite()
{
    const QListWidgetItem *item = m_favourites->currentItem();
    if (!item || !item->isSelected())
        return;
    ProfileStringList favourites = ProfileStringList::favourites();
    favourites.load();
    if (favourites.removeAt(item->data(Qt::UserRole).toInt()))
        favourites.save();
    refill(m_favourites, favourites);
    Q_EMIT favouritesChanged();
}

} // namespace quorvel
