#include "Core/Reflection/HashTypeName.h"
#include <cstring>

namespace
{
// Mixing constants of the published algorithm.
constexpr u32 BlockMultiplier1 = 0xcc9e2d51u;
constexpr u32 BlockMultiplier2 = 0x1b873593u;
constexpr u32 StateMultiplier = 5u;
constexpr u32 StateIncrement = 0xe6546b64u;
constexpr u32 FinalMultiplier1 = 0x85ebca6bu;
constexpr u32 FinalMultiplier2 = 0xc2b2ae35u;
constexpr std::size_t BlockSize = 4;

inline u32 RotateLeft(u32 value, int bits)
{
    return (value << bits) | (value >> (32 - bits));
}

inline u32 MixBlock(u32 block)
{
    block *= BlockMultiplier1;
    block = RotateLeft(block, 15);
    return block * BlockMultiplier2;
}

// Assembled byte by byte so the result is the same on big-endian hosts and unaligned data.
inline u32 ReadLittleEndian(const u08* bytes)
{
    return u32(bytes[0]) | (u32(bytes[1]) << 8) | (u32(bytes[2]) << 16) | (u32(bytes[3]) << 24);
}

inline u32 FinalMix(u32 hash)
{
    hash ^= hash >> 16;
    hash *= FinalMultiplier1;
    hash ^= hash >> 13;
    hash *= FinalMultiplier2;
    hash ^= hash >> 16;
    return hash;
}
} // namespace

void MurmurHash3_x86_32(const void* data, std::size_t length, u32 seed, u32* result)
{
    const u08* bytes = static_cast<const u08*>(data);
    const std::size_t blockCount = length / BlockSize;
    u32 hash = seed;

    for (std::size_t i = 0; i < blockCount; ++i)
    {
        hash ^= MixBlock(ReadLittleEndian(bytes + i * BlockSize));
        hash = RotateLeft(hash, 13);
        hash = hash * StateMultiplier + StateIncrement;
    }

    const u08* tail = bytes + blockCount * BlockSize;
    u32 remainder = 0;
    switch (length & (BlockSize - 1))
    {
    case 3:
        remainder ^= u32(tail[2]) << 16;
        [[fallthrough]];
    case 2:
        remainder ^= u32(tail[1]) << 8;
        [[fallthrough]];
    case 1:
        remainder ^= tail[0];
        hash ^= MixBlock(remainder);
        break;
    default:
        break;
    }

    // The published algorithm folds in the length as a 32-bit value.
    hash ^= static_cast<u32>(length);
    *result = FinalMix(hash);
}

u32 HashTypeName(const char* name)
{
    if (!name)
        name = "";
    u32 hash = 0;
    MurmurHash3_x86_32(name, std::strlen(name), TypeNameHashSeed, &hash);
    return hash;
}
