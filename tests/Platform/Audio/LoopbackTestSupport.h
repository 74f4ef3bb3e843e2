#pragma once
// What the audio layer's tests stand on: sound files written on the spot (sine tones as WAV or
// Ogg Vorbis), a system on the loopback device that the test renders itself, and measures of
// the rendered mix (level, frequency, how long it sounds).
#include "Platform/Audio/SoundSystem.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <string>
#include <vector>

namespace LoopbackTest
{
constexpr double Pi = 3.14159265358979323846;
constexpr int Rate = Audio::Layer::SoundSystem::LoopbackRate;
// Below this a rendered sample counts as silence.
constexpr float SilenceLevel = 1e-4f;

// A mono sine tone file (format: SF_FORMAT_WAV | SF_FORMAT_PCM_16 or an Ogg Vorbis format).
inline bool WriteTone(const std::string& path, double hz, double seconds, float amplitude,
                      int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16, int rate = Rate)
{
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return false;
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = amplitude * static_cast<float>(std::sin(2.0 * Pi * hz * i / rate));
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    return true;
}

// A ramp (at most RampLength frames; mono, or stereo with the same value on both sides) whose
// every frame holds its own value, so the mix tells which frame of the file each rendered frame
// is (RampFrame) and nothing repeats or goes missing unseen. Silence is not a ramp value.
constexpr int RampLength = 5000;
constexpr int RampBase = -20001;
constexpr int RampStep = 8;

inline bool WriteRamp(const std::string& path, int frames = RampLength, int channels = 1)
{
    SF_INFO info = {};
    info.samplerate = Rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return false;
    std::vector<short> samples(static_cast<std::size_t>(frames * channels));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(RampBase + RampStep * static_cast<int>(i / channels));
    sf_writef_short(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    return true;
}

// The ramp frame a rendered sample holds, or -1 when it holds none (silence, a blend).
inline long RampFrame(float sample)
{
    const long value = std::lround(static_cast<double>(sample) * 32768.0);
    if (std::fabs(static_cast<double>(sample) * 32768.0 - static_cast<double>(value)) > 1e-3 ||
        (value - RampBase) % RampStep != 0 || value < RampBase ||
        value >= RampBase + RampStep * RampLength)
        return -1;
    return (value - RampBase) / RampStep;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The left channel of a rendered stereo stretch.
struct Mix
{
    std::vector<float> left;

    double Rms(std::size_t from = 0, std::size_t to = SIZE_MAX) const
    {
        to = std::min(to, left.size());
        double sum = 0.0;
        for (std::size_t i = from; i < to; ++i)
            sum += static_cast<double>(left[i]) * left[i];
        return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
    }
    float Peak() const
    {
        float peak = 0.0f;
        for (float sample : left)
            peak = std::max(peak, std::fabs(sample));
        return peak;
    }
    // Frequency from the rising zero crossings of the stretch that sounds.
    double Frequency() const
    {
        std::size_t first = 0;
        std::size_t last = 0;
        int crossings = 0;
        for (std::size_t i = 1; i < left.size(); ++i)
        {
            if (left[i - 1] < 0.0f && left[i] >= 0.0f)
            {
                if (crossings == 0)
                    first = i;
                last = i;
                ++crossings;
            }
        }
        return crossings > 1 ? (crossings - 1) * static_cast<double>(Rate) / (last - first) : 0.0;
    }
    // Frames from the start to the last sample above the silence level.
    std::size_t SoundingFrames() const
    {
        for (std::size_t i = left.size(); i > 0; --i)
        {
            if (std::fabs(left[i - 1]) > SilenceLevel)
                return i;
        }
        return 0;
    }
};

// A system on the loopback device, its reports collected, and a scratch folder for files.
class LoopbackSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        folder =
            std::filesystem::temp_directory_path() /
            ("quill-audio-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        Open(true);
    }
    // A fresh system whose streams play from mapped buffers where OpenAL has them, or from
    // queued buffers.
    void Open(bool mapStreams)
    {
        if (system != nullptr)
            system->Release();
        system = nullptr;
        ASSERT_EQ(Audio::Layer::SoundSystem::Create(&system), 0);
        system->SetReportFunction([this](const std::string& line) { reports.push_back(line); });
        ASSERT_EQ(system->SetOutput(Audio::Layer::OutputLoopback), 0);
        ASSERT_EQ(system->SetStreamMapping(mapStreams), 0);
        ASSERT_EQ(system->Init(64, 0), 0);
        ASSERT_TRUE(system->IsLoopback());
    }
    void TearDown() override
    {
        if (system != nullptr)
            system->Release();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    // Renders `seconds` of the mix, running Update every `updateFrames` frames as a game does.
    Mix Render(double seconds, std::size_t updateFrames = 800)
    {
        Mix mix;
        const std::size_t frames = static_cast<std::size_t>(seconds * Rate);
        std::vector<float> block(updateFrames * 2);
        for (std::size_t done = 0; done < frames; done += updateFrames)
        {
            const std::size_t chunk = std::min(updateFrames, frames - done);
            EXPECT_EQ(system->RenderLoopback(block.data(), chunk), 0);
            for (std::size_t i = 0; i < chunk; ++i)
                mix.left.push_back(block[2 * i]);
            system->Update();
        }
        return mix;
    }

    // Plays `file` as a stream that loops for ever: made paused, looping asked for, let go.
    Audio::Layer::Channel PlayLoopingStream(const std::string& file)
    {
        Audio::Layer::Sound* stream = nullptr;
        Audio::Layer::Channel channel;
        EXPECT_EQ(system->CreateStream(Path(file), Audio::Layer::ModeDefault, &stream), 0);
        EXPECT_EQ(system->PlaySound(stream, true, channel), 0);
        EXPECT_EQ(channel.SetMode(Audio::Layer::ModeLoopNormal), 0);
        EXPECT_EQ(channel.SetLoopCount(-1), 0);
        EXPECT_EQ(channel.SetPaused(false), 0);
        return channel;
    }

    Audio::Layer::Sound* LoadTone(const std::string& name, double hz, double seconds,
                                  float amplitude)
    {
        Audio::Layer::Sound* sound = nullptr;
        EXPECT_TRUE(WriteTone(Path(name), hz, seconds, amplitude));
        EXPECT_EQ(system->CreateSound(Path(name), Audio::Layer::ModeCreateSample, &sound), 0);
        return sound;
    }

    Audio::Layer::SoundSystem* system = nullptr;
    std::filesystem::path folder;
    std::vector<std::string> reports;
};
} // namespace LoopbackTest
