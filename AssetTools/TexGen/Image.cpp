#include "AssetTools/TexGen/Image.h"
#include "Math/MathUtils.h"
#include <cmath>
#include <cstdio>

namespace AssetTools
{
namespace
{
constexpr u32 RgbChannels = 3;
constexpr u32 RgbaChannels = 4;

f32 Smooth(f32 t)
{
    return t * t * (3.0f - 2.0f * t);
}
} // namespace

Image::Image(u32 width, u32 height, u32 channels)
    : m_width(width), m_height(height), m_channels(channels),
      m_pixels(static_cast<std::size_t>(width) * height * channels, 0)
{
    Fill(Rgba());
}

void Image::Set(u32 x, u32 y, const Rgba& colour)
{
    u08* pixel = m_pixels.data() + (static_cast<std::size_t>(y) * m_width + x) * m_channels;
    pixel[0] = colour.r;
    pixel[1] = colour.g;
    pixel[2] = colour.b;
    if (m_channels == RgbaChannels)
        pixel[3] = colour.a;
}

void Image::Fill(const Rgba& colour)
{
    for (u32 y = 0; y < m_height; ++y)
        for (u32 x = 0; x < m_width; ++x)
            Set(x, y, colour);
}

bool Image::Save(const std::string& path) const
{
    Graphics::PngWriter::Description description;
    description.width = m_width;
    description.height = m_height;
    description.colorType = m_channels == RgbChannels ? Graphics::PngRgb : Graphics::PngRgbAlpha;
    description.rows = m_pixels;
    if (Graphics::PngWriter::Save(description, path))
        return true;
    std::fprintf(stderr, "Error [texgen]: %s could not be written\n", path.c_str());
    return false;
}

TileableNoise::TileableNoise(u32 period, u32 size)
    : m_period(period), m_cellSize(static_cast<f32>(size) / static_cast<f32>(period)),
      m_lattice(static_cast<std::size_t>(period) * period)
{
    for (f32& value : m_lattice)
        value = static_cast<f32>(Math::Rand()) / static_cast<f32>(Math::RAND_LIMIT);
}

f32 TileableNoise::At(f32 x, f32 y) const
{
    const f32 gx = x / m_cellSize, gy = y / m_cellSize;
    const f32 fx = std::floor(gx), fy = std::floor(gy);
    const u32 x0 = static_cast<u32>(fx) % m_period, y0 = static_cast<u32>(fy) % m_period;
    const u32 x1 = (x0 + 1) % m_period, y1 = (y0 + 1) % m_period;
    const f32 tx = Smooth(gx - fx), ty = Smooth(gy - fy);
    const auto at = [&](u32 i, u32 j)
    { return m_lattice[static_cast<std::size_t>(j) * m_period + i]; };
    const f32 top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * tx;
    const f32 bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * tx;
    return top + (bottom - top) * ty;
}

u08 ToByte(f32 value)
{
    const f32 clamped = value < 0.0f ? 0.0f : (value > 255.0f ? 255.0f : value);
    return static_cast<u08>(std::lround(clamped));
}
} // namespace AssetTools
