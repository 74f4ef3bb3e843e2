#pragma once
// One sound effect held in memory, created and owned by the audio system when it handles a load
// message; it belongs to no game object. It plays once in the effect group with a pitch factor
// and does not start again while it is still playing.
#include "Audio/SoundRecord.h"
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <string>

namespace Audio
{
class SoundEffectComponent : public GameObjectComponent
{
public:
    // The folder of effect files.
    static constexpr const char* Directory = "assets/Audio/Sound Effects/";
    // The channel volume is the record's volume less (this - the effect group's volume).
    static constexpr f32 GroupVolumeBias = 0.5f;

    // Joins the audio system's effect list when there is one.
    SoundEffectComponent();
    ~SoundEffectComponent() override;
    SoundEffectComponent(const SoundEffectComponent&) = delete;
    SoundEffectComponent& operator=(const SoundEffectComponent&) = delete;

    QUILL_COMPONENT_TYPE(SoundEffectComponent)

    // Hands the component to the audio system, which destroys it.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    // Decodes the file below Directory into memory. Answers true, also when that failed
    // (reported): the effect keeps its name, and later plays report the failure.
    bool LoadFromFile(const std::string& fileName);
    void SetAudioName(const std::string& name) { m_record.audioName = name; }
    // Plays the effect at its rate times `pitch`, unless it is playing already.
    void Play(f32 pitch);

    const SoundRecord& GetRecord() const { return m_record; }

private:
    SoundRecord m_record;
};
} // namespace Audio

QUILL_DECLARE_TYPE_RECORD(Audio::SoundEffectComponent)
