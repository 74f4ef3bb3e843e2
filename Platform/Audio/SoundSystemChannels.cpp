#include "Platform/Audio/SoundSystem.h"
#include "Platform/Audio/SoundSystemInternals.h"
#include <algorithm>

namespace Audio
{
namespace Layer
{
using namespace SoundSystemDetail;

int SoundSystem::PlaySound(Sound* sound, bool paused, Channel& channel)
{
    if (!m_initialized || !MakeCurrent())
        return ResultNotReady;
    if (sound == nullptr || std::find(m_sounds.begin(), m_sounds.end(), sound) == m_sounds.end())
        return ResultInvalidHandle;
    // A stream has one voice: the old one stops and its handle goes stale.
    if (sound->m_streamVoice >= 0)
        Retire(m_voices[static_cast<std::size_t>(sound->m_streamVoice)]);
    // The first free voice, or a free one that still holds this sound's samples.
    const unsigned int buffer = sound->IsStream() ? 0u : sound->m_buffer;
    int index = -1;
    for (int i = 0; i < VoiceCount; ++i)
    {
        Voice& voice = m_voices[static_cast<std::size_t>(i)];
        if (voice.active && Refresh(voice))
            continue;
        if (index < 0)
            index = i;
        if (buffer != 0 && voice.bound == buffer)
        {
            index = i;
            break;
        }
    }
    if (index < 0)
        return ResultNoFreeVoice;

    Voice& voice = m_voices[static_cast<std::size_t>(index)];
    voice.active = true;
    voice.paused = paused;
    voice.started = false;
    voice.sound = sound;
    voice.group = nullptr;
    voice.volume = 1.0f;
    voice.frequency = static_cast<float>(sound->m_sampleRate);
    voice.mode = ModeLoopOff;
    voice.loopCount = 0;
    voice.streamEnded = false;
    voice.passFrames = 0;
    alSourceStop(voice.source);
    if (buffer != 0 && voice.bound == buffer)
        alSourceRewind(voice.source);
    else
        Unbind(voice);
    alSourcei(voice.source, AL_LOOPING, AL_FALSE);
    alSourcef(voice.source, AL_PITCH, 1.0f);
    if (m_directChannels)
        alSourcei(voice.source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    ApplyGain(voice);
    if (sound->IsStream())
    {
        sound->m_streamVoice = index;
        RestartStream(voice);
    }
    else if (voice.bound != buffer)
    {
        alSourcei(voice.source, AL_BUFFER, static_cast<ALint>(buffer));
        voice.bound = buffer;
    }
    if (!paused)
    {
        alSourcePlay(voice.source);
        voice.started = true;
    }
    channel = Channel(this, index, voice.generation);
    return ResultOk;
}

SoundSystem::Voice* SoundSystem::Resolve(const Channel& channel)
{
    if (channel.m_system != this || channel.m_index < 0 || channel.m_index >= VoiceCount ||
        !MakeCurrent())
        return nullptr;
    Voice& voice = m_voices[static_cast<std::size_t>(channel.m_index)];
    if (!voice.active || voice.generation != channel.m_generation || !Refresh(voice))
        return nullptr;
    return &voice;
}

const SoundSystem::Voice* SoundSystem::Resolve(const Channel& channel) const
{
    return const_cast<SoundSystem*>(this)->Resolve(channel);
}

bool SoundSystem::Refresh(Voice& voice)
{
    if (!voice.active)
        return false;
    if (voice.paused || !voice.started)
        return true;
    if (voice.mapped)
    {
        // The ring loops on: the stream has finished once the cursor passed its last frame.
        AdvanceRing(voice);
        if (!voice.streamEnded || voice.ringPlayed < voice.ringWritten)
            return true;
        Retire(voice);
        return false;
    }
    ALint state = AL_STOPPED;
    alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
    if (state != AL_STOPPED)
        return true;
    if (voice.sound->IsStream())
    {
        // A stream that stopped with more to give ran dry between updates: Update plays it
        // on; one whose decoder is done has finished.
        ALint queued = 0;
        ALint processed = 0;
        alGetSourcei(voice.source, AL_BUFFERS_QUEUED, &queued);
        alGetSourcei(voice.source, AL_BUFFERS_PROCESSED, &processed);
        if (!voice.streamEnded || processed < queued)
            return true;
    }
    Retire(voice);
    return false;
}

void SoundSystem::Retire(Voice& voice)
{
    if (!voice.active)
        return;
    alSourceStop(voice.source);
    if (voice.bound == 0)
        alSourcei(voice.source, AL_BUFFER, 0); // a stream's queue
    if (voice.sound != nullptr && voice.sound->m_streamVoice >= 0 &&
        &m_voices[static_cast<std::size_t>(voice.sound->m_streamVoice)] == &voice)
        voice.sound->m_streamVoice = -1;
    voice.active = false;
    voice.paused = false;
    voice.started = false;
    voice.mapped = false;
    voice.ringStalled = false;
    voice.sound = nullptr;
    voice.group = nullptr;
    ++voice.generation;
}

void SoundSystem::Unbind(Voice& voice)
{
    alSourcei(voice.source, AL_BUFFER, 0);
    voice.bound = 0;
}

void SoundSystem::ApplyGain(const Voice& voice) const
{
    const float groupVolume = voice.group != nullptr ? voice.group->m_volume : 1.0f;
    alSourcef(voice.source, AL_GAIN, voice.volume * groupVolume);
}

bool SoundSystem::Looping(const Voice& voice) const
{
    return (voice.mode & ModeLoopNormal) != 0 && voice.loopCount != 0;
}

void SoundSystem::ApplyLooping(Voice& voice) const
{
    if (voice.sound->IsStream())
    {
        // A short stream may have reached its end while it was filled; looping goes on there.
        if (Looping(voice) && voice.streamEnded && voice.passFrames > 0)
            voice.streamEnded = false;
        return;
    }
    alSourcei(voice.source, AL_LOOPING, Looping(voice) ? AL_TRUE : AL_FALSE);
}
} // namespace Layer
} // namespace Audio
