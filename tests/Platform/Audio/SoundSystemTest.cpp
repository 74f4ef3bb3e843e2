// The audio layer on the loopback device: what it mixes, how handles age, how it treats bad
// files, and its fall-back to the silent device.
#include "Platform/Audio/SoundSystem.h"
#include "tests/Platform/Audio/LoopbackTestSupport.h"
#include <AL/al.h>
#include <chrono>
#include <fstream>
#include <thread>

using namespace Audio::Layer;
using LoopbackTest::LoopbackSystemTest;
using LoopbackTest::Mix;
using LoopbackTest::RampLength;
using LoopbackTest::Rate;

namespace
{
constexpr double ToneHz = 440.0;
constexpr float ToneAmplitude = 0.5f;
// A mono sound is not placed: each speaker gets it at its full level.
constexpr double SineRms = 0.7071067811865476;

// How far the mix, from `from` on, holds the ramp's frames first, first + 1, ... (around the ramp's
// end to its start): the index of the first frame that does not, or the mix's size.
std::size_t RampRunsTo(const Mix& mix, std::size_t from, long first)
{
    for (std::size_t i = from; i < mix.left.size(); ++i)
    {
        if (LoopbackTest::RampFrame(mix.left[i]) !=
            (first + static_cast<long>(i - from)) % RampLength)
            return i;
    }
    return mix.left.size();
}
} // namespace

TEST_F(LoopbackSystemTest, EffectSoundsAtItsLevelAndPitchAndAnOctaveUpAtPitchTwo)
{
    Sound* tone = LoadTone("tone.wav", ToneHz, 0.2, ToneAmplitude);
    ASSERT_NE(tone, nullptr);
    EXPECT_EQ(tone->GetSampleRate(), Rate);

    Channel channel;
    ASSERT_EQ(system->PlaySound(tone, false, channel), 0);
    float frequency = 0.0f;
    ASSERT_EQ(channel.GetFrequency(frequency), 0);
    EXPECT_FLOAT_EQ(frequency, static_cast<float>(Rate));
    const Mix plain = Render(0.4);
    EXPECT_NEAR(plain.Rms(Rate / 20, Rate / 10), ToneAmplitude * SineRms, 0.01);
    EXPECT_NEAR(plain.Peak(), ToneAmplitude, 0.01);
    EXPECT_NEAR(plain.Frequency(), ToneHz, 2.0);
    EXPECT_NEAR(static_cast<double>(plain.SoundingFrames()), 0.2 * Rate, 0.01 * Rate);
    bool playing = true;
    EXPECT_EQ(channel.IsPlaying(playing), ResultInvalidHandle) << "the voice has finished";
    EXPECT_FALSE(playing);

    ASSERT_EQ(system->PlaySound(tone, true, channel), 0);
    ASSERT_EQ(channel.SetFrequency(frequency * 2.0f), 0);
    ASSERT_EQ(channel.SetPaused(false), 0);
    const Mix octave = Render(0.4);
    EXPECT_NEAR(octave.Frequency(), 2.0 * ToneHz, 4.0);
    EXPECT_NEAR(static_cast<double>(octave.SoundingFrames()), 0.1 * Rate, 0.01 * Rate);
    EXPECT_NEAR(octave.Rms(0, Rate / 20), plain.Rms(0, Rate / 20), 0.05 * plain.Rms(0, Rate / 20));
}

TEST_F(LoopbackSystemTest, LevelFollowsChannelTimesGroupVolumeAndAMutedGroupIsSilent)
{
    Sound* tone = LoadTone("tone.wav", ToneHz, 1.0, ToneAmplitude);
    ChannelGroup* group = nullptr;
    ASSERT_EQ(system->CreateChannelGroup(&group), 0);

    Channel channel;
    ASSERT_EQ(system->PlaySound(tone, false, channel), 0);
    ASSERT_EQ(channel.SetChannelGroup(group), 0);
    const double full = Render(0.1).Rms();
    ASSERT_GT(full, 0.1);

    ASSERT_EQ(channel.SetVolume(0.5f), 0);
    ASSERT_EQ(group->SetVolume(0.4f), 0);
    Render(0.02); // the mixer eases into a new gain
    EXPECT_NEAR(Render(0.1).Rms() / full, 0.2, 0.01);

    ASSERT_EQ(group->SetVolume(0.0f), 0);
    Render(0.02);
    EXPECT_LT(Render(0.1).Peak(), LoopbackTest::SilenceLevel);
    bool playing = false;
    EXPECT_EQ(channel.IsPlaying(playing), 0);
    EXPECT_TRUE(playing) << "a silent voice still exists";
}

TEST_F(LoopbackSystemTest, MusicLoopsPastItsEndAndStopSilencesIt)
{
    ASSERT_TRUE(LoopbackTest::WriteTone(Path("loop.ogg"), ToneHz, 0.3, ToneAmplitude,
                                        SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    Sound* music = nullptr;
    ASSERT_EQ(system->SetStreamBufferSize(8192, 8), 0);
    ASSERT_EQ(system->CreateStream(Path("loop.ogg"), ModeDefault, &music), 0);
    ASSERT_TRUE(music->IsStream());

    Channel channel;
    ASSERT_EQ(system->PlaySound(music, true, channel), 0);
    ASSERT_EQ(channel.SetLoopCount(-1), 0);
    ASSERT_EQ(channel.SetMode(ModeLoopNormal), 0);
    ASSERT_EQ(channel.SetPosition(0), 0);
    ASSERT_EQ(channel.SetPaused(false), 0);
    const Mix looped = Render(1.5);
    // Still sounding after five lengths of the track.
    EXPECT_GT(looped.Rms(Rate * 13 / 10, Rate * 3 / 2), 0.1);
    EXPECT_NEAR(looped.Frequency(), ToneHz, 3.0);

    ASSERT_EQ(channel.Stop(), 0);
    EXPECT_LT(Render(0.2).Rms(Rate / 20), LoopbackTest::SilenceLevel);
    EXPECT_EQ(channel.SetPaused(false), ResultInvalidHandle);

    // Played again, a stream restarts on its one voice and the older handle is stale.
    Channel first;
    Channel second;
    ASSERT_EQ(system->PlaySound(music, false, first), 0);
    ASSERT_EQ(system->PlaySound(music, false, second), 0);
    EXPECT_EQ(first.SetVolume(0.5f), ResultInvalidHandle);
    EXPECT_EQ(system->GetVoicesInUse(), 1);
    Render(0.1);
    EXPECT_EQ(second.Stop(), 0);
}

TEST_F(LoopbackSystemTest, AStaleHandleFailsWithoutTouchingTheNewerVoice)
{
    Sound* blip = LoadTone("blip.wav", ToneHz, 0.05, ToneAmplitude);
    Sound* tone = LoadTone("tone.wav", ToneHz, 1.0, ToneAmplitude);

    Channel old;
    ASSERT_EQ(system->PlaySound(blip, false, old), 0);
    Render(0.1);
    Channel newer;
    ASSERT_EQ(system->PlaySound(tone, false, newer), 0);

    EXPECT_EQ(old.Stop(), ResultInvalidHandle);
    EXPECT_EQ(old.SetVolume(0.0f), ResultInvalidHandle);
    EXPECT_EQ(old.SetPaused(true), ResultInvalidHandle);
    EXPECT_EQ(Channel().Stop(), ResultInvalidHandle) << "a null handle";
    bool playing = false;
    EXPECT_EQ(newer.IsPlaying(playing), 0);
    EXPECT_TRUE(playing);
    EXPECT_GT(Render(0.1).Rms(), 0.1);

    // Paused, the voice still exists.
    ASSERT_EQ(newer.SetPaused(true), 0);
    EXPECT_EQ(newer.IsPlaying(playing), 0);
    EXPECT_TRUE(playing);
    EXPECT_LT(Render(0.1).Rms(Rate / 50), LoopbackTest::SilenceLevel);
}

TEST_F(LoopbackSystemTest, ASoundReleasedAfterItPlayedOutLeavesItsVoiceToTheNext)
{
    // A voice keeps the samples of the sound it played; releasing that sound must take them
    // off before they are deleted, and the next sound must play whole on the voice.
    Sound* blip = LoadTone("blip.wav", ToneHz, 0.05, ToneAmplitude);
    Sound* tone = LoadTone("tone.wav", 2.0 * ToneHz, 0.2, ToneAmplitude);
    Channel channel;
    ASSERT_EQ(system->PlaySound(blip, false, channel), 0);
    Render(0.1);
    EXPECT_EQ(system->GetVoicesInUse(), 0);
    alGetError();
    ASSERT_EQ(blip->Release(), 0);
    EXPECT_EQ(alGetError(), AL_NO_ERROR) << "the samples were deleted while still on a voice";
    ASSERT_EQ(system->PlaySound(tone, false, channel), 0);
    const Mix mix = Render(0.3);
    EXPECT_NEAR(mix.Frequency(), 2.0 * ToneHz, 4.0);
    EXPECT_NEAR(static_cast<double>(mix.SoundingFrames()), 0.2 * Rate, 0.01 * Rate);
    EXPECT_TRUE(reports.empty()) << reports.front();
}

TEST_F(LoopbackSystemTest, VoicesRunOutAtSixtyFour)
{
    Sound* tone = LoadTone("tone.wav", ToneHz, 1.0, 0.01f);
    Channel channel;
    for (int i = 0; i < SoundSystem::VoiceCount; ++i)
        ASSERT_EQ(system->PlaySound(tone, false, channel), 0) << i;
    EXPECT_EQ(system->PlaySound(tone, false, channel), ResultNoFreeVoice);
    EXPECT_EQ(channel.Stop(), 0) << "the last voice that started";
    EXPECT_EQ(system->PlaySound(tone, false, channel), 0);
}

TEST_F(LoopbackSystemTest, TruncatedAndGarbageFilesGiveOneLineEachAndSilence)
{
    ASSERT_TRUE(LoopbackTest::WriteTone(Path("whole.wav"), ToneHz, 0.2, ToneAmplitude));
    const std::string whole = LoopbackTest::ReadBytes(Path("whole.wav"));
    LoopbackTest::WriteBytes(Path("cut.wav"), whole.substr(0, whole.size() / 2));

    Sound* cut = nullptr;
    ASSERT_EQ(system->CreateSound(Path("cut.wav"), ModeCreateSample, &cut), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("cut.wav"), std::string::npos) << reports[0];
    Channel channel;
    ASSERT_EQ(system->PlaySound(cut, false, channel), 0);
    const Mix mix = Render(0.3);
    EXPECT_NEAR(static_cast<double>(mix.SoundingFrames()), 0.1 * Rate, 0.01 * Rate);

    // A stream cut short says so once and then loops what it has.
    Sound* stream = nullptr;
    ASSERT_EQ(system->CreateStream(Path("cut.wav"), ModeDefault, &stream), 0);
    ASSERT_EQ(system->PlaySound(stream, false, channel), 0);
    ASSERT_EQ(channel.SetMode(ModeLoopNormal), 0);
    ASSERT_EQ(channel.SetLoopCount(-1), 0);
    EXPECT_GT(Render(1.0).Rms(Rate * 8 / 10), 0.1);
    EXPECT_EQ(reports.size(), 2u);

    // Garbage is refused with a result, and nothing plays.
    reports.clear();
    LoopbackTest::WriteBytes(Path("garbage.wav"), "RIFF\x10\0\0\0WAVEjunkjunkjunkjunk");
    Sound* garbage = reinterpret_cast<Sound*>(&channel);
    EXPECT_EQ(system->CreateSound(Path("garbage.wav"), ModeCreateSample, &garbage), ResultFormat);
    EXPECT_EQ(garbage, nullptr);
    EXPECT_EQ(system->CreateStream(Path("missing.ogg"), ModeDefault, &garbage), ResultFileNotFound);
    EXPECT_EQ(system->CreateSound(folder.string(), ModeCreateSample, &garbage), ResultFileNotFound)
        << "a folder is not a regular file";
    EXPECT_EQ(system->PlaySound(garbage, false, channel), ResultInvalidHandle);
    EXPECT_TRUE(reports.empty());
}

TEST(SoundSystem, WithoutADeviceItFallsBackToTheSilentOneWhereEffectsEnd)
{
    SoundSystem* system = nullptr;
    ASSERT_EQ(SoundSystem::Create(&system), 0);
    std::vector<std::string> reports;
    system->SetReportFunction([&reports](const std::string& line) { reports.push_back(line); });
    ASSERT_EQ(system->SetOutputDevice("No Such Sound Card"), 0);
    ASSERT_EQ(system->Init(64, 0), 0);
    EXPECT_TRUE(system->IsLoopback());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("No Such Sound Card"), std::string::npos);

    const std::string path =
        (std::filesystem::temp_directory_path() / "quill-silent-device-blip.wav").string();
    ASSERT_TRUE(LoopbackTest::WriteTone(path, ToneHz, 0.05, ToneAmplitude));
    Sound* blip = nullptr;
    ASSERT_EQ(system->CreateSound(path, ModeCreateSample, &blip), 0);
    std::remove(path.c_str());
    Channel channel;
    ASSERT_EQ(system->PlaySound(blip, false, channel), 0);
    bool playing = false;
    // The silent device renders by the wall clock: the effect ends by itself.
    for (int frame = 0; frame < 100; ++frame)
    {
        system->Update();
        if (channel.IsPlaying(playing) != 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(playing);
    EXPECT_EQ(system->GetVoicesInUse(), 0);
    system->Release();
}

TEST_F(LoopbackSystemTest, AStreamSurvivesAnUnderrunAndOneThatYieldsNothingStops)
{
    ASSERT_TRUE(LoopbackTest::WriteTone(Path("long.wav"), ToneHz, 2.0, ToneAmplitude));
    ASSERT_EQ(system->SetStreamBufferSize(8192, 8), 0);
    Sound* stream = nullptr;
    ASSERT_EQ(system->CreateStream(Path("long.wav"), ModeDefault, &stream), 0);
    Channel channel;
    ASSERT_EQ(system->PlaySound(stream, false, channel), 0);
    // Four buffers of 4096 frames are queued: a long stretch without Update runs them dry.
    const Mix starved = Render(0.6, static_cast<std::size_t>(0.6 * Rate));
    EXPECT_LT(starved.Rms(Rate / 2), LoopbackTest::SilenceLevel);
    bool playing = false;
    EXPECT_EQ(channel.IsPlaying(playing), 0) << "an underrun does not end the stream";
    EXPECT_GT(Render(0.2).Rms(Rate / 20), 0.1) << "Update refilled it and it plays on";

    // A file with a header and no samples: the stream stops at once, looped or not.
    ASSERT_TRUE(LoopbackTest::WriteTone(Path("empty.wav"), ToneHz, 0.0, ToneAmplitude));
    ASSERT_EQ(system->CreateStream(Path("empty.wav"), ModeDefault, &stream), 0);
    ASSERT_EQ(system->PlaySound(stream, true, channel), 0);
    ASSERT_EQ(channel.SetMode(ModeLoopNormal), 0);
    ASSERT_EQ(channel.SetLoopCount(-1), 0);
    ASSERT_EQ(channel.SetPaused(false), 0);
    Render(0.05);
    EXPECT_EQ(channel.IsPlaying(playing), ResultInvalidHandle);
    EXPECT_TRUE(reports.empty());
    Sound* sample = nullptr;
    EXPECT_EQ(system->CreateSound(Path("empty.wav"), ModeCreateSample, &sample), ResultFormat);
}

TEST_F(LoopbackSystemTest, OnlyMonoOrStereoFrom8To192KHzIsTakenAndEffectsAreCutAtAMinute)
{
    Sound* sound = nullptr;
    ASSERT_TRUE(LoopbackTest::WriteTone(Path("low.wav"), 100.0, 0.1, ToneAmplitude,
                                        SF_FORMAT_WAV | SF_FORMAT_PCM_16, 4000));
    EXPECT_EQ(system->CreateSound(Path("low.wav"), ModeCreateSample, &sound), ResultFormat);
    EXPECT_EQ(system->GetLastFailure().rfind("unsupported sample rate: 4000 Hz", 0), 0u)
        << system->GetLastFailure();
    SF_INFO info = {};
    info.samplerate = Rate;
    info.channels = 3;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(Path("three.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    const std::vector<short> frames(3 * 100, 1000);
    sf_writef_short(file, frames.data(), 100);
    sf_close(file);
    EXPECT_EQ(system->CreateSound(Path("three.wav"), ModeCreateSample, &sound), ResultFormat);
    EXPECT_EQ(system->GetLastFailure().rfind("unsupported channels: 3 channels", 0), 0u)
        << system->GetLastFailure();
    EXPECT_EQ(system->CreateStream(Path("none.wav"), 0, &sound), ResultFileNotFound);
    EXPECT_EQ(system->GetLastFailure(), "not found");
    std::ofstream(Path("text.wav")) << "just some words, no sound at all";
    EXPECT_EQ(system->CreateSound(Path("text.wav"), ModeCreateSample, &sound), ResultFormat);
    EXPECT_EQ(system->GetLastFailure().rfind("not a sound file (", 0), 0u)
        << system->GetLastFailure();

    constexpr int LowestRate = 8000;
    ASSERT_TRUE(LoopbackTest::WriteTone(Path("long.wav"), 100.0, 61.0, ToneAmplitude,
                                        SF_FORMAT_WAV | SF_FORMAT_PCM_16, LowestRate));
    ASSERT_EQ(system->CreateSound(Path("long.wav"), ModeCreateSample, &sound), 0);
    EXPECT_EQ(sound->GetFrames(), static_cast<std::uint64_t>(SoundSystem::MaxSampleSeconds) *
                                      static_cast<std::uint64_t>(LowestRate));
    EXPECT_TRUE(reports.empty()) << "a cut is no fault of the file";
}

TEST_F(LoopbackSystemTest, AStreamPlaysEveryFrameOnceInOrderAcrossLoopsPausesAndRestarts)
{
    ASSERT_TRUE(LoopbackTest::WriteRamp(Path("ramp.wav")));
    for (const bool mapped : {true, false})
    {
        SCOPED_TRACE(mapped ? "streams on mapped buffers" : "streams on queued buffers");
        Open(mapped);
        // Segments of 2048 frames: the ramp ends inside one, and a second of the mix goes
        // round four of them almost six times.
        ASSERT_EQ(system->SetStreamBufferSize(4096, 8), 0);
        // Looping is asked for after the first segments were filled up to the ramp's end.
        Channel channel = PlayLoopingStream("ramp.wav");
        const Mix looped = Render(1.0);
        EXPECT_EQ(RampRunsTo(looped, 0, 0), looped.left.size());
        // Updates further apart than a segment.
        const Mix sparse = Render(0.5, 3000);
        EXPECT_EQ(RampRunsTo(sparse, 0, Rate % RampLength), sparse.left.size());

        // Paused it is silent, and it goes on from the frame it stopped at.
        ASSERT_EQ(channel.SetPaused(true), 0);
        EXPECT_LT(Render(0.1).Peak(), LoopbackTest::SilenceLevel);
        ASSERT_EQ(channel.SetPaused(false), 0);
        const Mix resumed = Render(0.3);
        EXPECT_EQ(RampRunsTo(resumed, 0, (Rate * 3 / 2) % RampLength), resumed.left.size());

        // Started again 50 ms in.
        ASSERT_EQ(channel.SetPosition(50), 0);
        const Mix restarted = Render(0.3);
        EXPECT_EQ(RampRunsTo(restarted, 0, Rate / 20), restarted.left.size());
        EXPECT_TRUE(reports.empty()) << reports.front();
    }
}

TEST_F(LoopbackSystemTest, AStreamThatEndsPlaysEachPassOnceThenItsVoiceRetires)
{
    ASSERT_TRUE(LoopbackTest::WriteRamp(Path("mono.wav")));
    ASSERT_TRUE(LoopbackTest::WriteRamp(Path("stereo.wav"), RampLength, 2));
    for (const bool mapped : {true, false})
    {
        SCOPED_TRACE(mapped ? "streams on mapped buffers" : "streams on queued buffers");
        Open(mapped);
        // Mono, then stereo on the voice the mono stream left.
        for (const int channels : {1, 2})
        {
            SCOPED_TRACE(channels == 1 ? "mono" : "stereo");
            // Segments of 512 frames (mono) and 1024 (stereo: the voice's buffer takes another
            // size): each pass goes round the four of them more than once.
            ASSERT_EQ(system->SetStreamBufferSize(1024u * channels * channels, 8), 0);
            Sound* stream = nullptr;
            ASSERT_EQ(system->CreateStream(Path(channels == 1 ? "mono.wav" : "stereo.wav"),
                                           ModeDefault, &stream),
                      0);
            Channel channel;
            ASSERT_EQ(system->PlaySound(stream, true, channel), 0);
            ASSERT_EQ(channel.SetMode(ModeLoopNormal), 0);
            ASSERT_EQ(channel.SetLoopCount(2), 0);
            ASSERT_EQ(channel.SetPaused(false), 0);
            const Mix mix = Render(0.5);
            EXPECT_EQ(RampRunsTo(mix, 0, 0), static_cast<std::size_t>(3 * RampLength))
                << "two loops after the first pass";
            EXPECT_EQ(mix.SoundingFrames(), static_cast<std::size_t>(3 * RampLength))
                << "silence after the last frame";
            bool playing = true;
            EXPECT_EQ(channel.IsPlaying(playing), ResultInvalidHandle) << "the voice retired";
            EXPECT_EQ(system->GetVoicesInUse(), 0);

            // Played again, it starts from its first frame on a voice.
            ASSERT_EQ(system->PlaySound(stream, false, channel), 0);
            const Mix again = Render(0.2);
            EXPECT_EQ(RampRunsTo(again, 0, 0), static_cast<std::size_t>(RampLength));
            EXPECT_EQ(system->GetVoicesInUse(), 0);
        }
        EXPECT_TRUE(reports.empty()) << reports.front();
    }
}
