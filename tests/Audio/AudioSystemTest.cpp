// The audio system on the loopback device with settings scripts of the test's own.
#include "Audio/AudioSystem.h"
#include "Audio/MusicComponent.h"
#include "Audio/SoundEffectComponent.h"
#include "Core/Messages/Audio/AudioEffectMessage.h"
#include "Core/Messages/Audio/AudioFadeMessage.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/Audio/AudioSystemMessage.h"
#include "Core/Messages/Audio/LoadMusicMessage.h"
#include "Core/Messages/Audio/LoadSoundEffectMessage.h"
#include "tests/Audio/AudioTestWorld.h"

using Audio::MusicComponent;
using Audio::SoundEffectComponent;

namespace
{
constexpr const char* Sounds = R"({ "music", "tune.ogg", 0 }, { "blip", "blip.wav", 1 })";
constexpr u32 Play = 0;
constexpr u32 Toggle = 1;
constexpr u32 StopAction = 2;
constexpr u32 MuteAction = 0;
constexpr u32 MusicVolume = 1;
constexpr u32 EffectVolume = 2;
// Above this the mix is heard.
constexpr double Audible = 0.05;

class AudioSystemTest : public AudioWorldTest
{
protected:
    void SetUp() override
    {
        AudioWorldTest::SetUp();
        WriteMusic("tune.ogg", 330.0, 1.0);
        WriteEffect("blip.wav", 880.0, 0.5);
    }
};
} // namespace

TEST_F(AudioSystemTest, VolumesFromTheScriptAreClamped)
{
    Start(SettingsScript("muted = false musicVolume = 1.7 effectVolume = -0.2", Sounds));
    EXPECT_FLOAT_EQ(audio->GetMusicVolume(), 1.0f);
    EXPECT_FLOAT_EQ(audio->GetEffectVolume(), 0.0f);
    EXPECT_FLOAT_EQ(audio->GetMusicGroupVolume(), 1.0f);
    EXPECT_FLOAT_EQ(audio->GetEffectGroupVolume(), 0.0f);
    EXPECT_EQ(Audio::System::AudioSystem::Instance(), audio);
    EXPECT_FALSE(log->Contains("Audio error"));
}

TEST_F(AudioSystemTest, MuteSilencesKeepsTheVolumesAndAVolumeMessageWhileMutedActs)
{
    Start(SettingsScript("muted = false musicVolume = 0.6 effectVolume = 0.9", Sounds));
    Post(new AudioMusicMessage(0, "music", Play, 0));
    ASSERT_GT(Render(10).Rms(), Audible);

    Post(new AudioSystemMessage(0, MuteAction, 0.0f, 0));
    EXPECT_TRUE(audio->IsMuted());
    Render(2);
    EXPECT_LT(Render(10).Peak(), LoopbackTest::SilenceLevel);
    EXPECT_FLOAT_EQ(audio->GetMusicVolume(), 0.6f);
    EXPECT_FLOAT_EQ(audio->GetEffectVolume(), 0.9f);

    // The volume message sets the group at once, muted or not.
    Post(new AudioSystemMessage(0, MusicVolume, 0.3f, 0));
    EXPECT_FLOAT_EQ(audio->GetMusicGroupVolume(), 0.3f);
    Post(new AudioSystemMessage(0, EffectVolume, 2.0f, 0));
    EXPECT_FLOAT_EQ(audio->GetEffectVolume(), 1.0f);

    Post(new AudioSystemMessage(0, MuteAction, 1.0f, 0));
    EXPECT_FALSE(audio->IsMuted());
    EXPECT_FLOAT_EQ(audio->GetMusicGroupVolume(), 0.3f);
    EXPECT_FLOAT_EQ(audio->GetEffectGroupVolume(), 1.0f);
    Render(2);
    EXPECT_GT(Render(10).Rms(), Audible);
}

TEST_F(AudioSystemTest, DuplicateLoadsAndUnknownTypesAreSkipped)
{
    Start(SettingsScript("", std::string(Sounds) + R"(, { "music", "other.ogg", 0 },
                                                      { "odd", "blip.wav", 2 })"));
    EXPECT_EQ(audio->GetMusicList().size(), 1u);
    EXPECT_EQ(audio->GetEffectList().size(), 1u);
    EXPECT_EQ(audio->FindMusic("music")->GetRecord().fileName, "tune.ogg");
    EXPECT_EQ(audio->FindEffect("odd"), nullptr);
    Post(new LoadSoundEffectMessage(0, "other.wav", "blip", "AudioSystem"));
    EXPECT_EQ(audio->FindEffect("blip")->GetRecord().fileName, "blip.wav");
    // Missing globals keep their defaults (each reported by the script).
    EXPECT_FLOAT_EQ(audio->GetMusicVolume(), 1.0f);
    EXPECT_FALSE(audio->IsMuted());
}

TEST_F(AudioSystemTest, MusicStartsTogglesAndStops)
{
    Start(SettingsScript("", Sounds));
    MusicComponent* music = audio->FindMusic("music");
    ASSERT_NE(music, nullptr);
    EXPECT_FLOAT_EQ(music->GetRecord().volume, 1.0f);

    Post(new AudioMusicMessage(0, "music", Play, 0));
    EXPECT_FALSE(music->IsPaused());
    // Looped: still heard after its one second is over.
    EXPECT_GT(Render(90).Rms(LoopbackTest::Rate * 13 / 10), Audible);

    Post(new AudioMusicMessage(0, "music", Toggle, 0));
    EXPECT_TRUE(music->IsPaused());
    EXPECT_LT(Render(10).Rms(LoopbackTest::Rate / 30), LoopbackTest::SilenceLevel);
    Post(new AudioMusicMessage(0, "music", Toggle, 0));
    EXPECT_FALSE(music->IsPaused());
    EXPECT_GT(Render(10).Rms(), Audible);

    Post(new AudioMusicMessage(0, "music", StopAction, 0));
    EXPECT_LT(Render(10).Rms(LoopbackTest::Rate / 30), LoopbackTest::SilenceLevel);
    EXPECT_FALSE(music->IsPaused()) << "a stopped track has no channel to be paused";
    // Start(true), then a toggle, plays it from the start.
    music->Start(true);
    EXPECT_TRUE(music->IsPaused());
    Post(new AudioMusicMessage(0, "music", Toggle, 0));
    EXPECT_GT(Render(10).Rms(), Audible);
    EXPECT_FALSE(log->Contains("Audio error"));
}

TEST_F(AudioSystemTest, ASecondPlayIsIgnoredAndTheEffectVolumeLeansOnTheGroup)
{
    Start(SettingsScript("effectVolume = 0.3", Sounds));
    SoundEffectComponent* blip = audio->FindEffect("blip");
    ASSERT_NE(blip, nullptr);
    Post(new AudioEffectMessage(0, "blip", Play, 0));
    f32 volume = 0.0f;
    ASSERT_EQ(blip->GetRecord().channel.GetVolume(volume), 0);
    EXPECT_FLOAT_EQ(volume, 0.8f) << "1.0 - (0.5 - 0.3)";
    const LoopbackTest::Mix first = Render(6);

    const Audio::Layer::Channel channel = blip->GetRecord().channel;
    Post(new AudioEffectMessage(0, "blip", Play, 0));
    EXPECT_TRUE(blip->GetRecord().channel == channel);
    EXPECT_EQ(audio->GetSoundSystem()->GetVoicesInUse(), 1);
    // One voice at 0.8 x 0.3 of the tone's level.
    EXPECT_NEAR(Render(6).Rms(), 0.24 * 0.5 * 0.7071, 0.01);
    EXPECT_NEAR(first.Rms(LoopbackTest::Rate / 60), 0.24 * 0.5 * 0.7071, 0.01);

    // Pause and stop do not apply to effects.
    Post(new AudioEffectMessage(0, "blip", Toggle, 0));
    Post(new AudioEffectMessage(0, "blip", StopAction, 0));
    EXPECT_TRUE(log->Contains("Cannot pause an audio effect"));
    EXPECT_TRUE(log->Contains("Cannot stop an audio effect"));
    EXPECT_GT(Render(6).Rms(), Audible / 10) << "still playing";
    // Once it has finished it plays again.
    Render(30);
    Post(new AudioEffectMessage(0, "blip", Play, 0));
    EXPECT_FALSE(blip->GetRecord().channel == channel);
}

TEST_F(AudioSystemTest, AOneSecondFadeEndsWithinAStepOfItsTargetThenPauses)
{
    Start(SettingsScript("", Sounds));
    MusicComponent* music = audio->FindMusic("music");
    Post(new AudioMusicMessage(0, "music", Play, 0));
    Post(new AudioFadeMessage(0, "music", 1.0f, 0.0f, true, 0));
    ASSERT_TRUE(music->IsFading());
    f32 previous = music->GetRecord().volume;
    int steps = 0;
    while (music->IsFading() && steps < 70)
    {
        Render(1);
        EXPECT_LE(music->GetRecord().volume, previous);
        previous = music->GetRecord().volume;
        ++steps;
    }
    EXPECT_FALSE(music->IsFading());
    EXPECT_GE(steps, 60);
    EXPECT_LE(steps, 61);
    EXPECT_LT(music->GetRecord().volume, 1.0f / 60.0f + 1e-4f);
    EXPECT_TRUE(music->IsPaused());

    // A fade of no time, or of less, ends at the first step and applies its pause flag.
    music->StartFade(0.0f, 1.0f, false);
    Render(1);
    EXPECT_FALSE(music->IsFading());
    EXPECT_FALSE(music->IsPaused());
    music->StartFade(-1.0f, 1.0f, true);
    Render(1);
    EXPECT_FALSE(music->IsFading());
    EXPECT_TRUE(music->IsPaused());
}

TEST_F(AudioSystemTest, ATrackLoadedWhileMutedIsHeardAfterUnmuting)
{
    Start(SettingsScript("muted = true musicVolume = 0.7", ""));
    Post(new LoadMusicMessage(0, "tune.ogg", "late", "AudioSystem"));
    MusicComponent* late = audio->FindMusic("late");
    ASSERT_NE(late, nullptr);
    EXPECT_FLOAT_EQ(late->GetRecord().volume, 1.0f);
    Post(new AudioMusicMessage(0, "late", Play, 0));
    EXPECT_LT(Render(10).Peak(), LoopbackTest::SilenceLevel);
    Post(new AudioSystemMessage(0, MuteAction, 1.0f, 0));
    Render(2);
    EXPECT_NEAR(Render(10).Rms(), 0.7 * 0.5 * 0.7071, 0.03);
}

TEST_F(AudioSystemTest, ErrorsGoToTheErrorSinkWithTheirTexts)
{
    Start(SettingsScript("", Sounds + std::string(R"(, { "gone", "missing.wav", 1 },
                                                      { "lost", "missing.ogg", 0 })")));
    EXPECT_EQ(log->Count("Audio error: SoundEffectComponent::LoadFromFile(), "
                         "createSound(missing.wav)"),
              1u);
    EXPECT_EQ(log->Count("Audio error: MusicComponent::LoadFromFile(), createStream(missing.ogg)"),
              1u);
    // A second line names the file and the reason.
    EXPECT_EQ(log->Count("Audio error: assets/Audio/Sound Effects/missing.wav could not be "
                         "loaded: not found"),
              1u);
    EXPECT_EQ(log->Count("Audio error: assets/Audio/Music/missing.ogg could not be loaded: "
                         "not found"),
              1u);
    ASSERT_NE(audio->FindEffect("gone"), nullptr) << "kept with its name";
    Post(new AudioEffectMessage(0, "gone", Play, 0));
    EXPECT_EQ(log->Count("Audio error: SoundEffectComponent::Play(), playSound"), 1u);
    Post(new AudioMusicMessage(0, "lost", Play, 0));
    EXPECT_EQ(log->Count("Audio error: MusicComponent::Start(), playSound"), 1u);
    Post(new AudioMusicMessage(0, "nothing", Play, 0));
    Post(new AudioEffectMessage(0, "nothing either", Play, 0));
    Post(new AudioFadeMessage(0, "no fade", 1.0f, 0.0f, false, 0));
    EXPECT_TRUE(log->Contains("Could not find requested audio: nothing\n"));
    EXPECT_TRUE(log->Contains("Could not find requested audio: nothing either"));
    EXPECT_TRUE(log->Contains("Could not find requested audio: no fade"));
    // A message addressed to the system by name is handled as one sent to every system.
    Post(new LoadSoundEffectMessage(0, "blip.wav", "again", "AudioSystem"));
    EXPECT_NE(audio->FindEffect("again"), nullptr);
}

TEST_F(AudioSystemTest, AnEffectShutDownLeavesTheListAndTheRestGoWithTheSystem)
{
    Start(SettingsScript("", Sounds));
    SoundEffectComponent* blip = audio->FindEffect("blip");
    blip->Shutdown(); // hands it to Unregister, which destroys it
    EXPECT_EQ(audio->FindEffect("blip"), nullptr);
    EXPECT_EQ(audio->GetEffectList().size(), 0u);
    EXPECT_EQ(audio->GetMusicList().size(), 1u);
    // The music track goes with the system at the engine's end, destroyed once (the sanitizer
    // runs would report a second time).
}

TEST(AudioSystemShipped, TheGameLoadsEverySoundOfItsSettingsScriptWithoutAnAudioError)
{
    // Runs in the repository root, where the shipped assets lie.
    LogCapture log;
    {
        Engine engine;
        g_Engine = &engine;
        SystemFactory& factory = engine.GetSystemFactory();
        factory.Register<Core::System::MessageSystem>("MessagingSystem");
        Scripting::RegisterScripting(engine);
        Audio::RegisterAudio(engine);
        Audio::System::AudioSystem::SetOutputType(Audio::Layer::OutputLoopback);
        engine.AddSystem("ScriptingSystem");
        auto* messages =
            static_cast<Core::System::MessageSystem*>(engine.AddSystem("MessagingSystem"));
        auto* audio = static_cast<Audio::System::AudioSystem*>(engine.AddSystem("AudioSystem"));
        messages->Update(0.0f);
        EXPECT_NE(audio->FindMusic("backgroundMusicLoop"), nullptr);
        EXPECT_NE(audio->FindEffect("abilitySelect"), nullptr);
        for (const MusicComponent* music : audio->GetMusicList())
            EXPECT_NE(music->GetRecord().sound, nullptr) << music->GetRecord().fileName;
        for (const SoundEffectComponent* effect : audio->GetEffectList())
            EXPECT_NE(effect->GetRecord().sound, nullptr) << effect->GetRecord().fileName;
        Audio::System::AudioSystem::SetOutputType(Audio::Layer::OutputAutomatic);
    }
    g_Engine = nullptr;
    EXPECT_FALSE(log.Contains("Audio error")) << log.Text();
    EXPECT_FALSE(log.Contains("Audio layer")) << log.Text();
}
