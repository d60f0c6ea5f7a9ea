#pragma once

#include <QDialog>

namespace quorvel {

class PreviewBox;

// "Set as wallpaper": a preview of the image file, and the buttons that make
// it the desktop wallpaper or remove the wallpaper. The window title is the
// file's full path.
class WallpaperDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WallpaperDialog(const QString &path, QWidget *parent = nullptr);

    PreviewBox *preview() const { return m_preview; }

    void onSet();
    void onReset();

protected:
    // The desktop's part, in their own functions so that tests can stand in.
    // path empty: remove the wallpaper.
    virtual bool applyWallpaper(const QString &path, QString *error);
    virtual void inform(const QString &text);
    virtual void warn(const QString &text);

private:
    void apply(const QString &path, const QString &doneText);

    QString m_path;
    PreviewBox *m_preview = nullptr;
};

} // namespace quorvel
