#include "ui/frame/CKeyHelpDlg.h"

#include "ui/frame/CommandIcons.h"
#include "ui/frame/CommandIds.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace quorvel {

const std::vector<CKeyHelpDlg::Group> &CKeyHelpDlg::groups()
{
    // Key names stand in double quotes; mouse actions and Num * do not.
    static const std::vector<Group> table{
        {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Color management"),
         {
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Original image:"), "\"A\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Show R-channel:"), "\"R\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Show G-channel:"), "\"G\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Show B-channel:"), "\"B\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Show/hide overlighted areas:"), "\"F3\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Show histogram:"), "\"Ctrl+H\""},
         }},
        {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "File management"),
         {
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Copy file to folder:"), "\"Atl+C\", \"Ctrl+M\" + \"1,2,3...\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Create link to file:"), "\"Ctrl+M\" + \"a,b,c...\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Refresh:"), "\"F5\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Delete file:"), "\"F8\", \"Del\", \"Shift+Del\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Rename file:"), "\"F6\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Image rotate:"), "\"Ctrl+J\""},
         }},
        {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Other"),
         {
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Go to next image:"), "\"Space\", mouse wheel"},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Go to previous image:"), "\"Backspace\", mouse wheel"},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Zoom (+/-):"), "Ctrl + mouse wheel, \"+\", \"-\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Zoom 100%:"), "\"/\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Fit width:"), "Num *"},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "Show context menu:"), "\"Ctrl+M\""},
             {QT_TRANSLATE_NOOP("quorvel::CKeyHelpDlg", "This help window:"), "\"H\""},
         }},
    };
    return table;
}

CKeyHelpDlg::CKeyHelpDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Help: available keys and features list"));
    auto *layout = new QVBoxLayout(this);
    for (const Group &group : groups()) {
        auto *box = new QGroupBox(QCoreApplication::translate("quorvel::CKeyHelpDlg", group.title), this);
        auto *grid = new QGridLayout(box);
        grid->setHorizontalSpacing(24);
        int row = 0;
        for (const Line &line : group.lines) {
            grid->addWidget(new QLabel(QCoreApplication::translate("quorvel::CKeyHelpDlg", line.label), box), row, 0);
            auto *keys = new QLabel(QString::fromUtf8(line.keys), box);
            keys->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(keys, row, 1);
            ++row;
        }
        grid->setColumnStretch(1, 1);
        layout->addWidget(box);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("About Quorvel"));
    auto *layout = new QHBoxLayout(this);
    auto *icon = new QLabel(this);
    icon->setPixmap(drawnCommandIcon(cmd::AllColours).pixmap(QSize(48, 48), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignTop);
    layout->addWidget(icon);
    auto *right = new QVBoxLayout;
    auto *text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setPlainText(tr("Quorvel %1\n\nA browser and viewer for folders of digital photographs, with EXIF columns, "
                          "filters and statistics, descriptions, file management, lossless rotation, crop, red-eye "
                          "removal and tone curves, preparation for print, web and mobile devices, index prints and "
                          "a version repository.\n\nBuilt with Qt %2.")
                           .arg(QApplication::applicationVersion(), QString::fromLatin1(qVersion())));
    text->setMinimumSize(360, 160);
    right->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    right->addWidget(buttons);
    layout->addLayout(right);
}

} // namespace quorvel
