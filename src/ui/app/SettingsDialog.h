#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace quorvel {

class ProfileStringList;

// "Settings": the program-wide settings and the editors and favourites
// lists. There is no Cancel: every change is stored the moment it is made,
// and "Close" only closes.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // languageFolder: where the language modules are looked for; the
    // program's data folder when empty.
    explicit SettingsDialog(QWidget *parent = nullptr, const QString &languageFolder = QString());

    QListWidget *editorsList() const { return m_editors; }
    QListWidget *favouritesList() const { return m_favourites; }
    QComboBox *viewInterpolation() const { return m_viewInterpolation; }
    QComboBox *printInterpolation() const { return m_printInterpolation; }
    QComboBox *languages() const { return m_language; }
    QComboBox *units() const { return m_units; }
    QLineEdit *startFolder() const { return m_startFolder; }
    QCheckBox *startFolderUse() const { return m_startFolderUse; }
    QSpinBox *slideshowInterval() const { return m_slideshowInterval; }

public Q_SLOTS:
    void addEditor();
    void removeEditor();
    void addFavourite();
    void removeFavourite();
    void browseStartFolder();

Q_SIGNALS:
    // The favourites list changed: the menus made from it are rebuilt.
    void favouritesChanged();

private:
    QWidget *createListsGroup();
    QWidget *createPerformanceGroup();
    QWidget *createOtherGroup();
    void fillFromSettings();
    void connectChanges();
    static void refill(QListWidget *list, const ProfileStringList &stored);
    void languageChosen(int row);

    QString m_languageFolder;
    QListWidget *m_editors = nullptr;
    QListWidget *m_favourites = nullptr;
    QComboBox *m_viewInterpolation = nullptr;
    QComboBox *m_printInterpolation = nullptr;
    QCheckBox *m_useCms = nullptr;
    QCheckBox *m_hqRaw = nullptr;
    QCheckBox *m_rotateByExif = nullptr;
    QComboBox *m_language = nullptr;
    QCheckBox *m_startFolderUse = nullptr;
    QLineEdit *m_startFolder = nullptr;
    QPushButton *m_browse = nullptr;
    QCheckBox *m_askWhenExit = nullptr;
    QComboBox *m_units = nullptr;
    QSpinBox *m_slideshowInterval = nullptr;
};

} // namespace quorvel
