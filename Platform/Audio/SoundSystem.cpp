#include "Platform/Audio/SoundSystem.h"
#include "Platform/Audio/SoundSystemInternals.h"
#include <AL/alc.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace Audio
{
namespace Layer
{
using namespace SoundSystemDetail;

namespace
{
// Frames rendered per loopback call when the silent device runs on the wall clock.
constexpr std::size_t SilentChunkFrames = 1024;

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

void SoundSystem::Report(const std::string& line) const
{
    if (m_report)
        m_report(line);
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
