#include "tests/Platform/Audio/Fuzz/SoundFileFuzzHarness.h"
#include "Platform/Audio/SoundSystem.h"
#include <cstdlib>
#include <vector>

namespace
{
// Rendered per input: enough for a few stream buffers to run out and be refilled.
constexpr std::size_t RenderFrames = 1024;
constexpr int RenderRounds = 6;
// Small stream buffers, so that short inputs still loop within the rounds.
constexpr std::uint32_t StreamBufferBytes = 4096;

Audio::Layer::SoundSystem* s_system = nullptr;

// The output device is closed at the end of the process, before OpenAL cleans up.
void ReleaseSystem()
{
    if (s_system != nullptr)
        s_system->Release();
    s_system = nullptr;
}

Audio::Layer::SoundSystem* System()
{
    if (s_system == nullptr)
    {
        Audio::Layer::SoundSystem* made = nullptr;
        Audio::Layer::SoundSystem::Create(&made);
        made->SetReportFunction([](const std::string&) {});
        made->SetOutput(Audio::Layer::OutputLoopback);
        made->Init(Audio::Layer::SoundSystem::VoiceCount, 0);
        made->SetStreamBufferSize(StreamBufferBytes, 1);
        s_system = made;
        std::atexit(&ReleaseSystem);
    }
    return s_system;
}

void Mix(Audio::Layer::SoundSystem& system)
{
    static std::vector<float> out(RenderFrames * 2);
    for (int round = 0; round < RenderRounds; ++round)
    {
        system.RenderLoopback(out.data(), RenderFrames);
        system.Update();
    }
}
} // namespace

void RunSoundFileFuzzInput(const std::uint8_t* data, std::size_t size)
{
    Audio::Layer::SoundSystem& system = *System();
    Audio::Layer::Sound* sound = nullptr;
    Audio::Layer::Channel channel;
    if (system.CreateSoundFromMemory(data, size, "fuzz input", &sound) == 0)
    {
        if (system.PlaySound(sound, false, channel) == 0)
            channel.SetFrequency(2.0f * static_cast<float>(sound->GetSampleRate()));
        Mix(system);
        sound->Release();
    }
    if (system.CreateStreamFromMemory(data, size, "fuzz input", &sound) == 0)
    {
        if (system.PlaySound(sound, false, channel) == 0)
        {
            channel.SetLoopCount(-1);
            channel.SetMode(Audio::Layer::ModeLoopNormal);
        }
        Mix(system);
        channel.SetPosition(1);
        Mix(system);
        sound->Release();
    }
}
