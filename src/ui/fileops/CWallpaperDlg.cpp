#include "ui/fileops/CWallpaperDlg.h"

#include "core/fileops/DesktopWallpaper.h"
#include "ui/fileops/PreviewBox.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

CWallpaperDlg::CWallpaperDlg(const QString &path, QWidget *parent)
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

    connect(set, &QPushButton::clicked, this, &CWallpaperDlg::onSet);
    connect(reset, &QPushButton::clicked, this, &CWallpaperDlg::onReset);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_preview->setFile(path);
}

void CWallpaperDlg::onSet()
{
    apply(m_path, tr("Wallpaper was changed"));
}

void CWallpaperDlg::onReset()
{
    apply(QString(), tr("Wallpaper was set to defaults"));
}

void CWallpaperDlg::apply(const QString &path, const QString &doneText)
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

bool CWallpaperDlg::applyWallpaper(const QString &path, QString *error)
{
    return SetDesktopWallpaper(path, error);
}

void CWallpaperDlg::inform(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quorvel"), text, QMessageBox::Ok, this);
    box.exec();
}

void CWallpaperDlg::warn(const QString &text)
{
    QMessageBox::warning(this, tr("Warning"), text);
}

} // namespace quorvel
