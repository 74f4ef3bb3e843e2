#pragma once
// The 32-bit name hash behind component type ids and named-asset keys: MurmurHash3, x86 32-bit
// variant, over the name's bytes (without the terminating NUL) with the seed 4. Stateless, so
// any thread may call it; component classes cache their own id on first use.
#include "Math/Types.h"
#include <cstddef>

// The seed every type id and asset key is hashed with; stored files depend on it.
constexpr u32 TypeNameHashSeed = 4;

// The published MurmurHash3_x86_32: 4-byte blocks read little-endian whatever the host order.
void MurmurHash3_x86_32(const void* data, std::size_t length, u32 seed, u32* result);

// Hash of the bytes before the terminating NUL; a null name hashes like the empty one.
u32 HashTypeName(const char* name);
