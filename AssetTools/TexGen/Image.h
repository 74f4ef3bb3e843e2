#pragma once
// An 8-bit image being painted by the texture generator, rows top first as PNG files store
// them, with a seeded, tileable noise source for surfaces that must repeat without seams.
#include "Graphics/Formats/PngImage.h"
#include "Graphics/Formats/PngWriter.h"
#include "Math/Types.h"
#include <string>
#include <vector>

namespace AssetTools
{
struct Rgba
{
    u08 r = 0;
    u08 g = 0;
    u08 b = 0;
    u08 a = 255;
};

class Image
{
public:
    // `channels` 3 (RGB) or 4 (RGBA); starts black and opaque.
    Image(u32 width, u32 height, u32 channels);

    u32 GetWidth() const { return m_width; }
    u32 GetHeight() const { return m_height; }
    // Pixel (x, y) with y from the top; the alpha is dropped on RGB images.
    void Set(u32 x, u32 y, const Rgba& colour);
    void Fill(const Rgba& colour);

    // Writes the PNG; false with a line on standard error naming the file.
    bool Save(const std::string& path) const;

private:
    u32 m_width;
    u32 m_height;
    u32 m_channels;
    std::vector<u08> m_pixels;
};

// Value noise that repeats every `period` lattice cells across an image of `size` pixels, its
// lattice drawn from Math::Rand (seed it first for repeatable output). Values run from 0 to 1.
class TileableNoise
{
public:
    TileableNoise(u32 period, u32 size);
    f32 At(f32 x, f32 y) const;

private:
    u32 m_period;
    f32 m_cellSize;
    std::vector<f32> m_lattice;
};

// A colour channel clamped into a byte.
u08 ToByte(f32 value);
} // namespace AssetTools
