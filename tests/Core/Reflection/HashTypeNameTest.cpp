#include "Core/Reflection/HashTypeName.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{
struct MurmurVector
{
    const char* data;
    std::size_t length;
    u32 seed;
    u32 expected;
};

u32 Murmur(const void* data, std::size_t length, u32 seed)
{
    u32 result = 0;
    MurmurHash3_x86_32(data, length, seed, &result);
    return result;
}
} // namespace

TEST(HashTypeName, MurmurHash3MatchesThePublishedVectors)
{
    const MurmurVector vectors[] = {
        {"", 0, 0, 0x00000000u},
        {"", 0, 1, 0x514E28B7u},
        {"", 0, 0xffffffffu, 0x81F16F39u},
        {"\0\0\0\0", 4, 0, 0x2362F9DEu},
        {"aaaa", 4, 0x9747b28cu, 0x5A97808Au},
        {"aaa", 3, 0x9747b28cu, 0x283E0130u},
        {"aa", 2, 0x9747b28cu, 0x5D211726u},
        {"a", 1, 0x9747b28cu, 0x7FA09EA6u},
        {"abcd", 4, 0x9747b28cu, 0xF0478627u},
        {"abc", 3, 0x9747b28cu, 0xC84A62DDu},
        {"ab", 2, 0x9747b28cu, 0x74875592u},
        {"Hello, world!", 13, 0x9747b28cu, 0x24884CBAu},
        {"The quick brown fox jumps over the lazy dog", 43, 0x9747b28cu, 0x2FA826CDu},
        {"The quick brown fox jumps over the lazy dog", 43, 0, 0x2E4FF723u},
    };
    for (const MurmurVector& v : vectors)
        EXPECT_EQ(Murmur(v.data, v.length, v.seed), v.expected) << '"' << v.data << '"';
}

TEST(HashTypeName, HashesTheNameBytesWithSeedFour)
{
    EXPECT_EQ(HashTypeName("TransformComponent"), Murmur("TransformComponent", 18, 4));
    EXPECT_EQ(HashTypeName("TransformComponent"), 0xE93DF8EFu);
    EXPECT_EQ(HashTypeName("CameraComponent"), 0xFB949BE5u);
    EXPECT_EQ(HashTypeName("RigidBodyComponent"), 0x536F6740u);
    EXPECT_EQ(HashTypeName("{Disable}"), 0x1B60F975u);
    // The empty string hashes zero bytes, which with seed 4 is not 0.
    EXPECT_EQ(HashTypeName(""), 0x249CB285u);
    EXPECT_EQ(HashTypeName(nullptr), HashTypeName(""));
    // Only the bytes before the first NUL count.
    EXPECT_EQ(HashTypeName("Transform\0Component"), HashTypeName("Transform"));
}

TEST(HashTypeName, DoesNotDependOnTheAlignmentOfItsInput)
{
    const std::string name = "ParticleEmitterComponent";
    char buffer[64] = {};
    for (std::size_t offset = 0; offset < 4; ++offset)
    {
        std::memcpy(buffer + offset, name.c_str(), name.size() + 1);
        EXPECT_EQ(HashTypeName(buffer + offset), HashTypeName(name.c_str())) << offset;
    }
}
