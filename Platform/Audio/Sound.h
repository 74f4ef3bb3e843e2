#pragma once
// One sound of the audio layer: either a sample decoded whole into an OpenAL buffer (effects)
// or a stream that keeps its decoder open and is fed to its voice a few buffers at a time
// (music). Made by SoundSystem::CreateSound / CreateStream, released with Release.
#include "Platform/Audio/SoundDecoder.h"
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Audio
{
namespace Layer
{
class SoundSystem;

class Sound
{
public:
    // Stops every voice that plays the sound and frees it; the pointer is invalid afterwards.
    int Release();

    bool IsStream() const { return m_stream; }
    int GetChannels() const { return m_channels; }
    int GetSampleRate() const { return m_sampleRate; }
    // Frames held in memory (samples) or decoded in the first pass so far (streams).
    std::uint64_t GetFrames() const { return m_frames; }
    // The file name or memory label reports use.
    const std::string& GetLabel() const { return m_label; }

private:
    friend class SoundSystem;
    Sound(SoundSystem& system, std::string label, bool stream);
    ~Sound();

    SoundSystem& m_system;
    std::string m_label;
    bool m_stream;
    int m_channels;
    int m_sampleRate;
    std::uint64_t m_frames;
    // A sample's OpenAL buffer.
    unsigned int m_buffer;
    // A stream's decoder and the one voice it may have (-1 for none).
    std::unique_ptr<SoundDecoder> m_decoder;
    int m_streamVoice;
    // Frames per stream buffer, and the samples of the buffer being filled.
    std::size_t m_bufferFrames;
    std::vector<std::int16_t> m_pcm;
    // A stream's failure or early end is reported once per sound.
    bool m_reported;
};
} // namespace Layer
} // namespace Audio
