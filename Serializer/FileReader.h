#pragma once
// Reads a binary asset file: the whole file at once, length-prefixed strings, little-endian
// 4-byte values and tagged chunks. The model and shader loaders use it.
//
// Chunked files: a chunk starts with a header of two little-endian u32 values, tag then size.
// The size counts from the first byte of the header, so the next chunk starts at the header's
// position plus the size. A string is one unsigned byte holding its length followed by that
// many bytes, with no terminator.
//
// Nothing read from the file is trusted: a read that runs past the end answers false and leaves
// its destination unchanged, and a chunk size below the header's own 8 bytes is refused, so no
// chunk walk can stand still or run for ever:
//     FileReader::ChunkHeader header;
//     while (reader.ReadChunkHeader(header)) { ...read the chunk...; reader.NextChunk(); }
// Once a read has failed, every later read answers false (ReadAll, which starts from the
// beginning, still works).
#include "Math/Types.h"
#include <fstream>
#include <memory>
#include <string>

class FileReader
{
public:
    struct ChunkHeader
    {
        u32 tag;
        u32 size; // bytes from the first byte of the header to the next chunk
    };
    // The header's own size: a chunk can never be smaller.
    static constexpr u32 ChunkHeaderSize = 8;

    // The largest file read (models and textures stay far below it).
    static constexpr u32 MaxFileBytes = 512u * 1024u * 1024u;

    // Opens the file for binary reading; when it cannot be opened (or is no regular file, or is
    // above MaxFileBytes), logs "Error [FileReader]: Failed to open file (<path>)" and a line with
    // the reason, and every read answers false.
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // True when the file was opened, whatever later reads gave.
    bool IsOpen() const { return m_open; }

    // Reads the whole file into a buffer one byte longer than the file, with a zero byte after
    // the data, and hands it out; the reader keeps ownership until the next ReadAll or its
    // destruction. False, with `buffer` null, when the file is not open or cannot be read.
    bool ReadAll(char*& buffer);
    // Bytes in the buffer of the last ReadAll, its terminating zero included (0 before).
    u32 GetBufferSize() const { return m_bufferSize; }

    // A length byte, then that many bytes.
    bool ReadString(std::string& value);
    bool ReadBytes(void* destination, u32 count);
    bool ReadU32(u32& value);
    bool ReadS32(s32& value);
    bool ReadF32(f32& value);

    // Reads the header at the current position and remembers where the next chunk starts.
    // False on a short read or a size below ChunkHeaderSize (the header is then not taken).
    bool ReadChunkHeader(ChunkHeader& header);
    // The header of the last successful ReadChunkHeader.
    const ChunkHeader& GetChunkHeader() const { return m_chunk; }
    u32 GetChunkPosition() const { return m_chunkPosition; }
    // Seeks to the chunk after the last header read, skipping whatever of it was not read.
    // False before the first header or when the seek fails.
    bool NextChunk();

private:
    // Stops all further reading after a read or seek that failed; answers false.
    bool Fail();
    bool CanRead() const { return m_open && !m_failed; }

    std::unique_ptr<char[]> m_buffer;
    std::ifstream m_file;
    u32 m_bufferSize;
    ChunkHeader m_chunk;
    u32 m_chunkPosition;
    u32 m_nextChunkPosition;
    bool m_open;
    bool m_failed;
    bool m_hasChunk;
};
