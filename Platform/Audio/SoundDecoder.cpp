#include "Platform/Audio/SoundDecoder.h"
#include <algorithm>
#include <cstring>
#include <sndfile.h>
#include <sys/stat.h>

namespace Audio
{
namespace Layer
{
namespace
{
// Frames read per decoder call by ReadAll.
constexpr std::size_t ChunkFrames = 4096;
// Room for libsndfile's account of the header it read.
constexpr std::size_t LogInfoBytes = 4096;
// How libsndfile's account marks a header field larger than what the file holds.
constexpr const char* HeaderOverstated = "should be";

using Memory = SoundDecoder::MemorySource;

sf_count_t MemoryLength(void* user)
{
    return static_cast<sf_count_t>(static_cast<Memory*>(user)->bytes.size());
}

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user)
{
    Memory* memory = static_cast<Memory*>(user);
    const sf_count_t size = static_cast<sf_count_t>(memory->bytes.size());
    sf_count_t target = offset;
    if (whence == SEEK_CUR)
        target = memory->position + offset;
    else if (whence == SEEK_END)
        target = size + offset;
    // Stay inside the data whatever a corrupt header asks for.
    memory->position = std::clamp<sf_count_t>(target, 0, size);
    return memory->position;
}

sf_count_t MemoryRead(void* out, sf_count_t count, void* user)
{
    Memory* memory = static_cast<Memory*>(user);
    const sf_count_t size = static_cast<sf_count_t>(memory->bytes.size());
    const sf_count_t available = std::max<sf_count_t>(0, size - memory->position);
    const sf_count_t taken = std::clamp<sf_count_t>(count, 0, available);
    if (taken > 0)
        std::memcpy(out, memory->bytes.data() + memory->position, static_cast<size_t>(taken));
    memory->position += taken;
    return taken;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t MemoryTell(void* user)
{
    return static_cast<Memory*>(user)->position;
}
} // namespace

SoundDecoder::SoundDecoder()
    : m_file(nullptr), m_channels(0), m_sampleRate(0), m_declaredFrames(0), m_failed(false),
      m_shorterThanHeader(false)
{
}

SoundDecoder::~SoundDecoder()
{
    Close();
}

void SoundDecoder::Close()
{
    if (m_file != nullptr)
        sf_close(m_file);
    m_file = nullptr;
}

bool SoundDecoder::OpenFile(const std::string& path, std::string& error)
{
    Close();
    // Only regular files: a named pipe would block the decoder, a folder cannot be read.
    struct stat status;
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
    {
        error = NotFoundReason;
        return false;
    }
    if (static_cast<std::uint64_t>(status.st_size) > MaxFileBytes)
    {
        error = "too long: the file of " + std::to_string(status.st_size) +
                " bytes is above the limit of " + std::to_string(MaxFileBytes) + " bytes";
        return false;
    }
    SF_INFO info;
    std::memset(&info, 0, sizeof(info));
    m_file = sf_open(path.c_str(), SFM_READ, &info);
    if (m_file == nullptr)
    {
        error = std::string("not a sound file (") + sf_strerror(nullptr) + ")";
        return false;
    }
    m_channels = info.channels;
    m_sampleRate = info.samplerate;
    m_declaredFrames = info.frames > 0 && info.frames != SF_COUNT_MAX
                           ? static_cast<std::uint64_t>(info.frames)
                           : 0;
    return Accept(error);
}

bool SoundDecoder::OpenMemory(const void* data, std::size_t size, std::string& error)
{
    Close();
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    m_memory.bytes.assign(bytes, bytes + size);
    m_memory.position = 0;
    SF_VIRTUAL_IO io = {&MemoryLength, &MemorySeek, &MemoryRead, &MemoryWrite, &MemoryTell};
    SF_INFO info;
    std::memset(&info, 0, sizeof(info));
    m_file = sf_open_virtual(&io, SFM_READ, &info, &m_memory);
    if (m_file == nullptr)
    {
        error = std::string("not a sound file (") + sf_strerror(nullptr) + ")";
        return false;
    }
    m_channels = info.channels;
    m_sampleRate = info.samplerate;
    m_declaredFrames = info.frames > 0 && info.frames != SF_COUNT_MAX
                           ? static_cast<std::uint64_t>(info.frames)
                           : 0;
    return Accept(error);
}

bool SoundDecoder::Accept(std::string& error)
{
    if (m_channels < 1 || m_channels > MaxChannels)
    {
        error = "unsupported channels: " + std::to_string(m_channels) +
                " channels (only mono or stereo is played)";
        Close();
        return false;
    }
    if (m_sampleRate < MinSampleRate || m_sampleRate > MaxSampleRate)
    {
        error = "unsupported sample rate: " + std::to_string(m_sampleRate) +
                " Hz is out of range (" + std::to_string(MinSampleRate) + " to " +
                std::to_string(MaxSampleRate) + " Hz)";
        Close();
        return false;
    }
    m_failed = false;
    std::vector<char> account(LogInfoBytes, '\0');
    sf_command(m_file, SFC_GET_LOG_INFO, account.data(), static_cast<int>(account.size() - 1));
    m_shorterThanHeader = std::strstr(account.data(), HeaderOverstated) != nullptr;
    return true;
}

std::size_t SoundDecoder::Read(std::int16_t* out, std::size_t frames)
{
    m_failed = false;
    if (m_file == nullptr || frames == 0)
        return 0;
    const sf_count_t read = sf_readf_short(m_file, out, static_cast<sf_count_t>(frames));
    if (read <= 0)
    {
        m_failed = sf_error(m_file) != SF_ERR_NO_ERROR;
        return 0;
    }
    return static_cast<std::size_t>(std::min<sf_count_t>(read, static_cast<sf_count_t>(frames)));
}

bool SoundDecoder::Rewind()
{
    if (m_file == nullptr)
        return false;
    return sf_seek(m_file, 0, SEEK_SET) == 0;
}

std::string SoundDecoder::GetErrorText() const
{
    return sf_strerror(m_file);
}

std::size_t SoundDecoder::ReadAll(std::vector<std::int16_t>& samples, std::size_t maxFrames)
{
    samples.clear();
    std::size_t total = 0;
    while (total < maxFrames)
    {
        const std::size_t want = std::min(ChunkFrames, maxFrames - total);
        samples.resize((total + want) * static_cast<std::size_t>(m_channels));
        const std::size_t got = Read(samples.data() + total * m_channels, want);
        total += got;
        if (got == 0)
            break;
    }
    samples.resize(total * static_cast<std::size_t>(m_channels));
    return total;
}
} // namespace Layer
} // namespace Audio
