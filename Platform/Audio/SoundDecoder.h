#pragma once
// Reads sound files through libsndfile, from a file or from bytes in memory. It trusts no
// header: samples are read chunk by chunk until the decoder stops, the frame count the header
// declares is only used to notice a file that ends early, and only mono or stereo data at 8 to
// 192 kHz is accepted. Samples come out as interleaved signed 16-bit values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;

namespace Audio
{
namespace Layer
{
class SoundDecoder
{
public:
    static constexpr int MinSampleRate = 8000;
    static constexpr int MaxSampleRate = 192000;
    static constexpr int MaxChannels = 2;
    // The error of OpenFile when there is no regular file at the path.
    static constexpr const char* NotFoundReason = "not found";
    // Files above this size are refused before anything is read.
    static constexpr std::uint64_t MaxFileBytes = 512ull * 1024ull * 1024ull;

    SoundDecoder();
    ~SoundDecoder();
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    // Opens a regular file. False with `error` set to the reason, which begins with what went
    // wrong: "not found", "too long", "not a sound file", "unsupported channels" or
    // "unsupported sample rate".
    bool OpenFile(const std::string& path, std::string& error);
    // Opens a copy of the bytes; the label names them in reports.
    bool OpenMemory(const void* data, std::size_t size, std::string& error);

    // Reads up to `frames` frames into `out` (room for frames x channels samples). Answers the
    // frames read; 0 at the end of the data or after a decoding error (see Failed).
    std::size_t Read(std::int16_t* out, std::size_t frames);
    // True when the last Read stopped on a decoding error rather than at the end of the data.
    bool Failed() const { return m_failed; }
    // Back to the first frame; false when the decoder cannot seek.
    bool Rewind();

    int GetChannels() const { return m_channels; }
    int GetSampleRate() const { return m_sampleRate; }
    // What the header claims, or 0 when it claims nothing usable. Never used to size anything.
    std::uint64_t GetDeclaredFrames() const { return m_declaredFrames; }
    // True when the decoder noticed, while opening, that the file holds less data than its
    // header claims (it then plays what is there).
    bool IsShorterThanHeader() const { return m_shorterThanHeader; }
    // libsndfile's text for the last failure.
    std::string GetErrorText() const;

    // Reads everything, at most maxFrames frames, into `samples`.
    std::size_t ReadAll(std::vector<std::int16_t>& samples, std::size_t maxFrames);

    // The memory the decoder reads from (public for the virtual I/O callbacks).
    struct MemorySource
    {
        std::vector<unsigned char> bytes;
        std::int64_t position = 0;
    };

private:
    bool Accept(std::string& error);
    void Close();

    sf_private_tag* m_file;
    MemorySource m_memory;
    int m_channels;
    int m_sampleRate;
    std::uint64_t m_declaredFrames;
    bool m_failed;
    bool m_shorterThanHeader;
};
} // namespace Layer
} // namespace Audio
