#pragma once
// One streamed music track, created and owned by the audio system when it handles a load
// message; it belongs to no game object. It plays looped in the music group and can be paused,
// stopped and faded. A fade moves the record's volume toward the target a step each update:
// each step covers dt / remaining of the way, and the step in which the remaining time is
// shorter than the frame ends the fade without a last change; a fade of 0 s or less ends at
// the first step. When a fade ends the channel pauses or plays as the fade asked.
#include "Audio/SoundRecord.h"
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <string>

namespace Audio
{
class MusicComponent : public GameObjectComponent
{
public:
    // The folder of music files.
    static constexpr const char* Directory = "assets/Audio/Music/";

    // Joins the audio system's music list when there is one.
    MusicComponent();
    ~MusicComponent() override;
    MusicComponent(const MusicComponent&) = delete;
    MusicComponent& operator=(const MusicComponent&) = delete;

    QUILL_COMPONENT_TYPE(MusicComponent)

    // Hands the component to the audio system, which destroys it.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    // Creates the stream of the file below Directory. Answers true, also when the stream could
    // not be made (reported): the track keeps its name, and later plays report the failure.
    bool LoadFromFile(const std::string& fileName);
    void SetAudioName(const std::string& name) { m_record.audioName = name; }

    // Plays from the start on a new channel in the music group, looped.
    void Start(bool paused);
    bool IsPaused() const;
    void SetPaused(bool paused);
    void Stop();
    // Channel volume 0 while muted, the record's volume otherwise.
    void SetMute(bool muted);
    void StartFade(f32 seconds, f32 targetVolume, bool pauseAfterFade);
    void UpdateFade(f32 seconds);

    const SoundRecord& GetRecord() const { return m_record; }
    bool IsFading() const { return m_fading; }

private:
    SoundRecord m_record;
    f32 m_fadeRemaining;
    f32 m_fadeTarget;
    bool m_fading;
    bool m_pauseAfterFade;
};
} // namespace Audio

QUILL_DECLARE_TYPE_RECORD(Audio::MusicComponent)
