#include "ui/frame/AboutDialog.h"

#include "ui/frame/CommandIcons.h"
#include "ui/frame/CommandIds.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace quorvel {

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("About Quorvel"));
    auto *layout = new QHBoxLayout(this);
    auto *icon = new QLabel(this);
    const QIcon programIcon = QApplication::windowIcon();
    const QIcon shown = programIcon.availableSizes().isEmpty() ? drawnCommandIcon(cmd::AllColours) : programIcon;
    icon->setPixmap(shown.pixmap(QSize(48, 48), devicePixelRatioF()));
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
