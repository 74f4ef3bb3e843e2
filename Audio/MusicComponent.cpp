#include "Audio/MusicComponent.h"
#include "Audio/AudioSystem.h"
#include "Core/Assets/AssetPath.h"
#include "Core/Components/SystemRegistration.h"
#include "Platform/Audio/SoundSystem.h"
#include <algorithm>

QUILL_DEFINE_TYPE_RECORD(Audio::MusicComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Audio
{
namespace
{
// Loop for ever.
constexpr int LoopForever = -1;
} // namespace

using System::AudioSystem;

MusicComponent::MusicComponent()
    : GameObjectComponent(true), m_record(), m_fadeRemaining(0.0f), m_fadeTarget(0.0f),
      m_fading(false), m_pauseAfterFade(false)
{
    Core::RegisterWithSystem(AudioSystem::SystemName, this);
}

MusicComponent::~MusicComponent()
{
    // The audio system destroys its components itself, so leaving its list is its business.
    m_record.Release();
}

void MusicComponent::Shutdown()
{
    Core::UnregisterFromSystem(AudioSystem::SystemName, this);
}

bool MusicComponent::LoadFromFile(const std::string& fileName)
{
    m_record.Release();
    m_record = SoundRecord();
    // A name that climbs out of the folder keeps the component silent, as a missing file does.
    if (!Core::CheckAssetPath("AudioSystem", "music track", fileName))
    {
        m_record.fileName = fileName;
        return false;
    }
    AudioSystem* audio = AudioSystem::Instance();
    Layer::SoundSystem* layer = audio != nullptr ? audio->GetSoundSystem() : nullptr;
    if (layer != nullptr)
        layer->SetStreamBufferSize(AudioSystem::StreamBufferBytes, AudioSystem::StreamBufferUnit);
    const int result = AudioSystem::Check(
        layer != nullptr
            ? layer->CreateStream(Directory + fileName, Layer::ModeDefault, &m_record.sound)
            : Layer::ResultNotReady,
        "MusicComponent::LoadFromFile(), createStream(" + fileName + ")");
    AudioSystem::ReportLoadFailure(result, layer, Directory + fileName);
    m_record.fileName = fileName;
    m_record.group = audio != nullptr ? audio->GetMusicGroup() : nullptr;
    // Full volume, as for effects: the group's volume applies on top when it plays. (Taking
    // the group's volume here would leave a track loaded while muted silent for good.)
    m_record.volume = 1.0f;
    return true;
}

void MusicComponent::Start(bool paused)
{
    AudioSystem* audio = AudioSystem::Instance();
    Layer::SoundSystem* layer = audio != nullptr ? audio->GetSoundSystem() : nullptr;
    AudioSystem::Check(layer != nullptr ? layer->PlaySound(m_record.sound, true, m_record.channel)
                                        : Layer::ResultNotReady,
                       "MusicComponent::Start(), playSound");
    if (m_record.group != nullptr)
    {
        m_record.channel.SetChannelGroup(m_record.group);
        m_record.channel.SetLoopCount(LoopForever);
        m_record.channel.SetMode(Layer::ModeLoopNormal);
        m_record.channel.SetPosition(0);
        m_record.channel.SetPaused(paused);
        m_fading = false;
        m_pauseAfterFade = false;
    }
    m_record.channel.SetVolume(m_record.volume);
}

bool MusicComponent::IsPaused() const
{
    bool paused = false;
    m_record.channel.GetPaused(paused);
    return paused;
}

void MusicComponent::SetPaused(bool paused)
{
    m_record.channel.SetPaused(paused);
}

void MusicComponent::Stop()
{
    m_record.channel.Stop();
}

void MusicComponent::SetMute(bool muted)
{
    m_record.channel.SetVolume(muted ? 0.0f : m_record.volume);
}

void MusicComponent::StartFade(f32 seconds, f32 targetVolume, bool pauseAfterFade)
{
    m_fadeRemaining = seconds;
    m_fadeTarget = targetVolume;
    m_fading = true;
    m_pauseAfterFade = pauseAfterFade;
}

void MusicComponent::UpdateFade(f32 seconds)
{
    if (!m_fading)
        return;
    if (m_fadeRemaining <= 0.0f)
    {
        // Nothing left to share out: the fade ends now (a negative time never would).
        m_fading = false;
    }
    else
    {
        const f32 ratio = seconds / m_fadeRemaining;
        m_fadeRemaining -= seconds;
        if (ratio <= 1.0f)
        {
            const f32 t = std::clamp(ratio, 0.0f, 1.0f);
            m_record.volume += (m_fadeTarget - m_record.volume) * t;
            m_record.channel.SetVolume(m_record.volume);
        }
        else
        {
            m_fading = false;
        }
    }
    if (!m_fading)
        m_record.channel.SetPaused(m_pauseAfterFade);
}
} // namespace Audio
