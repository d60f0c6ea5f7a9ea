#pragma once

#include "core/edit/EditSelection.h"
#include "core/edit/EditedImage.h"
#include "core/edit/SaveRules.h"

#include <QCoreApplication>
#include <QString>

namespace quorvel {

// What the image edit window decides, without its widgets: the image being
// edited, its mode and selection, the changes applied to it, and saving it.
// Changes stay in memory until save().
class ImageEditSession
{
    Q_DECLARE_TR_FUNCTIONS(ImageEditSession)

public:
    enum class Mode { Crop = 0, RedEye = 1, Curves = 2 };

    enum class State {
        Editable,
        NotOpened,    // camera raw, or not decodable: the window closes silently
        NotSupported, // decoded, but only JPEG and TIFF can be saved back, and
                      // the formats saved as a new JPEG (EditedImage::NewJpeg)
        Damaged,      // only part of the picture decodes: it could never be saved
    };

    // Decodes the file (camera raw files are not opened here), turned by its
    // EXIF orientation with applyOrientation ("RotateByExif").
    explicit ImageEditSession(const QString &source, bool applyOrientation = false);

    State state() const { return m_state; }
    QString source() const { return m_source; }
    // The name the window proposes for saving: the source itself, or for a
    // picture saved as a new JPEG a ".jpg" name beside it that no file has
    // yet (photo.jpg, else photo_1.jpg, photo_2.jpg...).
    QString initialTarget() const;
    const EditedImage &image() const { return m_image; }
    // The pixels, for the curves dialog, which changes them in place.
    QImage &pixels() { return m_image.pixels; }

    Mode mode() const { return m_mode; }
    // Crop selects the whole image, red eye clears the selection (the user
    // draws it); curves leaves it alone.
    void setMode(Mode mode);
    EditSelection &selection() { return m_selection; }
    const EditSelection &selection() const { return m_selection; }

    // Crops to the selection, keeping the EXIF entries. A selection equal to
    // the whole image changes nothing and returns false. Afterwards the
    // selection is the whole new image.
    bool applyCrop();

    // The selected area for the red-eye dialog's preview; null when nothing
    // of the image is selected.
    QImage selectedArea() const;
    // The red-eye rule over the selection with the dialog's limit.
    void applyRedEye(int limit);

    // A change made elsewhere (the curves dialog ended with OK).
    void markModified() { m_modified = true; }
    bool isModified() const { return m_modified; }
    // Whether a file was written (the list and view must refresh).
    bool isSaved() const { return m_saved; }

    // Saves through the save rules under target. Success clears the modified
    // flag; success or a picture left under the temporary name sets the
    // saved flag.
    SaveResult save(const QString &target, const SaveQuestions &questions);
    // Whether the window closes after this result of a save on closing: the
    // picture is on disk, under its name or beside it.
    static bool closesAfter(const SaveResult &result);

    static QString closeQuestion();
    static QString notSupportedMessage();
    static QString damagedMessage();

private:
    QString m_source;
    EditedImage m_image;
    State m_state = State::NotOpened;
    Mode m_mode = Mode::Crop;
    EditSelection m_selection;
    bool m_modified = false;
    bool m_saved = false;
};

} // namespace quorvel
