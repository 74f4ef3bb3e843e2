#include "Audio/AudioSystem.h"
#include "Audio/AudioAllocation.h"
#include "Audio/MusicComponent.h"
#include "Audio/SoundEffectComponent.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Messages/Audio/AudioEffectMessage.h"
#include "Core/Messages/Audio/AudioFadeMessage.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/Audio/AudioSystemMessage.h"
#include "Core/Messages/Audio/LoadMusicMessage.h"
#include "Core/Messages/Audio/LoadSoundEffectMessage.h"
#include "Core/Messages/PostNew.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include <algorithm>
#include <cmath>

namespace Audio
{
namespace System
{
namespace
{
// The level of every audio report handed to the error sink.
constexpr s32 AudioErrorLevel = 0;
constexpr const char* InitContext = "AudioSystem::SystemInitialize(), ";

// Actions of the system, music and effect messages.
constexpr u32 SystemMute = 0;
constexpr u32 SystemMusicVolume = 1;
constexpr u32 SystemEffectVolume = 2;
constexpr u32 PlayAction = 0;
constexpr u32 PauseAction = 1;
constexpr u32 StopAction = 2;
// Effects play at their own rate when a message asks for them.
constexpr f32 MessagePitch = 1.0f;
} // namespace

AudioSystem* AudioSystem::s_instance = nullptr;
int AudioSystem::s_outputType = Layer::OutputAutomatic;

AudioSystem::AudioSystem()
    : m_soundSystem(nullptr), m_settings(nullptr), m_musicGroup(nullptr), m_effectGroup(nullptr),
      m_musicVolume(1.0f), m_effectVolume(1.0f), m_muted(false)
{
    m_name = SystemName;
    s_instance = this;
}

AudioSystem::~AudioSystem()
{
    // Directly, not through Shutdown: Shutdown hands a component to Unregister, which would
    // destroy it a second time.
    while (!m_music.empty())
    {
        MusicComponent* music = m_music.front();
        m_music.Remove(music);
        DeleteFromEngine(music);
    }
    while (!m_effects.empty())
    {
        SoundEffectComponent* effect = m_effects.front();
        m_effects.Remove(effect);
        DeleteFromEngine(effect);
    }
    ReleaseScript(m_settings);
    if (m_soundSystem != nullptr)
        m_soundSystem->Release();
    m_soundSystem = nullptr;
    if (s_instance == this)
        s_instance = nullptr;
}

void AudioSystem::ReportError(const std::string& text)
{
    if (g_Engine != nullptr)
        g_Engine->LogError(ErrorReport(text, AudioErrorLevel));
    else
        Core::Log() << text << '\n';
}

int AudioSystem::Check(int result, std::string_view context)
{
    if (result != Layer::ResultOk)
        ReportError(std::string(ErrorPrefix).append(context));
    return result;
}

void AudioSystem::ReportLoadFailure(int result, const Layer::SoundSystem* layer,
                                    const std::string& path)
{
    if (result == Layer::ResultOk)
        return;
    const std::string reason = layer != nullptr && !layer->GetLastFailure().empty()
                                   ? layer->GetLastFailure()
                                   : std::string(Layer::ResultText(result));
    ReportError(ErrorPrefix + path + " could not be loaded: " + reason);
}

void AudioSystem::ReleaseScript(Scripting::LuaComponent*& script)
{
    if (script == nullptr)
        return;
    // A script that loaded joined the Lua system, which destroys what is left when it goes.
    const Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    bool destroyedAlready = false;
    if (script->IsRegistered())
    {
        destroyedAlready = true;
        if (lua != nullptr)
        {
            const auto& scripts = lua->GetComponents();
            destroyedAlready = std::find(scripts.begin(), scripts.end(), script) == scripts.end();
        }
    }
    if (!destroyedAlready)
        Scripting::LuaComponent::Destroy(script);
    script = nullptr;
}

void AudioSystem::Initialize(u32)
{
    // A script that does not load is reported by it; the defaults stand and no sound is listed.
    m_settings = Scripting::LuaComponent::CreateLoaded(
        SettingsScript, std::string(), Scripting::LuaComponent::FailedLoad::Destroy);
    InitializeLayer();
    InitializeChannels();
    if (m_settings != nullptr)
    {
        PostSoundList(*m_settings, GetId());
        bool muted = false;
        if (m_settings->GetGlobalBool("muted", muted))
            SetMuted(muted);
    }
}

void AudioSystem::InitializeLayer()
{
    const std::string context = InitContext;
    Check(Layer::SoundSystem::Create(&m_soundSystem), context + "System_Create");
    if (m_soundSystem == nullptr)
        return;
    m_soundSystem->SetReportFunction([](const std::string& line) { Core::Log() << line << '\n'; });
    u32 version = 0;
    Check(m_soundSystem->GetVersion(version), context + "getVersion");
    int drivers = 0;
    Check(m_soundSystem->GetNumDrivers(drivers), context + "getNumDrivers");
    if (s_outputType != Layer::OutputAutomatic)
    {
        Check(m_soundSystem->SetOutput(s_outputType), context + "setOutput");
    }
    else if (drivers == 0)
    {
        Check(m_soundSystem->SetOutput(Layer::OutputSilent), context + "setOutput");
    }
    else
    {
        u32 caps = 0;
        int speakerMode = Layer::SpeakerModeStereo;
        Check(m_soundSystem->GetDriverCaps(0, caps, speakerMode), context + "getDriverCaps");
        Check(m_soundSystem->SetSpeakerMode(speakerMode), context + "setSpeakerMode");
    }
    const int result = m_soundSystem->Init(InitChannels, 0);
    if (result == Layer::ResultOutputFormat)
    {
        Check(m_soundSystem->SetSpeakerMode(Layer::SpeakerModeStereo), context + "setSpeakerMode");
        Check(m_soundSystem->Init(FallbackInitChannels, 0), context + "init");
    }
}

void AudioSystem::InitializeChannels()
{
    const std::string context = "AudioSystem::ChannelInitialize(), createChannelGroup";
    const int notReady = Layer::ResultNotReady;
    Check(m_soundSystem != nullptr ? m_soundSystem->CreateChannelGroup(&m_musicGroup) : notReady,
          context);
    Check(m_soundSystem != nullptr ? m_soundSystem->CreateChannelGroup(&m_effectGroup) : notReady,
          context);
    if (m_settings == nullptr)
        return;
    f32 volume = m_musicVolume;
    if (m_settings->GetGlobalFloat("musicVolume", volume))
        m_musicVolume = ClampVolume(volume);
    volume = m_effectVolume;
    if (m_settings->GetGlobalFloat("effectVolume", volume))
        m_effectVolume = ClampVolume(volume);
    SetGroupVolume(m_musicGroup, m_musicVolume);
    SetGroupVolume(m_effectGroup, m_effectVolume);
}

void AudioSystem::PostSoundList(Scripting::LuaComponent& script, u32 senderId)
{
    s32 count = 0;
    if (!script.CallReturnInt("GetAudioCount", count))
        return;
    if (count < 0 || count > MaxSoundListEntries)
    {
        const s32 taken = count < 0 ? 0 : MaxSoundListEntries;
        Core::Log() << "Error [" << SystemName << "]: " << script.GetFileName() << " names "
                    << count << " sounds, " << taken << " are read\n";
        count = taken;
    }
    for (s32 i = 1; i <= count; ++i)
    {
        std::string name;
        std::string file;
        s32 type = -1;
        // A call that ran past its budget would do so again for every entry left, each taking
        // the whole budget: the list ends there.
        const Scripting::ScriptLimits& limits = script.GetLimits();
        script.CallIntReturnString("GetAudioName", i, name);
        if (!limits.stopped)
            script.CallIntReturnString("GetAudioFilename", i, file);
        if (!limits.stopped)
            script.CallIntReturnInt("GetAudioType", i, type);
        if (limits.stopped)
        {
            Core::Log() << "Error [" << SystemName << "]: " << script.GetFileName()
                        << " ran past its budget reading sound " << i << "; the " << (count - i + 1)
                        << " sounds from there on are not loaded\n";
            return;
        }
        if (g_Engine == nullptr)
            return;
        if (type == MusicEntry)
            Core::PostNew<LoadMusicMessage>("AudioSystem", 0.0f, senderId, file, name, SystemName);
        else if (type == EffectEntry)
            Core::PostNew<LoadSoundEffectMessage>("AudioSystem", 0.0f, senderId, file, name,
                                                  SystemName);
    }
}

f32 AudioSystem::ClampVolume(f32 volume)
{
    // Above 1 is 1; not above 0 (not-a-number included) is 0.
    if (volume > 1.0f)
        return 1.0f;
    if (!(volume > 0.0f))
        return 0.0f;
    return volume;
}

void AudioSystem::SetGroupVolume(Layer::ChannelGroup* group, f32 volume)
{
    if (group != nullptr)
        group->SetVolume(volume);
}

f32 AudioSystem::GetMusicGroupVolume() const
{
    f32 volume = 0.0f;
    if (m_musicGroup != nullptr)
        m_musicGroup->GetVolume(volume);
    return volume;
}

f32 AudioSystem::GetEffectGroupVolume() const
{
    f32 volume = 0.0f;
    if (m_effectGroup != nullptr)
        m_effectGroup->GetVolume(volume);
    return volume;
}

void AudioSystem::Update(f32 seconds)
{
    if (m_soundSystem != nullptr)
        m_soundSystem->Update();
    // A fade step may not change the list, but the copy keeps the walk safe whatever it does.
    m_fadeWalk.assign(m_music.begin(), m_music.end());
    for (MusicComponent* track : m_fadeWalk)
        track->UpdateFade(seconds);
}

void AudioSystem::SetMuted(bool muted)
{
    m_muted = muted;
    for (MusicComponent* track : m_music)
        track->SetMute(muted);
    SetGroupVolume(m_musicGroup, muted ? 0.0f : m_musicVolume);
    SetGroupVolume(m_effectGroup, muted ? 0.0f : m_effectVolume);
}

MusicComponent* AudioSystem::FindMusic(const std::string& audioName) const
{
    for (MusicComponent* track : m_music)
    {
        if (track->GetRecord().audioName == audioName)
            return track;
    }
    return nullptr;
}

SoundEffectComponent* AudioSystem::FindEffect(const std::string& audioName) const
{
    for (SoundEffectComponent* effect : m_effects)
    {
        if (effect->GetRecord().audioName == audioName)
            return effect;
    }
    return nullptr;
}

void AudioSystem::Register(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    const std::string name = component->GetName();
    if (name == MusicComponent::GetTypeName())
        m_music.Add(static_cast<MusicComponent*>(component));
    else if (name == SoundEffectComponent::GetTypeName())
        m_effects.Add(static_cast<SoundEffectComponent*>(component));
}

void AudioSystem::Unregister(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    const std::string name = component->GetName();
    if (name == MusicComponent::GetTypeName())
    {
        auto* music = static_cast<MusicComponent*>(component);
        if (!m_music.Remove(music))
            return;
        DeleteFromEngine(music);
    }
    else if (name == SoundEffectComponent::GetTypeName())
    {
        auto* effect = static_cast<SoundEffectComponent*>(component);
        if (!m_effects.Remove(effect))
            return;
        DeleteFromEngine(effect);
    }
}

template <class T>
T* AudioSystem::LoadSound(const std::string& fileName, const std::string& audioName)
{
    // The constructor files the component in its list through the engine's system table; a
    // system the engine does not know (a second one, a tool's) files it here; filing it twice
    // changes nothing.
    T* sound = NewFromEngine<T>();
    Register(sound);
    sound->LoadFromFile(fileName);
    sound->SetAudioName(audioName);
    return sound;
}

void AudioSystem::HandleSystemMessage(u32 action, f32 value)
{
    switch (action)
    {
    case SystemMute:
        SetMuted(value == 0.0f);
        break;
    case SystemMusicVolume:
        m_musicVolume = ClampVolume(value);
        SetGroupVolume(m_musicGroup, m_musicVolume);
        break;
    case SystemEffectVolume:
        m_effectVolume = ClampVolume(value);
        SetGroupVolume(m_effectGroup, m_effectVolume);
        break;
    default:
        break;
    }
}

void AudioSystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    // A literal, not a std::string: every message of the frame comes here, and building the
    // text (longer than a short string's own buffer) would allocate for each.
    static const char* const notFound = "Could not find requested audio: ";
    switch (message->type)
    {
    case AudioSystemMessage::Type:
    {
        const auto* request = static_cast<AudioSystemMessage*>(message);
        HandleSystemMessage(request->action, request->value);
        break;
    }
    case AudioMusicMessage::Type:
    {
        const auto* request = static_cast<AudioMusicMessage*>(message);
        MusicComponent* track = FindMusic(request->audioName);
        if (track == nullptr)
            ReportError(std::string(notFound) + request->audioName);
        else if (request->action == PlayAction)
            track->Start(false);
        else if (request->action == PauseAction)
            track->SetPaused(!track->IsPaused());
        else if (request->action == StopAction)
            track->Stop();
        break;
    }
    case AudioEffectMessage::Type:
    {
        const auto* request = static_cast<AudioEffectMessage*>(message);
        SoundEffectComponent* effect = FindEffect(request->audioName);
        if (effect == nullptr)
            ReportError(std::string(notFound) + request->audioName);
        else if (request->action == PlayAction)
            effect->Play(MessagePitch);
        else if (request->action == PauseAction)
            ReportError("Cannot pause an audio effect");
        else if (request->action == StopAction)
            ReportError("Cannot stop an audio effect");
        break;
    }
    case AudioFadeMessage::Type:
    {
        const auto* request = static_cast<AudioFadeMessage*>(message);
        MusicComponent* track = FindMusic(request->audioName);
        if (track == nullptr)
            ReportError(std::string(notFound) + request->audioName);
        else
            track->StartFade(request->fadeTime, request->targetVolume, request->pauseAfterFade);
        break;
    }
    case LoadSoundEffectMessage::Type:
    {
        const auto* request = static_cast<LoadSoundEffectMessage*>(message);
        if (FindEffect(request->audioName) == nullptr)
            LoadSound<SoundEffectComponent>(request->fileName, request->audioName);
        break;
    }
    case LoadMusicMessage::Type:
    {
        const auto* request = static_cast<LoadMusicMessage*>(message);
        if (FindMusic(request->audioName) == nullptr)
            LoadSound<MusicComponent>(request->fileName, request->audioName);
        break;
    }
    default:
        break;
    }
}
} // namespace System
} // namespace Audio
