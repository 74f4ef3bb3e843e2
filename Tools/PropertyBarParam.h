#pragma once
// The parameter record of a bar asset. Colours are 0 to 255 here, as the bar layer takes them.
//
// Alignment: horizontal 0 places x from the left edge, 1 from the right edge, 2 from the
// centre; vertical 1 places y from the top edge, 0 from the bottom edge, 2 from the centre.
#include "Math/Types.h"
#include <string>

namespace Tools
{
struct PropertyBarParam
{
    static constexpr s32 AlignLeftOrTop = 0;

    f32 position[2] = {100.0f, 100.0f};
    f32 size[2] = {100.0f, 100.0f};
    std::string label; // the title shown
    std::string help;
    f32 colour[4] = {0.0f, 0.0f, 0.0f, 0.0f}; // r, g, b, alpha
    s32 horizontalAlignment = 0;
    s32 verticalAlignment = 1;
};
} // namespace Tools
