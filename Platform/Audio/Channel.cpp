#include "Platform/Audio/Channel.h"
#include "Platform/Audio/SoundSystem.h"
#include <AL/al.h>
#include <cmath>

namespace Audio
{
namespace Layer
{
namespace
{
constexpr float MillisecondsPerSecond = 1000.0f;
}

int Channel::SetChannelGroup(ChannelGroup* group)
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    voice->group = group;
    m_system->ApplyGain(*voice);
    return ResultOk;
}

int Channel::SetLoopCount(int count)
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    if (count < -1)
        return ResultInvalidParam;
    voice->loopCount = count;
    m_system->ApplyLooping(*voice);
    return ResultOk;
}

int Channel::SetMode(std::uint32_t mode)
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    voice->mode = mode;
    m_system->ApplyLooping(*voice);
    return ResultOk;
}

int Channel::SetPosition(std::uint32_t milliseconds)
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    const float seconds = static_cast<float>(milliseconds) / MillisecondsPerSecond;
    if (!voice->sound->IsStream())
    {
        alSourcef(voice->source, AL_SEC_OFFSET, seconds);
        return ResultOk;
    }
    // A stream starts over from its first frame and skips forward to the position.
    m_system->RestartStream(*voice,
                            static_cast<std::size_t>(seconds * voice->sound->GetSampleRate()));
    if (voice->started && !voice->paused)
        alSourcePlay(voice->source);
    return ResultOk;
}

int Channel::SetPaused(bool paused)
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    if (paused && !voice->paused)
    {
        if (voice->started)
            alSourcePause(voice->source);
        voice->paused = true;
    }
    else if (!paused && voice->paused)
    {
        alSourcePlay(voice->source);
        voice->started = true;
        voice->paused = false;
    }
    return ResultOk;
}

int Channel::GetPaused(bool& paused) const
{
    const SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    paused = voice->paused;
    return ResultOk;
}

int Channel::SetVolume(float volume)
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    voice->volume = std::isnan(volume) || volume < 0.0f ? 0.0f : volume;
    m_system->ApplyGain(*voice);
    return ResultOk;
}

int Channel::GetVolume(float& volume) const
{
    const SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    volume = voice->volume;
    return ResultOk;
}

int Channel::Stop()
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    m_system->Retire(*voice);
    return ResultOk;
}

int Channel::IsPlaying(bool& playing) const
{
    playing = false;
    const SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    playing = true;
    return ResultOk;
}

int Channel::GetFrequency(float& frequency) const
{
    const SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    frequency = voice->frequency;
    return ResultOk;
}

int Channel::SetFrequency(float frequency)
{
    SoundSystem::Voice* voice = m_system != nullptr ? m_system->Resolve(*this) : nullptr;
    if (voice == nullptr)
        return ResultInvalidHandle;
    if (!(frequency > 0.0f) || std::isinf(frequency))
        return ResultInvalidParam;
    voice->frequency = frequency;
    alSourcef(voice->source, AL_PITCH,
              frequency / static_cast<float>(voice->sound->GetSampleRate()));
    return ResultOk;
}
} // namespace Layer
} // namespace Audio
