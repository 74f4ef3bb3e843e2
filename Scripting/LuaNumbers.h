#pragma once
// Conversions from Lua numbers to the engine's fixed-width integers.
//
// Conventions:
// - Lua 5.2 keeps every number as a double and its lua_Integer is 64 bits wide here, so an
//   engine integer is always narrowed explicitly: the number is truncated toward zero to a
//   64-bit integer and its low 32 bits are kept. -1 read as unsigned is 4294967295, and
//   4294967295 read as signed is -1.
// - A number outside the 64-bit range, or NaN, reads as 0 rather than reaching an undefined
//   conversion.
// - Lua's own unsigned conversion (lua_tounsignedx) rounds to nearest on this platform, so no
//   engine read goes through it.
#include "Math/Types.h"
#include <lua.hpp>

namespace Scripting
{
// 2^63: the smallest magnitude that no signed 64-bit integer holds.
constexpr lua_Number Signed64Limit = 9223372036854775808.0;

inline s64 TruncateToS64(lua_Number number)
{
    // Written so that NaN fails the test as well.
    if (!(number >= -Signed64Limit && number < Signed64Limit))
        return 0;
    return static_cast<s64>(number);
}

inline u32 NumberToU32(lua_Number number)
{
    return static_cast<u32>(static_cast<u64>(TruncateToS64(number)));
}

inline s32 NumberToS32(lua_Number number)
{
    return static_cast<s32>(NumberToU32(number));
}
} // namespace Scripting
