#pragma once
// The stage of the audio system and response tests: an engine with its message system, the Lua
// system and the audio system on the loopback device, in a scratch folder whose "assets/" tree
// the test fills with scripts and sound files. The test renders the mix itself.
#include "Audio/AudioRegistration.h"
#include "Audio/AudioSystem.h"
#include "Platform/Audio/SoundSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "tests/Platform/Audio/LoopbackTestSupport.h"
#include "tests/Support/RecordingEngineTest.h"
#include "tests/Support/TempFiles.h"
#include <string>

class AudioWorldTest : public RecordingEngineTest
{
protected:
    static constexpr f32 FrameSeconds = 1.0f / 60.0f;
    static constexpr const char* SettingsPath = "assets/Scripts/System/AudioSystemScript.lua";

    void SetUp() override
    {
        RecordingEngineTest::SetUp();
        Scripting::RegisterScripting(*engine);
        Audio::RegisterAudio(*engine);
        Audio::System::AudioSystem::SetOutputType(Audio::Layer::OutputLoopback);
        engine->AddSystem("ScriptingSystem");
    }
    void TearDown() override
    {
        RecordingEngineTest::TearDown();
        Audio::System::AudioSystem::SetOutputType(Audio::Layer::OutputAutomatic);
    }

    // Writes the settings script and starts the audio system; the load messages it posts are
    // delivered.
    Audio::System::AudioSystem* Start(const std::string& settings)
    {
        folder.Write(SettingsPath, settings);
        audio = static_cast<Audio::System::AudioSystem*>(engine->AddSystem("AudioSystem"));
        Deliver();
        return audio;
    }
    void Deliver() { messages->Update(0.0f); }
    void Post(Message* message)
    {
        engine->SendMessage(message, 0.0f);
        Deliver();
    }

    // A sine tone as an effect (WAV) or a music track (Ogg Vorbis) below the audio folders.
    void WriteEffect(const std::string& file, double hz, double seconds, float amplitude = 0.5f)
    {
        folder.MakeFolder("assets/Audio/Sound Effects");
        ASSERT_TRUE(LoopbackTest::WriteTone(folder.Path("assets/Audio/Sound Effects/" + file), hz,
                                            seconds, amplitude));
    }
    void WriteMusic(const std::string& file, double hz, double seconds, float amplitude = 0.5f)
    {
        folder.MakeFolder("assets/Audio/Music");
        ASSERT_TRUE(LoopbackTest::WriteTone(folder.Path("assets/Audio/Music/" + file), hz, seconds,
                                            amplitude, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    }

    // Renders `frames` game frames of 1/60 s, updating the audio system after each.
    LoopbackTest::Mix Render(int frames)
    {
        LoopbackTest::Mix mix;
        const std::size_t perFrame = LoopbackTest::Rate / 60;
        std::vector<float> block(perFrame * 2);
        for (int frame = 0; frame < frames; ++frame)
        {
            audio->GetSoundSystem()->RenderLoopback(block.data(), perFrame);
            for (std::size_t i = 0; i < perFrame; ++i)
                mix.left.push_back(block[2 * i]);
            audio->Update(FrameSeconds);
        }
        return mix;
    }

    TempFolder folder{"quill-audio"};
    Audio::System::AudioSystem* audio = nullptr;
};

// A settings script: the globals given and a sound list of { name, file, type } rows.
inline std::string SettingsScript(const std::string& globals, const std::string& rows)
{
    return globals + "\nlocal sounds = {" + rows +
           "}\n"
           "function GetAudioCount() return #sounds end\n"
           "function GetAudioName(i) return sounds[i][1] end\n"
           "function GetAudioFilename(i) return sounds[i][2] end\n"
           "function GetAudioType(i) return sounds[i][3] end\n"
           "function Update(dt) end\n";
}
