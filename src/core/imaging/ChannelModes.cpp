#include "core/imaging/ChannelModes.h"

namespace quorvel {

bool ChannelModes::setChannel(int c, bool shift)
{
    if (c == channel::None) {
        *this = ChannelModes();
        return true;
    }
    if (!channel::isSingle(c) || c == m_fullChannel)
        return false;
    if (shift) {
        m_fullChannel = c;
        m_fullOverexposure = false;
        m_displayChannel = channel::None;
        m_displayOverexposure = false;
    } else {
        m_fullChannel = channel::None;
        m_fullOverexposure = false;
        m_displayChannel = c;
    }
    return true;
}

void ChannelModes::toggleAllChannels()
{
    const bool shown = showsAllChannels();
    setChannel(channel::None, false);
    if (!shown)
        m_displayChannel = channel::All;
}

bool ChannelModes::setOverexposure(bool on, bool shift)
{
    if (m_displayChannel != channel::None)
        return false;
    if (shift) {
        m_displayOverexposure = false;
        m_fullOverexposure = on;
        // The full-size copy carries one treatment: marking it ends the
        // full-resolution channel, as choosing a channel ends the marking.
        if (on)
            m_fullChannel = channel::None;
        return true;
    }
    m_displayOverexposure = !m_displayOverexposure;
    if (m_fullOverexposure) {
        m_fullOverexposure = false;
        m_displayOverexposure = false;
    }
    return true;
}

void ChannelModes::endDisplayTreatments()
{
    m_displayChannel = channel::None;
    m_displayOverexposure = false;
}

int ChannelModes::displayChannelToApply() const
{
    return channel::isSingle(m_displayChannel) && m_fullChannel == channel::None ? m_displayChannel : channel::None;
}

bool ChannelModes::displayOverexposureApplies() const
{
    return m_displayOverexposure && !m_fullOverexposure && m_displayChannel == channel::None;
}

} // namespace quorvel
