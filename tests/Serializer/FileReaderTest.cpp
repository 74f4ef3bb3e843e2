// The binary file reader: whole-file reads, strings, little-endian values and chunk walks, and
// what it does with files that lie about their sizes.
#include "Serializer/FileReader.h"
#include "tests/Support/TempFiles.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Builds file contents the way the chunked formats lay them out.
class Bytes
{
public:
    Bytes& U32(u32 value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            m_text.push_back(static_cast<char>((value >> shift) & 0xFF));
        return *this;
    }
    Bytes& Text(const std::string& text)
    {
        m_text += text;
        return *this;
    }
    Bytes& String(const std::string& text)
    {
        m_text.push_back(static_cast<char>(text.size()));
        return Text(text);
    }
    // A chunk header whose size covers itself and `payload` bytes.
    Bytes& Chunk(u32 tag, u32 payload)
    {
        return U32(tag).U32(FileReader::ChunkHeaderSize + payload);
    }
    const std::string& Get() const { return m_text; }

private:
    std::string m_text;
};

constexpr u32 TagA = 0x41414141;
constexpr u32 TagB = 0x42424242;
constexpr u32 TagC = 0x43434343;
} // namespace

TEST(FileReader, ReadAllOfAnEmptyFileGivesOneZeroByte)
{
    TempFolder folder;
    folder.Write("empty.bin", "");
    FileReader reader("empty.bin");
    char* buffer = nullptr;
    ASSERT_TRUE(reader.ReadAll(buffer));
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(reader.GetBufferSize(), 1u);
}

TEST(FileReader, ReadAllTerminatesTheDataAndCountsTheZero)
{
    TempFolder folder;
    folder.Write("shader.glsl", std::string("void main() {}\0tail", 19));
    FileReader reader("shader.glsl");
    char* buffer = nullptr;
    ASSERT_TRUE(reader.ReadAll(buffer));
    EXPECT_EQ(reader.GetBufferSize(), 20u);
    EXPECT_EQ(std::memcmp(buffer, "void main() {}\0tail", 19), 0);
    EXPECT_EQ(buffer[19], '\0');
}

TEST(FileReader, MissingFileIsLoggedAndEveryReadIsFalse)
{
    TempFolder folder;
    LogFileCapture log;
    FileReader reader("Models/Missing.bin");
    char* buffer = reinterpret_cast<char*>(&reader); // anything but null
    u32 value = 7;
    std::string text = "kept";
    FileReader::ChunkHeader header{1, 2};
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_FALSE(reader.ReadAll(buffer));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_FALSE(reader.ReadU32(value));
    EXPECT_FALSE(reader.ReadString(text));
    EXPECT_FALSE(reader.ReadChunkHeader(header));
    EXPECT_FALSE(reader.NextChunk());
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(header.tag, 1u);
    EXPECT_NE(log.Text().find("Error [FileReader]: Failed to open file (Models/Missing.bin)\n"),
              std::string::npos);
}

TEST(FileReader, AFolderIsAFileThatCannotBeOpened)
{
    TempFolder folder;
    folder.MakeFolder("Models/Crate.bin");
    LogFileCapture log;
    FileReader reader("Models/Crate.bin");
    char* buffer = nullptr;
    u32 value = 7;
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_FALSE(reader.ReadAll(buffer));
    EXPECT_FALSE(reader.ReadU32(value));
    EXPECT_EQ(value, 7u);
    EXPECT_NE(log.Text().find("Error [FileReader]: Failed to open file (Models/Crate.bin)\n"),
              std::string::npos);
}

TEST(FileReader, ReadsLittleEndianValuesAndLengthPrefixedStrings)
{
    TempFolder folder;
    f32 half = 0.5f;
    u32 halfBits = 0;
    std::memcpy(&halfBits, &half, sizeof(halfBits));
    folder.Write(
        "values.bin",
        Bytes().U32(0x01020304).U32(0xFFFFFFFE).U32(halfBits).String("Crate").String("").Get());
    FileReader reader("values.bin");
    u32 u = 0;
    s32 s = 0;
    f32 f = 0.0f;
    std::string name;
    std::string empty = "not yet";
    ASSERT_TRUE(reader.ReadU32(u));
    ASSERT_TRUE(reader.ReadS32(s));
    ASSERT_TRUE(reader.ReadF32(f));
    ASSERT_TRUE(reader.ReadString(name));
    ASSERT_TRUE(reader.ReadString(empty));
    EXPECT_EQ(u, 0x01020304u);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(f, 0.5f);
    EXPECT_EQ(name, "Crate");
    EXPECT_EQ(empty, "");
}

TEST(FileReader, ShortReadsLeaveTheirDestinationsAlone)
{
    TempFolder folder;
    // The length byte promises 10 characters; 3 follow.
    folder.Write("short.bin", std::string("\x0A"
                                          "abc",
                                          4));
    FileReader reader("short.bin");
    std::string text = "kept";
    u32 value = 9;
    EXPECT_FALSE(reader.ReadString(text));
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(reader.ReadU32(value));
    EXPECT_EQ(value, 9u);
}

TEST(FileReader, NextChunkSeeksToTheHeaderPositionPlusTheSize)
{
    TempFolder folder;
    // 16 bytes of preamble, a chunk of size 40 at 16, the next one at 56.
    Bytes file;
    file.Text(std::string(16, 'p')).U32(TagA).U32(40).Text(std::string(32, 'x')).Chunk(TagB, 0);
    folder.Write("model.bin", file.Get());

    FileReader reader("model.bin");
    char preamble[16];
    ASSERT_TRUE(reader.ReadBytes(preamble, sizeof(preamble)));
    FileReader::ChunkHeader header{};
    ASSERT_TRUE(reader.ReadChunkHeader(header));
    EXPECT_EQ(header.tag, TagA);
    EXPECT_EQ(header.size, 40u);
    EXPECT_EQ(reader.GetChunkPosition(), 16u);
    ASSERT_TRUE(reader.NextChunk());
    ASSERT_TRUE(reader.ReadChunkHeader(header));
    EXPECT_EQ(reader.GetChunkPosition(), 56u);
    EXPECT_EQ(header.tag, TagB);
}

TEST(FileReader, ChunkWalkVisitsEveryChunkIncludingEmptyOnesAndStopsAtTheEnd)
{
    TempFolder folder;
    // A: 4 payload bytes, partly read; B: no payload at all; C: 6 payload bytes, not read.
    folder.Write(
        "walk.bin",
        Bytes().Chunk(TagA, 4).U32(123).Chunk(TagB, 0).Chunk(TagC, 6).Text("unread").Get());
    FileReader reader("walk.bin");
    std::vector<u32> tags;
    FileReader::ChunkHeader header{};
    while (reader.ReadChunkHeader(header) && tags.size() < 10)
    {
        tags.push_back(header.tag);
        reader.NextChunk();
    }
    EXPECT_EQ(tags, (std::vector<u32>{TagA, TagB, TagC}));
}

TEST(FileReader, ChunkSizesBelowTheHeaderEndTheWalk)
{
    // A size of 0 would make the next chunk start where this one did: the walk would never end.
    for (const u32 badSize : {0u, 4u, 7u})
    {
        TempFolder folder;
        LogFileCapture log;
        folder.Write("bad.bin", Bytes().Chunk(TagA, 0).U32(TagB).U32(badSize).Chunk(TagC, 0).Get());
        FileReader reader("bad.bin");
        std::vector<u32> tags;
        FileReader::ChunkHeader header{};
        while (reader.ReadChunkHeader(header) && tags.size() < 10)
        {
            tags.push_back(header.tag);
            reader.NextChunk();
        }
        EXPECT_EQ(tags, std::vector<u32>{TagA}) << "size " << badSize;
        EXPECT_NE(log.Text().find("Error [FileReader]: chunk at byte 8 has an invalid size"),
                  std::string::npos)
            << "size " << badSize;
    }
}

TEST(FileReader, ChunkRunningPastTheEndStopsTheWalk)
{
    TempFolder folder;
    folder.Write("truncated.bin", Bytes().Chunk(TagA, 1000).Text("only a little").Get());
    FileReader reader("truncated.bin");
    FileReader::ChunkHeader header{};
    ASSERT_TRUE(reader.ReadChunkHeader(header));
    reader.NextChunk();
    EXPECT_FALSE(reader.ReadChunkHeader(header));
    // A header cut off in the middle is a short read as well.
    folder.Write("halfheader.bin", Bytes().U32(TagA).Text("\x10\x00").Get());
    FileReader half("halfheader.bin");
    EXPECT_FALSE(half.ReadChunkHeader(header));
}
