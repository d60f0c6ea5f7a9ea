#include "core/imaging/LabColour.h"

#include <array>
#include <cmath>

namespace quorvel {

namespace {

// The linear value (times 100) of each 8-bit sRGB component; a table, as
// there are only 256 of them.
const std::array<float, 256> &linearTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const float c = float(i) / 255.0f;
            const float linear = c > 0.04045f ? std::pow((c + 0.055f) / 1.055f, 2.4f) : c / 12.92f;
            t[i] = linear * 100.0f;
        }
        return t;
    }();
    return table;
}

float labF(float t)
{
    return t > 0.008856f ? std::pow(t, 1.0f / 3.0f) : 7.787f * t + 16.0f / 116.0f;
}

} // namespace

LabColour LabColour::fromRgb(int r, int g, int b)
{
    const auto &lin = linearTable();
    const float R = lin[r & 0xFF];
    const float G = lin[g & 0xFF];
    const float B = lin[b & 0xFF];
    const float x = 0.4124f * R + 0.3576f * G + 0.1805f * B;
    const float y = 0.2126f * R + 0.7152f * G + 0.0722f * B;
    const float z = 0.0193f * R + 0.1192f * G + 0.9505f * B;
    const float fx = labF(x / 95.047f);
    const float fy = labF(y / 100.0f);
    const float fz = labF(z / 108.883f);
    return {int(116.0f * fy - 16.0f), int(500.0f * (fx - fy)), int(200.0f * (fy - fz))};
}

} // namespace quorvel
