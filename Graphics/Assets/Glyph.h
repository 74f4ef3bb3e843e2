#pragma once
// One character of a bitmap font, in pixels as read and as a unit quad ready for layout: the
// corners divided by the font's pixel size S, the texture coordinates by the texture's size
// with y flipped to match the bottom-up texture rows. Corners and texture coordinates run
// top-left, top-right, bottom-right, bottom-left.
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace Graphics
{
struct Glyph
{
    static constexpr std::size_t CornerCount = 4;

    std::string character;
    u32 advance = 0;
    f32 offsetX = 0.0f;
    f32 offsetY = 0.0f;
    f32 x = 0.0f;
    f32 y = 0.0f; // from the top of the image
    f32 width = 0.0f;
    f32 height = 0.0f;
    // (following character, adjustment in pixels)
    std::vector<std::pair<u08, s32>> kerning;
    std::array<Math::Vector3, CornerCount> corners;
    std::array<Math::Vector2, CornerCount> texcoords;
};
} // namespace Graphics
