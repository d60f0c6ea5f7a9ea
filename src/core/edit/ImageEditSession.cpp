#include "core/edit/ImageEditSession.h"

#include "core/edit/RedEyeFilter.h"
#include "core/imaging/DecoderChoice.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

ImageEditSession::ImageEditSession(const QString &source, bool applyOrientation)
    : m_source(source)
{
    if (source.isEmpty() || isRawFile(source))
        return;
    m_image = EditedImage::load(source, {.applyOrientation = applyOrientation});
    if (m_image.isNull())
        return;
    if (m_image.damaged) {
        m_state = State::Damaged;
        return;
    }
    const bool saveable = m_image.format == EditedImage::Format::Jpeg || m_image.format == EditedImage::Format::Tiff
        || m_image.format == EditedImage::Format::NewJpeg;
    m_state = saveable ? State::Editable : State::NotSupported;
    m_selection.setImage(m_image.pixels.size());
}

QString ImageEditSession::initialTarget() const
{
    if (m_image.format != EditedImage::Format::NewJpeg)
        return m_source;
    const QFileInfo info(m_source);
    const QString base = info.dir().filePath(info.completeBaseName());
    QString candidate = base + QStringLiteral(".jpg");
    for (int n = 1; n < 10000 && QFileInfo::exists(candidate); ++n)
        candidate = base + QStringLiteral("_%1.jpg").arg(n);
    return candidate;
}

void ImageEditSession::setMode(Mode mode)
{
    m_mode = mode;
    if (mode == Mode::Crop)
        m_selection.selectAll();
    else if (mode == Mode::RedEye)
        m_selection.clear();
}

bool ImageEditSession::applyCrop()
{
    const QRect r = m_selection.rect().normalized();
    if (r.isEmpty() || !cropKeepingProperties(m_image, r))
        return false;
    m_selection.setImage(m_image.pixels.size());
    m_modified = true;
    return true;
}

QImage ImageEditSession::selectedArea() const
{
    const QRect r = RedEyeFilter::treatedRect(m_selection.rect(), m_image.pixels.size());
    return r.isEmpty() ? QImage() : m_image.pixels.copy(r);
}

void ImageEditSession::applyRedEye(int limit)
{
    RedEyeFilter::apply(m_image.pixels, m_selection.rect(), limit);
    m_modified = true;
}

SaveResult ImageEditSession::save(const QString &target, const SaveQuestions &questions)
{
    const SaveResult result = SaveRules::saveEditedImage(m_image, m_source, target, questions);
    if (result.ok())
        m_modified = false;
    if (closesAfter(result))
        m_saved = true;
    return result;
}

bool ImageEditSession::closesAfter(const SaveResult &result)
{
    return result.ok() || result.status == SaveResult::SavedAside;
}

QString ImageEditSession::closeQuestion()
{
    return tr("The image was modified, do you want to save it?");
}

QString ImageEditSession::notSupportedMessage()
{
    return tr("This format is not supported yet.");
}

QString ImageEditSession::damagedMessage()
{
    return SaveRules::damagedMessage();
}

} // namespace quorvel
