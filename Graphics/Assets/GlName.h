#pragma once
// OpenGL object names that have not been created hold every bit set, so 0 (a valid "no
// object" for binding) is never mistaken for one that is missing.
#include "Math/Types.h"

namespace Graphics
{
constexpr u32 NoGlName = 0xFFFFFFFFu;
} // namespace Graphics
