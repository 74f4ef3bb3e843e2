#pragma once
// Primitive types named by width. The whole engine, the reflected-type registry and the
// script bindings use these names; they sit at the bottom of the stack so every subsystem
// can use them without depending on anything else.
#include <cstdint>

typedef std::int8_t s08;
typedef std::uint8_t u08;
typedef std::int16_t s16;
typedef std::uint16_t u16;
typedef std::int32_t s32;
typedef std::uint32_t u32;
typedef std::int64_t s64;
typedef std::uint64_t u64;
typedef float f32;
typedef double f64;
typedef char c08;
