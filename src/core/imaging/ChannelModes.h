#pragma once

#include "core/imaging/ChannelTreatment.h"

namespace quorvel {

// The channel and overexposure modes of the image view. Each treatment comes
// in two strengths: a display treatment, applied to the screen-sized bitmap
// only and ended by the next zoom, pan or image; and a full-resolution
// treatment (chosen with Shift), applied once to a full-size copy of the
// image, kept across zoom, pan and new images.
//
// The two full-resolution treatments exclude each other, and a
// full-resolution treatment excludes a display channel mode. This class
// holds only the state; the display engine keeps the treated copy in step.
class ChannelModes
{
public:
    // What the full-size copy of the image carries: a channel (Red, Green,
    // Blue) or the overexposure marking; both unset when there is no copy.
    struct FullResolution
    {
        int channel = channel::None;
        bool overexposure = false;
        bool isOn() const { return channel != channel::None || overexposure; }
        bool operator==(const FullResolution &) const = default;
    };

    // c = None shows all colours and ends every mode; Red, Green or Blue
    // choose a channel, as a full-resolution treatment when shift is held.
    // Returns false when nothing changed: an invalid c, or the channel that
    // already is the full-resolution channel.
    bool setChannel(int c, bool shift);

    // The four cells of image and channels side by side, or back to the
    // plain image when they are shown. Ends every other mode.
    void toggleAllChannels();

    // Overexposure marking on or off; the keys pass the inverse of the
    // full-resolution flag (toggleOverexposure). Refused, returning false,
    // while a display channel mode or the four cells are shown. Without
    // shift it toggles the display marking, and ends the full-resolution
    // marking when that was on.
    bool setOverexposure(bool on, bool shift);
    bool toggleOverexposure(bool shift) { return setOverexposure(!m_fullOverexposure, shift); }

    // A zoom change, a pan movement or a new image ends the display
    // treatments.
    void endDisplayTreatments();

    FullResolution fullResolution() const { return {m_fullChannel, m_fullOverexposure}; }
    int fullResolutionChannel() const { return m_fullChannel; }
    bool fullResolutionOverexposure() const { return m_fullOverexposure; }
    int displayChannel() const { return m_displayChannel; }
    bool displayOverexposure() const { return m_displayOverexposure; }

    // What the display bitmap is given after scaling: a single channel
    // (None when none applies), the overexposure marking, or the four cells.
    int displayChannelToApply() const;
    bool displayOverexposureApplies() const;
    bool showsAllChannels() const { return m_displayChannel == channel::All; }

    // Check marks of the menu commands.
    bool allColoursChecked() const { return m_fullChannel == channel::None; }
    bool channelChecked(int c) const { return c != channel::None && m_fullChannel == c; }
    bool overexposureChecked() const { return m_fullOverexposure; }

private:
    int m_fullChannel = channel::None;
    bool m_fullOverexposure = false;
    int m_displayChannel = channel::None;
    bool m_displayOverexposure = false;
};

} // namespace quorvel
