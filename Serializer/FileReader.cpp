#include "Serializer/FileReader.h"
#include "Core/Assets/FileSystem.h"
#include "Core/Log.h"
#include "Platform/RegularFile.h"
#include <cerrno>
#include <cstring>
#include <limits>

namespace
{
u32 DecodeLittleEndian(const unsigned char bytes[4])
{
    return static_cast<u32>(bytes[0]) | (static_cast<u32>(bytes[1]) << 8) |
           (static_cast<u32>(bytes[2]) << 16) | (static_cast<u32>(bytes[3]) << 24);
}
} // namespace

FileReader::FileReader(const std::string& path)
    : m_bufferSize(0), m_chunk{0, 0}, m_chunkPosition(0), m_nextChunkPosition(0), m_open(false),
      m_failed(false), m_hasChunk(false)
{
    const std::string normalized = Serializer::NormalizePath(path);
    // Only a regular file is opened: a folder has no bytes to give and a named pipe or device
    // would block the open or the reads.
    std::string reason;
    if (Serializer::CheckRegularFile(normalized, MaxFileBytes, reason))
    {
        m_file.open(normalized, std::ios::in | std::ios::binary);
        if (!m_file.is_open())
            reason = Serializer::DescribeFileError(errno);
    }
    m_open = m_file.is_open();
    if (!m_open)
    {
        Core::Log() << "Error [FileReader]: Failed to open file (" << path << ")\n";
        Core::Log() << "Error [FileReader]: " << path << ": " << reason << '\n';
    }
}

FileReader::~FileReader() = default;

bool FileReader::Fail()
{
    m_failed = true;
    return false;
}

bool FileReader::ReadAll(char*& buffer)
{
    buffer = nullptr;
    m_buffer.reset();
    m_bufferSize = 0;
    if (!m_open)
        return false;

    // Reading the whole file does not depend on where earlier reads stopped.
    m_failed = false;
    m_hasChunk = false;
    m_file.clear();
    m_file.seekg(0, std::ios::end);
    const std::streamoff length = m_file.tellg();
    // The size is kept as a u32 with room for the terminating zero.
    if (length < 0 || static_cast<u64>(length) >= std::numeric_limits<u32>::max())
        return Fail();
    m_file.seekg(0, std::ios::beg);

    std::unique_ptr<char[]> data(new char[static_cast<std::size_t>(length) + 1]);
    if (length > 0 && !m_file.read(data.get(), length))
        return Fail();
    data[static_cast<std::size_t>(length)] = '\0';

    m_buffer = std::move(data);
    m_bufferSize = static_cast<u32>(length) + 1;
    buffer = m_buffer.get();
    return true;
}

bool FileReader::ReadBytes(void* destination, u32 count)
{
    if (!CanRead())
        return false;
    if (count == 0)
        return true;
    // Read into a scratch copy first, so a short read leaves the destination as it was.
    std::unique_ptr<char[]> scratch(new char[count]);
    if (!m_file.read(scratch.get(), count))
        return Fail();
    std::memcpy(destination, scratch.get(), count);
    return true;
}

bool FileReader::ReadString(std::string& value)
{
    unsigned char length = 0;
    if (!ReadBytes(&length, 1))
        return false;
    std::string text(length, '\0');
    if (!ReadBytes(&text[0], length))
        return false;
    value = std::move(text);
    return true;
}

bool FileReader::ReadU32(u32& value)
{
    unsigned char bytes[4];
    if (!ReadBytes(bytes, sizeof(bytes)))
        return false;
    value = DecodeLittleEndian(bytes);
    return true;
}

bool FileReader::ReadS32(s32& value)
{
    u32 bits = 0;
    if (!ReadU32(bits))
        return false;
    std::memcpy(&value, &bits, sizeof(value));
    return true;
}

bool FileReader::ReadF32(f32& value)
{
    static_assert(sizeof(f32) == sizeof(u32), "f32 is read as its 4-byte IEEE pattern");
    u32 bits = 0;
    if (!ReadU32(bits))
        return false;
    std::memcpy(&value, &bits, sizeof(value));
    return true;
}

bool FileReader::ReadChunkHeader(ChunkHeader& header)
{
    if (!CanRead())
        return false;
    const std::streamoff position = m_file.tellg();
    if (position < 0 || static_cast<u64>(position) > std::numeric_limits<u32>::max())
        return Fail();

    u32 tag = 0;
    u32 size = 0;
    if (!ReadU32(tag) || !ReadU32(size))
        return false;
    const u64 next = static_cast<u64>(position) + size;
    if (size < ChunkHeaderSize || next > std::numeric_limits<u32>::max())
    {
        Core::Log() << "Error [FileReader]: chunk at byte " << static_cast<u32>(position)
                    << " has an invalid size (" << size << ")\n";
        return Fail();
    }

    m_chunk = ChunkHeader{tag, size};
    m_chunkPosition = static_cast<u32>(position);
    m_nextChunkPosition = static_cast<u32>(next);
    m_hasChunk = true;
    header = m_chunk;
    return true;
}

bool FileReader::NextChunk()
{
    if (!CanRead() || !m_hasChunk)
        return false;
    m_file.clear();
    if (!m_file.seekg(static_cast<std::streamoff>(m_nextChunkPosition), std::ios::beg))
        return Fail();
    return true;
}
