#pragma once
// A decoded image as the texture keeps it: 8-bit samples (16-bit channels stripped, 1, 2 and
// 4-bit samples unpacked, palettes and transparency chunks expanded), rows stored bottom row
// first, the order OpenGL expects, back to back with rowBytes bytes each.
#include "Math/Types.h"
#include <vector>

namespace Graphics
{
// PNG colour types after decoding (a palette becomes RGB or RGBA).
enum PngColorType : u32
{
    PngGrey = 0,
    PngRgb = 2,
    PngPalette = 3,
    PngGreyAlpha = 4,
    PngRgbAlpha = 6,
};

struct PngImage
{
    u32 width = 0;
    u32 height = 0;
    u32 bitDepth = 0;
    u32 colorType = 0;
    u32 interlace = 0;
    u32 compression = 0;
    u32 filter = 0;
    u32 rowBytes = 0;
    std::vector<u08> pixels; // height * rowBytes bytes, bottom row first
};
} // namespace Graphics
