#include "Platform/Audio/ChannelGroup.h"
#include "Platform/Audio/SoundSystem.h"
#include <cmath>

namespace Audio
{
namespace Layer
{
int ChannelGroup::SetVolume(float volume)
{
    // Not-a-number and negative volumes are silence.
    m_volume = std::isnan(volume) || volume < 0.0f ? 0.0f : volume;
    if (!m_system.MakeCurrent())
        return ResultOk;
    for (const SoundSystem::Voice& voice : m_system.m_voices)
    {
        if (voice.active && voice.group == this)
            m_system.ApplyGain(voice);
    }
    return ResultOk;
}

int ChannelGroup::GetVolume(float& volume) const
{
    volume = m_volume;
    return ResultOk;
}

int ChannelGroup::Release()
{
    m_system.ForgetGroup(this);
    delete this;
    return ResultOk;
}
} // namespace Layer
} // namespace Audio
