#include "Platform/Audio/SoundSystem.h"
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace Audio
{
namespace Layer
{
namespace
{
// Frames rendered per loopback call when the silent device runs on the wall clock.
constexpr std::size_t SilentChunkFrames = 1024;
constexpr int StereoChannels = 2;
constexpr int BytesPerSample = 2;

struct LoopbackFunctions
{
    LPALCLOOPBACKOPENDEVICESOFT open = nullptr;
    LPALCISRENDERFORMATSUPPORTEDSOFT isFormatSupported = nullptr;
    LPALCRENDERSAMPLESSOFT render = nullptr;

    bool Load()
    {
        if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback"))
            return false;
        open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
            alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        isFormatSupported = reinterpret_cast<LPALCISRENDERFORMATSUPPORTEDSOFT>(
            alcGetProcAddress(nullptr, "alcIsRenderFormatSupportedSOFT"));
        render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
            alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        return open != nullptr && isFormatSupported != nullptr && render != nullptr;
    }
};

LoopbackFunctions& Loopback()
{
    static LoopbackFunctions functions;
    return functions;
}

// Buffers an application maps and writes in place (OpenAL Soft's experimental
// AL_SOFTX_map_buffer, which alext.h does not declare).
using ALbitfieldSOFT = unsigned int;
constexpr ALbitfieldSOFT MapWriteBit = 0x2;
constexpr ALbitfieldSOFT MapPersistentBit = 0x4;
using BufferStorageFunction = void(AL_APIENTRY*)(ALuint buffer, ALenum format, const ALvoid* data,
                                                 ALsizei size, ALsizei frequency,
                                                 ALbitfieldSOFT flags);
using MapBufferFunction = void*(AL_APIENTRY*)(ALuint buffer, ALsizei offset, ALsizei length,
                                              ALbitfieldSOFT access);
using UnmapBufferFunction = void(AL_APIENTRY*)(ALuint buffer);
using FlushMappedBufferFunction = void(AL_APIENTRY*)(ALuint buffer, ALsizei offset, ALsizei length);

struct MapBufferFunctions
{
    BufferStorageFunction storage = nullptr;
    MapBufferFunction map = nullptr;
    UnmapBufferFunction unmap = nullptr;
    FlushMappedBufferFunction flush = nullptr;

    // With the system's context current.
    bool Load()
    {
        if (!alIsExtensionPresent("AL_SOFTX_map_buffer"))
            return false;
        storage = reinterpret_cast<BufferStorageFunction>(alGetProcAddress("alBufferStorageSOFT"));
        map = reinterpret_cast<MapBufferFunction>(alGetProcAddress("alMapBufferSOFT"));
        unmap = reinterpret_cast<UnmapBufferFunction>(alGetProcAddress("alUnmapBufferSOFT"));
        flush = reinterpret_cast<FlushMappedBufferFunction>(
            alGetProcAddress("alFlushMappedBufferSOFT"));
        return storage != nullptr && map != nullptr && unmap != nullptr && flush != nullptr;
    }
};

MapBufferFunctions& MapBuffer()
{
    static MapBufferFunctions functions;
    return functions;
}

constexpr const char* QueuedStreamsLine =
    "Audio layer: OpenAL cannot map stream buffers here; streams fall back to queued buffers";

// The channels a sound's samples go to OpenAL in. The game's sounds are not placed in space,
// so a mono sound goes to both speakers at its full level: where voices play on the direct
// channels, bypassing the panner (which would lower a centred mono voice by its own,
// implementation-defined amount), it is widened to stereo.
int UploadedChannels(int channels, bool directChannels)
{
    return channels == 1 && directChannels ? StereoChannels : channels;
}

// Mono samples as stereo ones, the same on both sides.
void WidenToStereo(const std::int16_t* samples, std::size_t frames, std::int16_t* out)
{
    for (std::size_t i = 0; i < frames; ++i)
        out[2 * i] = out[2 * i + 1] = samples[i];
}

// Hands 16-bit samples to an OpenAL buffer, in UploadedChannels.
void UploadSamples(unsigned int buffer, const std::int16_t* samples, std::size_t frames,
                   int channels, int rate, bool directChannels, std::vector<std::int16_t>& widened)
{
    if (UploadedChannels(channels, directChannels) != channels)
    {
        widened.resize(frames * StereoChannels);
        WidenToStereo(samples, frames, widened.data());
        samples = widened.data();
        channels = StereoChannels;
    }
    alBufferData(buffer, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, samples,
                 static_cast<ALsizei>(frames * channels * sizeof(std::int16_t)), rate);
}
} // namespace

int SoundSystem::Create(SoundSystem** system)
{
    if (system == nullptr)
        return ResultInvalidParam;
    *system = new SoundSystem();
    return ResultOk;
}

SoundSystem::SoundSystem()
    : m_device(nullptr), m_context(nullptr), m_initialized(false), m_loopback(false),
      m_renderByClock(false), m_outputType(OutputAutomatic),
      m_streamBufferBytes(DefaultStreamBufferBytes), m_mapStreams(true), m_directChannels(false),
      m_report([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); })
{
}

SoundSystem::~SoundSystem() = default;

int SoundSystem::GetVersion(std::uint32_t& version) const
{
    version = Version;
    return ResultOk;
}

int SoundSystem::GetNumDrivers(int& count) const
{
    count = 0;
    const ALCchar* list = alcGetString(nullptr, ALC_DEVICE_SPECIFIER);
    // A list of names, each ended by a zero, the whole ended by a second zero.
    while (list != nullptr && *list != '\0')
    {
        ++count;
        list += std::strlen(list) + 1;
    }
    return ResultOk;
}

int SoundSystem::SetOutput(int outputType)
{
    if (m_initialized)
        return ResultInvalidParam;
    if (outputType != OutputAutomatic && outputType != OutputSilent && outputType != OutputLoopback)
        return ResultInvalidParam;
    m_outputType = outputType;
    return ResultOk;
}

int SoundSystem::SetOutputDevice(const std::string& deviceName)
{
    if (m_initialized)
        return ResultInvalidParam;
    m_deviceName = deviceName;
    return ResultOk;
}

int SoundSystem::GetDriverCaps(int, std::uint32_t& caps, int& speakerMode) const
{
    caps = 0;
    speakerMode = SpeakerModeStereo;
    return ResultOk;
}

int SoundSystem::SetSpeakerMode(int)
{
    return ResultOk;
}

int SoundSystem::SetDSPBufferSize(std::uint32_t, int)
{
    return ResultOk;
}

bool SoundSystem::OpenDevice()
{
    m_device = alcOpenDevice(m_deviceName.empty() ? nullptr : m_deviceName.c_str());
    if (m_device == nullptr)
        return false;
    m_context = alcCreateContext(m_device, nullptr);
    if (m_context == nullptr)
    {
        alcCloseDevice(m_device);
        m_device = nullptr;
        return false;
    }
    m_loopback = false;
    return true;
}

bool SoundSystem::OpenLoopback()
{
    LoopbackFunctions& loopback = Loopback();
    if (!loopback.Load())
        return false;
    m_device = loopback.open(nullptr);
    if (m_device == nullptr)
        return false;
    if (!loopback.isFormatSupported(m_device, LoopbackRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT))
    {
        alcCloseDevice(m_device);
        m_device = nullptr;
        return false;
    }
    // Plain stereo panning: no head-related filters, so what is mixed is what tests measure.
    std::vector<ALCint> attributes = {
        ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
        ALC_FLOAT_SOFT,           ALC_FREQUENCY,   LoopbackRate};
    if (alcIsExtensionPresent(m_device, "ALC_SOFT_HRTF"))
    {
        attributes.push_back(ALC_HRTF_SOFT);
        attributes.push_back(ALC_FALSE);
    }
    attributes.push_back(0);
    m_context = alcCreateContext(m_device, attributes.data());
    if (m_context == nullptr)
    {
        alcCloseDevice(m_device);
        m_device = nullptr;
        return false;
    }
    m_loopback = true;
    return true;
}

bool SoundSystem::MakeCurrent() const
{
    if (m_context == nullptr)
        return false;
    if (alcGetCurrentContext() != m_context)
        return alcMakeContextCurrent(m_context) == ALC_TRUE;
    return true;
}

int SoundSystem::Init(int maxChannels, std::uint32_t)
{
    if (m_initialized)
        return ResultOk;
    if (maxChannels <= 0)
        return ResultInvalidParam;
    bool opened = false;
    if (m_outputType == OutputAutomatic)
    {
        opened = OpenDevice();
        if (!opened)
            Report("Audio layer: no output device could be opened (" +
                   (m_deviceName.empty() ? std::string("default") : m_deviceName) +
                   "); sound runs on the silent device");
    }
    if (!opened)
    {
        opened = OpenLoopback();
        m_renderByClock = m_outputType != OutputLoopback;
    }
    if (!opened)
        return ResultDevice;
    MakeCurrent();
    for (Voice& voice : m_voices)
    {
        alGenSources(1, &voice.source);
        // Every voice plays at the listener, unattenuated: the game's sounds are not placed.
        alSourcei(voice.source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(voice.source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        alSourcef(voice.source, AL_ROLLOFF_FACTOR, 0.0f);
    }
    if (alGetError() != AL_NO_ERROR)
    {
        Report("Audio layer: OpenAL could not make the voices");
        return ResultDevice;
    }
    m_directChannels = alIsExtensionPresent("AL_SOFT_direct_channels") == AL_TRUE;
    if (m_mapStreams && !MapBuffer().Load())
    {
        m_mapStreams = false;
        Report(QueuedStreamsLine);
    }
    m_lastRender = std::chrono::steady_clock::now();
    m_initialized = true;
    return ResultOk;
}

int SoundSystem::Release()
{
    if (MakeCurrent())
    {
        for (Voice& voice : m_voices)
        {
            if (voice.active)
                Retire(voice);
        }
        const std::vector<Sound*> sounds = m_sounds;
        for (Sound* sound : sounds)
            sound->Release();
        for (Voice& voice : m_voices)
        {
            if (voice.source != 0)
                alDeleteSources(1, &voice.source);
            if (voice.buffers[0] != 0)
                alDeleteBuffers(StreamBufferCount, voice.buffers.data());
            DeleteRing(voice);
        }
    }
    for (ChannelGroup* group : m_groups)
        delete group;
    m_groups.clear();
    if (m_context != nullptr)
    {
        if (alcGetCurrentContext() == m_context)
            alcMakeContextCurrent(nullptr);
        alcDestroyContext(m_context);
    }
    if (m_device != nullptr)
        alcCloseDevice(m_device);
    delete this;
    return ResultOk;
}

int SoundSystem::Update()
{
    if (!m_initialized || !MakeCurrent())
        return ResultNotReady;
    if (m_renderByClock)
        RenderSilent();
    for (Voice& voice : m_voices)
    {
        if (!voice.active)
            continue;
        if (voice.mapped)
            FeedRing(voice);
        else if (voice.sound->IsStream())
            FeedStream(voice);
        Refresh(voice);
    }
    return ResultOk;
}

void SoundSystem::RenderSilent()
{
    const auto now = std::chrono::steady_clock::now();
    double seconds = std::chrono::duration<double>(now - m_lastRender).count();
    m_lastRender = now;
    seconds = std::clamp(seconds, 0.0, MaxSilentRenderSeconds);
    const std::size_t frames = static_cast<std::size_t>(seconds * LoopbackRate);
    m_scratch.resize(SilentChunkFrames * StereoChannels);
    RenderChunks(m_scratch.data(), frames, false);
}

void SoundSystem::RenderChunks(float* out, std::size_t frames, bool advance)
{
    while (frames > 0)
    {
        const std::size_t chunk = LimitToFreshStreams(std::min(frames, SilentChunkFrames));
        Loopback().render(m_device, out, static_cast<ALCsizei>(chunk));
        if (advance)
            out += chunk * StereoChannels;
        frames -= chunk;
    }
}

std::size_t SoundSystem::LimitToFreshStreams(std::size_t frames)
{
    for (Voice& voice : m_voices)
    {
        if (!voice.active || !voice.mapped || voice.ringStalled || voice.paused || !voice.started)
            continue;
        AdvanceRing(voice);
        const std::uint64_t fresh =
            voice.ringWritten > voice.ringPlayed ? voice.ringWritten - voice.ringPlayed : 0;
        // The cursor moves frequency / LoopbackRate stream frames per output frame.
        const double perOutputFrame = static_cast<double>(voice.frequency) / LoopbackRate;
        const double reach = std::floor(static_cast<double>(fresh) / perOutputFrame);
        if (reach < 1.0)
        {
            alSourcePause(voice.source);
            voice.ringStalled = true;
            continue;
        }
        if (reach < static_cast<double>(frames))
            frames = static_cast<std::size_t>(reach);
    }
    return frames;
}

int SoundSystem::RenderLoopback(float* out, std::size_t frames)
{
    if (!m_initialized || !m_loopback || out == nullptr)
        return ResultNotReady;
    MakeCurrent();
    RenderChunks(out, frames, true);
    return ResultOk;
}

int SoundSystem::GetVoicesInUse() const
{
    int count = 0;
    for (const Voice& voice : m_voices)
        count += voice.active ? 1 : 0;
    return count;
}

int SoundSystem::CreateChannelGroup(ChannelGroup** group)
{
    if (group == nullptr)
        return ResultInvalidParam;
    *group = new ChannelGroup(*this);
    m_groups.push_back(*group);
    return ResultOk;
}

int SoundSystem::SetStreamBufferSize(std::uint32_t bytes, std::uint32_t)
{
    // At least one stereo frame per buffer.
    if (bytes < StereoChannels * BytesPerSample)
        return ResultInvalidParam;
    m_streamBufferBytes = bytes;
    return ResultOk;
}

int SoundSystem::SetStreamMapping(bool enabled)
{
    if (m_initialized)
        return ResultInvalidParam;
    m_mapStreams = enabled;
    return ResultOk;
}

int SoundSystem::CreateSound(const std::string& path, std::uint32_t, Sound** sound)
{
    if (sound == nullptr)
        return ResultInvalidParam;
    *sound = nullptr;
    auto decoder = std::make_unique<SoundDecoder>();
    std::string error;
    if (!decoder->OpenFile(path, error))
    {
        m_lastFailure = error;
        return error == SoundDecoder::NotFoundReason ? ResultFileNotFound : ResultFormat;
    }
    return MakeSound(std::move(decoder), path, false, sound);
}

int SoundSystem::CreateStream(const std::string& path, std::uint32_t, Sound** sound)
{
    if (sound == nullptr)
        return ResultInvalidParam;
    *sound = nullptr;
    auto decoder = std::make_unique<SoundDecoder>();
    std::string error;
    if (!decoder->OpenFile(path, error))
    {
        m_lastFailure = error;
        return error == SoundDecoder::NotFoundReason ? ResultFileNotFound : ResultFormat;
    }
    return MakeSound(std::move(decoder), path, true, sound);
}

int SoundSystem::CreateSoundFromMemory(const void* data, std::size_t size, const std::string& label,
                                       Sound** sound)
{
    if (sound == nullptr || (data == nullptr && size > 0))
        return ResultInvalidParam;
    *sound = nullptr;
    auto decoder = std::make_unique<SoundDecoder>();
    std::string error;
    if (!decoder->OpenMemory(data, size, error))
    {
        m_lastFailure = error;
        return ResultFormat;
    }
    return MakeSound(std::move(decoder), label, false, sound);
}

int SoundSystem::CreateStreamFromMemory(const void* data, std::size_t size,
                                        const std::string& label, Sound** sound)
{
    if (sound == nullptr || (data == nullptr && size > 0))
        return ResultInvalidParam;
    *sound = nullptr;
    auto decoder = std::make_unique<SoundDecoder>();
    std::string error;
    if (!decoder->OpenMemory(data, size, error))
    {
        m_lastFailure = error;
        return ResultFormat;
    }
    return MakeSound(std::move(decoder), label, true, sound);
}

int SoundSystem::MakeSound(std::unique_ptr<SoundDecoder> decoder, const std::string& label,
                           bool stream, Sound** sound)
{
    if (!m_initialized || !MakeCurrent())
    {
        m_lastFailure = "the audio layer is not initialised";
        return ResultNotReady;
    }
    Sound* made = new Sound(*this, label, stream);
    made->m_channels = decoder->GetChannels();
    made->m_sampleRate = decoder->GetSampleRate();
    if (stream)
    {
        made->m_decoder = std::move(decoder);
    }
    else
    {
        std::vector<std::int16_t> samples;
        const std::size_t limit = static_cast<std::size_t>(MaxSampleSeconds) * made->m_sampleRate;
        const std::size_t frames = decoder->ReadAll(samples, limit);
        if (frames == 0)
        {
            // A header with nothing behind it, or data the decoder gives up on at once.
            delete made;
            m_lastFailure = "not a sound file (no samples could be decoded)";
            return ResultFormat;
        }
        const std::uint64_t declared = decoder->GetDeclaredFrames();
        if (decoder->Failed())
            Report("Audio layer: " + label + " could not be decoded past frame " +
                   std::to_string(frames) + " (" + decoder->GetErrorText() +
                   "); playing what was read");
        else if (frames < limit && (declared > frames || decoder->IsShorterThanHeader()))
            Report("Audio layer: " + label + " ends after " + std::to_string(frames) +
                   " frames, before its header says; playing what was read");
        made->m_frames = frames;
        alGenBuffers(1, &made->m_buffer);
        std::vector<std::int16_t> widened;
        UploadSamples(made->m_buffer, samples.data(), frames, made->m_channels, made->m_sampleRate,
                      m_directChannels, widened);
        if (alGetError() != AL_NO_ERROR)
        {
            delete made;
            m_lastFailure = "the samples could not be handed to OpenAL";
            return ResultFormat;
        }
    }
    made->m_bufferFrames =
        std::max<std::size_t>(1, m_streamBufferBytes / (BytesPerSample * made->m_channels));
    m_sounds.push_back(made);
    *sound = made;
    return ResultOk;
}

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

void SoundSystem::RestartStream(Voice& voice, std::size_t skipFrames)
{
    Sound& sound = *voice.sound;
    alSourceStop(voice.source);
    Unbind(voice);
    voice.mapped = m_mapStreams && PrepareRing(voice);
    voice.ringStalled = false;
    if (!voice.mapped && voice.buffers[0] == 0)
        alGenBuffers(StreamBufferCount, voice.buffers.data());
    voice.streamEnded = !sound.m_decoder->Rewind();
    voice.passFrames = 0;
    if (skipFrames > 0 && !voice.streamEnded)
    {
        std::vector<std::int16_t> discard(skipFrames * static_cast<std::size_t>(sound.m_channels));
        voice.passFrames = sound.m_decoder->Read(discard.data(), skipFrames);
    }
    if (voice.mapped)
    {
        // The whole ring is filled while the source is stopped, then bound once and looped.
        voice.ringPlayed = 0;
        voice.ringWritten = 0;
        voice.ringSilenced = 0;
        voice.ringCursor = 0;
        WriteRing(voice);
        alSourcei(voice.source, AL_BUFFER, static_cast<ALint>(voice.ring));
        alSourcei(voice.source, AL_LOOPING, AL_TRUE);
        return;
    }
    for (unsigned int buffer : voice.buffers)
    {
        if (voice.streamEnded || !FillStreamBuffer(voice, buffer))
            break;
        alSourceQueueBuffers(voice.source, 1, &buffer);
    }
}

std::size_t SoundSystem::DecodeStream(Voice& voice, std::size_t frames)
{
    Sound& sound = *voice.sound;
    SoundDecoder& decoder = *sound.m_decoder;
    const std::size_t channels = static_cast<std::size_t>(sound.m_channels);
    // Always the same size: the pcm is allocated by the first call only.
    sound.m_pcm.resize(sound.m_bufferFrames * channels);
    frames = std::min(frames, sound.m_bufferFrames);
    std::size_t total = 0;
    while (total < frames)
    {
        const std::size_t got = decoder.Read(sound.m_pcm.data() + total * channels, frames - total);
        if (got > 0)
        {
            total += got;
            voice.passFrames += got;
            sound.m_frames = std::max(sound.m_frames, voice.passFrames);
            continue;
        }
        const bool loop = Looping(voice);
        if (!sound.m_reported)
        {
            // Built into a line only when there is one to report: a loop makes no string.
            const char* const then = loop ? "looping from the start" : "ending there";
            const std::uint64_t declared = decoder.GetDeclaredFrames();
            if (decoder.Failed())
            {
                Report("Audio layer: stream " + sound.m_label + " failed after frame " +
                       std::to_string(voice.passFrames) + " (" + decoder.GetErrorText() + "); " +
                       then);
                sound.m_reported = true;
            }
            else if ((declared > voice.passFrames || decoder.IsShorterThanHeader()) &&
                     voice.passFrames > 0)
            {
                Report("Audio layer: stream " + sound.m_label + " ends after " +
                       std::to_string(voice.passFrames) + " frames, before its header says; " +
                       then);
                sound.m_reported = true;
            }
        }
        // A pass that yielded nothing would loop without end: the stream stops.
        if (!loop || voice.passFrames == 0 || !decoder.Rewind())
        {
            voice.streamEnded = true;
            break;
        }
        if (voice.loopCount > 0)
            --voice.loopCount;
        voice.passFrames = 0;
    }
    return total;
}

bool SoundSystem::FillStreamBuffer(Voice& voice, unsigned int buffer)
{
    Sound& sound = *voice.sound;
    const std::size_t total = DecodeStream(voice, sound.m_bufferFrames);
    if (total == 0)
        return false;
    UploadSamples(buffer, sound.m_pcm.data(), total, sound.m_channels, sound.m_sampleRate,
                  m_directChannels, m_widened);
    return true;
}

void SoundSystem::FeedStream(Voice& voice)
{
    ALint processed = 0;
    alGetSourcei(voice.source, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i)
    {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(voice.source, 1, &buffer);
        if (!voice.streamEnded && FillStreamBuffer(voice, buffer))
            alSourceQueueBuffers(voice.source, 1, &buffer);
    }
    if (voice.paused || !voice.started)
        return;
    ALint state = AL_STOPPED;
    ALint queued = 0;
    alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
    alGetSourcei(voice.source, AL_BUFFERS_QUEUED, &queued);
    // An underrun stops the source with data still to come: play on.
    if (state != AL_PLAYING && queued > 0)
        alSourcePlay(voice.source);
}

bool SoundSystem::PrepareRing(Voice& voice)
{
    const Sound& sound = *voice.sound;
    const int channels = UploadedChannels(sound.m_channels, m_directChannels);
    if (voice.ring != 0 && voice.ringChannels == channels && voice.ringRate == sound.m_sampleRate &&
        voice.ringSegmentFrames == sound.m_bufferFrames)
        return true;
    MapBufferFunctions& functions = MapBuffer();
    alGetError();
    // Storage is given anew to a buffer no source holds and nobody maps.
    if (voice.ringSamples != nullptr)
        functions.unmap(voice.ring);
    voice.ringSamples = nullptr;
    if (voice.ring == 0)
        alGenBuffers(1, &voice.ring);
    const std::size_t bytes = sound.m_bufferFrames * StreamBufferCount *
                              static_cast<std::size_t>(channels) * BytesPerSample;
    void* mapped = nullptr;
    if (alGetError() == AL_NO_ERROR && bytes <= static_cast<std::size_t>(INT32_MAX))
    {
        functions.storage(voice.ring, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                          nullptr, static_cast<ALsizei>(bytes), sound.m_sampleRate,
                          MapWriteBit | MapPersistentBit);
        if (alGetError() == AL_NO_ERROR)
            mapped = functions.map(voice.ring, 0, static_cast<ALsizei>(bytes),
                                   MapWriteBit | MapPersistentBit);
    }
    if (alGetError() != AL_NO_ERROR || mapped == nullptr)
    {
        DeleteRing(voice);
        m_mapStreams = false;
        Report(QueuedStreamsLine);
        return false;
    }
    voice.ringSamples = static_cast<std::int16_t*>(mapped);
    voice.ringChannels = channels;
    voice.ringRate = sound.m_sampleRate;
    voice.ringSegmentFrames = sound.m_bufferFrames;
    return true;
}

void SoundSystem::DeleteRing(Voice& voice)
{
    if (voice.ring == 0)
        return;
    if (voice.ringSamples != nullptr)
        MapBuffer().unmap(voice.ring);
    alDeleteBuffers(1, &voice.ring);
    alGetError();
    voice.ring = 0;
    voice.ringSamples = nullptr;
    voice.ringChannels = 0;
    voice.ringRate = 0;
    voice.ringSegmentFrames = 0;
}

void SoundSystem::AdvanceRing(Voice& voice)
{
    const std::size_t ringFrames = voice.ringSegmentFrames * StreamBufferCount;
    ALint offset = 0;
    alGetSourcei(voice.source, AL_SAMPLE_OFFSET, &offset);
    const std::size_t cursor =
        std::min(static_cast<std::size_t>(std::max(offset, 0)), ringFrames - 1);
    // Read at least once a turn (every Update, and before every loopback chunk).
    voice.ringPlayed += (cursor + ringFrames - voice.ringCursor) % ringFrames;
    voice.ringCursor = cursor;
}

void SoundSystem::WriteRing(Voice& voice)
{
    const Sound& sound = *voice.sound;
    const std::uint64_t segment = voice.ringSegmentFrames;
    const std::uint64_t ringFrames = segment * StreamBufferCount;
    const std::size_t channels = static_cast<std::size_t>(voice.ringChannels);
    // Everything up to the start of the cursor's segment, a turn on, may be written.
    const std::uint64_t limit = voice.ringPlayed - voice.ringPlayed % segment + ringFrames;
    if (voice.ringPlayed > voice.ringWritten && !voice.streamEnded)
    {
        // The cursor ran past the fresh samples (a device mixing on its own while Update did
        // not come): the stream goes on from the next segment.
        voice.ringWritten = limit - ringFrames + segment;
    }
    // Hands OpenAL the frames written from ring frame `at` on.
    const FlushMappedBufferFunction flush = MapBuffer().flush;
    const auto flushFrames = [&voice, flush, channels](std::uint64_t at, std::uint64_t frames)
    {
        flush(voice.ring, static_cast<ALsizei>(at * channels * BytesPerSample),
              static_cast<ALsizei>(frames * channels * BytesPerSample));
    };
    while (voice.ringWritten < limit && !voice.streamEnded)
    {
        const std::uint64_t at = voice.ringWritten % ringFrames;
        // Up to the end of the segment: a piece never wraps around the ring.
        const std::size_t want =
            static_cast<std::size_t>(std::min(segment - at % segment, limit - voice.ringWritten));
        const std::size_t got = DecodeStream(voice, want);
        std::int16_t* out = voice.ringSamples + at * channels;
        if (sound.m_channels != static_cast<int>(channels))
            WidenToStereo(sound.m_pcm.data(), got, out);
        else
            std::memcpy(out, sound.m_pcm.data(), got * channels * sizeof(std::int16_t));
        flushFrames(at, got);
        voice.ringWritten += got;
        if (got < want)
            voice.streamEnded = true;
    }
    if (!voice.streamEnded)
        return;
    // After the last frame the ring is silent, so a source the cursor has not yet retired
    // plays nothing old.
    voice.ringSilenced = std::max(voice.ringSilenced, voice.ringWritten);
    while (voice.ringSilenced < limit)
    {
        const std::uint64_t at = voice.ringSilenced % ringFrames;
        const std::uint64_t length = std::min(segment - at % segment, limit - voice.ringSilenced);
        std::memset(voice.ringSamples + at * channels, 0, length * channels * sizeof(std::int16_t));
        flushFrames(at, length);
        voice.ringSilenced += length;
    }
}

void SoundSystem::FeedRing(Voice& voice)
{
    if (voice.ringStalled)
    {
        // A finished stream that ran out is retired by Refresh; one with more to give goes on
        // where its fresh samples ended.
        if (voice.streamEnded)
            return;
        const std::uint64_t ringFrames = voice.ringSegmentFrames * StreamBufferCount;
        voice.ringPlayed = voice.ringWritten;
        voice.ringCursor = static_cast<std::size_t>(voice.ringWritten % ringFrames);
        WriteRing(voice);
        alSourcei(voice.source, AL_SAMPLE_OFFSET, static_cast<ALint>(voice.ringCursor));
        voice.ringStalled = false;
        if (voice.started && !voice.paused)
            alSourcePlay(voice.source);
        return;
    }
    if (voice.paused || !voice.started)
        return;
    AdvanceRing(voice);
    WriteRing(voice);
}

void SoundSystem::Report(const std::string& line) const
{
    if (m_report)
        m_report(line);
}

void SoundSystem::ForgetSound(Sound* sound)
{
    MakeCurrent();
    for (Voice& voice : m_voices)
    {
        if (voice.active && voice.sound == sound)
            Retire(voice);
        if (sound->m_buffer != 0 && voice.bound == sound->m_buffer)
        {
            alSourceStop(voice.source);
            Unbind(voice);
        }
    }
    m_sounds.erase(std::remove(m_sounds.begin(), m_sounds.end(), sound), m_sounds.end());
}

void SoundSystem::ForgetGroup(ChannelGroup* group)
{
    MakeCurrent();
    for (Voice& voice : m_voices)
    {
        if (voice.active && voice.group == group)
        {
            voice.group = nullptr;
            ApplyGain(voice);
        }
    }
    m_groups.erase(std::remove(m_groups.begin(), m_groups.end(), group), m_groups.end());
}
} // namespace Layer
} // namespace Audio
