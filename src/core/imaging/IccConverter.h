#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QRgb>

namespace quorvel {

// Converts pixels from the colour space described by an embedded ICC profile
// to sRGB with Little CMS 2. Each instance owns its own lcms context, so
// converters on different threads never share state.
class IccConverter
{
public:
    // What the decoded pixels are: RGB32 rows (RGB or grey pictures, grey
    // replicated into R, G and B), or 4-byte CMYK rows, inverted as Adobe
    // writes them when cmykInverted.
    enum class Input { Rgb32, Cmyk, CmykInverted };

    // Invalid when the profile cannot be parsed, is too large, or does not
    // describe the pixels (an RGB or grey profile for Rgb32, a CMYK profile
    // for Cmyk).
    IccConverter(QByteArrayView icc, Input input);
    ~IccConverter();
    IccConverter(const IccConverter &) = delete;
    IccConverter &operator=(const IccConverter &) = delete;

    bool isValid() const { return m_transform != nullptr; }

    // Rgb32 input: converts one row in place; the alpha bytes stay.
    void convertRow(QRgb *row, int width) const;
    // Cmyk input: converts width CMYK pixels into an RGB32 row.
    void convertCmykRow(const uchar *cmyk, QRgb *out, int width) const;

    // Converts a whole RGB32 image in place. False, with the pixels
    // unchanged, when the profile cannot be used for it.
    static bool applyToImage(QImage &image, QByteArrayView icc);

private:
    void *m_context = nullptr;
    void *m_transform = nullptr;
    bool m_greyInput = false;
};

} // namespace quorvel
