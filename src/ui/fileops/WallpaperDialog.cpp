#include "ui/fileops/WallpaperDialog.h"

#include "core/fileops/DesktopWallpaper.h"
#include "core/fileops/UprightWallpaper.h"
#include "core/fileops/WallpaperSource.h"
#include "core/settings/AppSettings.h"
#include "ui/fileops/PreviewBox.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

WallpaperDialog::WallpaperDialog(const QString &path, QWidget *parent)
    : QDialog(parent)
    , m_path(path)
{
    setWindowTitle(QDir::toNativeSeparators(path));
    const QFontMetrics fm(font());
    resize(261 * fm.averageCharWidth() / 4, 165 * fm.height() / 8);

    m_preview = new PreviewBox(this);
    auto *set = new QPushButton(tr("Set as wallpaper"), this);
    auto *reset = new QPushButton(tr("Reset wallpaper"), this);
    auto *close = new QPushButton(tr("Close"), this);
    set->setDefault(true);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(set);
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(buttons);

    connect(set, &QPushButton::clicked, this, &WallpaperDialog::onSet);
    connect(reset, &QPushButton::clicked, this, &WallpaperDialog::onReset);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_preview->setFile(path);
}

void WallpaperDialog::onSet()
{
    apply(m_path, tr("Wallpaper was changed"));
}

void WallpaperDialog::onReset()
{
    apply(QString(), tr("Wallpaper was set to defaults"));
}

void WallpaperDialog::apply(const QString &path, const QString &doneText)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    const bool done = applyWallpaper(path, &error);
    QApplication::restoreOverrideCursor();
    if (done)
        inform(doneText);
    else
        warn(error);
}

bool WallpaperDialog::applyWallpaper(const QString &path, QString *error)
{
    // The desktop is given the picture as it is shown here; an upright copy
    // is made under the wait cursor, like a conversion.
    const bool turn = !path.isEmpty() && globalSettings().rotateByExif != 0;
    return setDesktopWallpaper(turn ? uprightWallpaperFile(path, WallpaperSource::defaultFolder()) : path, error);
}

void WallpaperDialog::inform(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quorvel"), text, QMessageBox::Ok, this);
    box.exec();
}

void WallpaperDialog::warn(const QString &text)
{
    QMessageBox::warning(this, tr("Warning"), text);
}

} // namespace quorvel
