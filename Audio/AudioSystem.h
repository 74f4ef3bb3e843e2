#pragma once
// The audio system: the sound layer's system object, the music and effect channel groups with
// their volumes and the mute state, and every loaded music track and sound effect. Requests
// arrive as messages (types 63 to 67 and 69), addressed to "AudioSystem" or to every system;
// the settings and the start-up sound list come from "System/AudioSystemScript.lua".
//
// Failures of the sound layer are handed to the engine's error sink as "Audio error: " and the
// context of the call; the system goes on with the next call. Main thread only. Reached
// through Instance(), which is null while no audio system exists.
#include "Core/SystemComponent.h"
#include "Platform/Audio/SoundSystem.h"
#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace Scripting
{
class LuaComponent;
}

namespace Audio
{
class MusicComponent;
class SoundEffectComponent;

namespace System
{
class AudioSystem : public SystemComponent
{
public:
    static constexpr const char* SystemName = "AudioSystem";
    static constexpr const char* SettingsScript = "System/AudioSystemScript.lua";
    static constexpr const char* ErrorPrefix = "Audio error: ";
    // Voices asked of the layer at start-up, and again when the first request fails.
    static constexpr int InitChannels = 2048;
    static constexpr int FallbackInitChannels = 1024;
    // The stream buffer size asked for before each music track is created.
    static constexpr u32 StreamBufferBytes = 65536;
    static constexpr u32 StreamBufferUnit = 8;
    // Script sound-list types.
    static constexpr s32 MusicEntry = 0;
    static constexpr s32 EffectEntry = 1;
    // The most entries one sound list may name: every shipped list has a dozen, and a script
    // that names billions would keep the game in its loop for ever.
    static constexpr s32 MaxSoundListEntries = 256;

    AudioSystem();
    // Destroys every music and effect component directly (not through their Shutdown, which
    // would hand them back here to be destroyed twice), then releases the layer.
    ~AudioSystem() override;
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    static AudioSystem* Instance() { return s_instance; }
    // Output for systems initialised from now on: OutputAutomatic in the game; tests ask for
    // OutputLoopback and render the mix themselves.
    static void SetOutputType(int outputType) { s_outputType = outputType; }

    const std::string& GetName() const override
    {
        static const std::string name = SystemName;
        return name;
    }
    void Update(f32 seconds) override;
    void IdleUpdate(f32) override {}
    void Initialize(u32 launchFlags) override;
    void HandleMessage(Message* message) override;
    // Music and effect components join their lists; other kinds are ignored.
    void Register(GameObjectComponent* component) override;
    // Takes a music or effect component off its list and destroys it.
    void Unregister(GameObjectComponent* component) override;
    bool RunTests(int) override { return true; }

    // Mutes or unmutes: music channels follow, then the groups go to 0 or to the stored
    // volumes, which stay as they are.
    void SetMuted(bool muted);
    bool IsMuted() const { return m_muted; }
    f32 GetMusicVolume() const { return m_musicVolume; }
    f32 GetEffectVolume() const { return m_effectVolume; }

    Layer::SoundSystem* GetSoundSystem() const { return m_soundSystem; }
    Layer::ChannelGroup* GetMusicGroup() const { return m_musicGroup; }
    Layer::ChannelGroup* GetEffectGroup() const { return m_effectGroup; }
    // The group's volume as the layer has it now (0 without a group).
    f32 GetMusicGroupVolume() const;
    f32 GetEffectGroupVolume() const;

    // The first track or effect of that audio name (exact comparison), or null.
    MusicComponent* FindMusic(const std::string& audioName) const;
    SoundEffectComponent* FindEffect(const std::string& audioName) const;
    const std::list<MusicComponent*>& GetMusicList() const { return m_music.Items(); }
    const std::list<SoundEffectComponent*>& GetEffectList() const { return m_effects.Items(); }

    // Hands "Audio error: " + context to the engine's error sink when the layer's answer is not
    // OK; answers the result. The context is a view: every sound played is checked, and its
    // literal is longer than a string keeps without the heap.
    static int Check(int result, std::string_view context);
    // Hands the text to the engine's error sink (the log when there is no engine).
    static void ReportError(const std::string& text);
    // After a failed load (result not OK): a second line "Audio error: <path> could not be
    // loaded: <reason>", the reason as the layer gave it (not found, not a sound file, too
    // long, unsupported channels or sample rate).
    static void ReportLoadFailure(int result, const Layer::SoundSystem* layer,
                                  const std::string& path);
    // Posts a load message to "AudioSystem" for every entry of the script's sound list
    // ("GetAudioCount", then "GetAudioName", "GetAudioFilename", "GetAudioType" for 1..n),
    // sent by `senderId`. Type 0 is music, type 1 an effect, anything else is skipped. A
    // negative count or one above MaxSoundListEntries is reported, and at most that many are
    // read. A call that runs past the script's budget ends the list (logged).
    static void PostSoundList(Scripting::LuaComponent& script, u32 senderId);
    // Destroys a script made by LuaComponent::Create unless the Lua system, which it joined
    // when it loaded, has destroyed it already. The pointer is null afterwards.
    static void ReleaseScript(Scripting::LuaComponent*& script);

private:
    void InitializeLayer();
    void InitializeChannels();
    static f32 ClampVolume(f32 volume);
    void SetGroupVolume(Layer::ChannelGroup* group, f32 volume);
    void HandleSystemMessage(u32 action, f32 value);
    template <class T> T* LoadSound(const std::string& fileName, const std::string& audioName);

    Layer::SoundSystem* m_soundSystem;
    Scripting::LuaComponent* m_settings;
    Layer::ChannelGroup* m_musicGroup;
    Layer::ChannelGroup* m_effectGroup;
    Core::RegisteredList<MusicComponent> m_music;
    // Update's copy of the music list, kept with its room so that a frame copies into it
    // without the heap.
    std::vector<MusicComponent*> m_fadeWalk;
    Core::RegisteredList<SoundEffectComponent> m_effects;
    f32 m_musicVolume;
    f32 m_effectVolume;
    bool m_muted;

    static AudioSystem* s_instance;
    static int s_outputType;
};
} // namespace System
} // namespace Audio
