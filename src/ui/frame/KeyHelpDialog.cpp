#include "ui/frame/KeyHelpDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace quorvel {

const std::vector<KeyHelpDialog::Group> &KeyHelpDialog::groups()
{
    // Key names stand in double quotes; mouse actions and Num * do not. Both
    // are translated: a German keyboard says "Strg" and "Entf".
    static const std::vector<Group> table{
        {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Color management"),
         {
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Original image:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"A\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Show R-channel:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"R\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Show G-channel:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"G\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Show B-channel:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"B\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Show/hide overlighted areas:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"F3\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Show histogram:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Ctrl+H\"")},
         }},
        {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "File management"),
         {
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Copy file to folder:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Atl+C\", \"Ctrl+M\" + \"1,2,3...\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Create link to file:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Ctrl+M\" + \"a,b,c...\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Refresh:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"F5\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Delete file:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"F8\", \"Del\", \"Shift+Del\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Rename file:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"F6\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Image rotate:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Ctrl+J\"")},
         }},
        {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Other"),
         {
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Go to next image:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Space\", mouse wheel")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Go to previous image:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Backspace\", mouse wheel")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Zoom (+/-):"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Ctrl + mouse wheel, \"+\", \"-\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Zoom 100%:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"/\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Fit width:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Num *")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Show context menu:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Ctrl+M\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "This help window:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"H\"")},
         }},
        {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "More keys"),
         {
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Next/previous image in the view:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Right\", \"Page Down\" / \"Left\", \"Page Up\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "First/last image in the view:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Home\" / \"End\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Full screen:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Enter\", \"F11\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Slideshow (Space pauses):"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"F10\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Copy image to clipboard:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Ctrl+C\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Rename file:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"F2\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Undo delete:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Ctrl+Z\"")},
             {QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "Quit without asking:"),
              QT_TRANSLATE_NOOP("quorvel::KeyHelpDialog", "\"Ctrl+Q\"")},
         }},
    };
    return table;
}

KeyHelpDialog::KeyHelpDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Help: available keys and features list"));
    auto *layout = new QVBoxLayout(this);
    // Two groups side by side, so the list stays within small screens.
    auto *columns = new QGridLayout;
    layout->addLayout(columns);
    int index = 0;
    for (const Group &group : groups()) {
        auto *box = new QGroupBox(QCoreApplication::translate("quorvel::KeyHelpDialog", group.title), this);
        auto *grid = new QGridLayout(box);
        grid->setHorizontalSpacing(24);
        int row = 0;
        for (const Line &line : group.lines) {
            grid->addWidget(new QLabel(QCoreApplication::translate("quorvel::KeyHelpDialog", line.label), box), row, 0);
            auto *keys = new QLabel(QCoreApplication::translate("quorvel::KeyHelpDialog", line.keys), box);
            keys->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(keys, row, 1);
            ++row;
        }
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(row, 1);
        columns->addWidget(box, index / 2, index % 2);
        ++index;
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace quorvel
