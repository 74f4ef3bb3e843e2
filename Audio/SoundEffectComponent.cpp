#include "Audio/SoundEffectComponent.h"
#include "Audio/AudioSystem.h"
#include "Core/Assets/AssetPath.h"
#include "Core/Components/SystemRegistration.h"
#include "Platform/Audio/SoundSystem.h"
#include <algorithm>

QUILL_DEFINE_TYPE_RECORD(Audio::SoundEffectComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Audio
{
using System::AudioSystem;

SoundEffectComponent::SoundEffectComponent() : GameObjectComponent(true), m_record()
{
    Core::RegisterWithSystem(AudioSystem::SystemName, this);
}

SoundEffectComponent::~SoundEffectComponent()
{
    // The audio system destroys its components itself, so leaving its list is its business.
    m_record.Release();
}

void SoundEffectComponent::Shutdown()
{
    Core::UnregisterFromSystem(AudioSystem::SystemName, this);
}

bool SoundEffectComponent::LoadFromFile(const std::string& fileName)
{
    m_record.Release();
    m_record = SoundRecord();
    // A name that climbs out of the folder keeps the component silent, as a missing file does.
    if (!Core::CheckAssetPath("AudioSystem", "sound effect", fileName))
    {
        m_record.fileName = fileName;
        return false;
    }
    AudioSystem* audio = AudioSystem::Instance();
    Layer::SoundSystem* layer = audio != nullptr ? audio->GetSoundSystem() : nullptr;
    const int result = AudioSystem::Check(
        layer != nullptr
            ? layer->CreateSound(Directory + fileName, Layer::ModeCreateSample, &m_record.sound)
            : Layer::ResultNotReady,
        "SoundEffectComponent::LoadFromFile(), createSound(" + fileName + ")");
    AudioSystem::ReportLoadFailure(result, layer, Directory + fileName);
    m_record.fileName = fileName;
    m_record.group = audio != nullptr ? audio->GetEffectGroup() : nullptr;
    m_record.volume = 1.0f;
    return true;
}

void SoundEffectComponent::Play(f32 pitch)
{
    bool playing = false;
    m_record.channel.IsPlaying(playing);
    if (playing)
        return;
    AudioSystem* audio = AudioSystem::Instance();
    Layer::SoundSystem* layer = audio != nullptr ? audio->GetSoundSystem() : nullptr;
    AudioSystem::Check(layer != nullptr ? layer->PlaySound(m_record.sound, true, m_record.channel)
                                        : Layer::ResultNotReady,
                       "SoundEffectComponent::Play(), playSound");
    if (m_record.group != nullptr)
        m_record.channel.SetChannelGroup(m_record.group);
    const f32 groupVolume = audio != nullptr ? audio->GetEffectGroupVolume() : 0.0f;
    const f32 volume = std::clamp(m_record.volume - (GroupVolumeBias - groupVolume), 0.0f, 1.0f);
    m_record.channel.SetVolume(volume);
    f32 frequency = 0.0f;
    m_record.channel.GetFrequency(frequency);
    m_record.channel.SetFrequency(frequency * pitch);
    m_record.channel.SetPaused(false);
}
} // namespace Audio
