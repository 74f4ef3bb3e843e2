#pragma once
// Colour with four float channels from 0 to 1 in memory; files and the editor hold 0 to 255
// (convert with To255 and From255). Colours compare exactly, without tolerance. A plain value:
// trivially copyable, no virtual functions.
#include "Math/Types.h"

#include <iosfwd>

namespace Math
{

class ColorRGBA
{
public:
    // Opaque black.
    constexpr ColorRGBA() : r(0.0f), g(0.0f), b(0.0f), a(1.0f) {}
    constexpr ColorRGBA(f32 r_, f32 g_, f32 b_, f32 a_) : r(r_), g(g_), b(b_), a(a_) {}

    bool operator==(const ColorRGBA& rhs) const
    {
        return r == rhs.r && g == rhs.g && b == rhs.b && a == rhs.a;
    }
    bool operator!=(const ColorRGBA& rhs) const { return !(*this == rhs); }

    // A copy with alpha times factor.
    constexpr ColorRGBA ScaleAlpha(f32 factor) const { return ColorRGBA(r, g, b, a * factor); }
    // A copy with r, g, b inverted and the same alpha.
    constexpr ColorRGBA Inverted() const { return ColorRGBA(1.0f - r, 1.0f - g, 1.0f - b, a); }
    // out = all four channels times 255.
    void To255(ColorRGBA& out) const;
    // Divides all four channels by 255 in place.
    void From255();

    // r, g, b uniform in [0, 1] with the given alpha.
    static ColorRGBA Random(f32 alpha);
    // A random greenish colour: r, b in [0, 0.4], g in [0.8, 1].
    static ColorRGBA RandomGreen(f32 alpha);
    // A random reddish colour: r in [0.8, 1], g, b in [0, 0.4].
    static ColorRGBA RandomRed(f32 alpha);
    // out = this colour with each channel moved by a uniform offset within +-range's channel,
    // clamped to [0, 1] (NaN becomes 0).
    void RandomVariation(const ColorRGBA& range, ColorRGBA& out) const;

    static const ColorRGBA Red;
    static const ColorRGBA Orange;
    static const ColorRGBA Yellow;
    static const ColorRGBA Green;
    static const ColorRGBA Blue;
    static const ColorRGBA Violet;
    static const ColorRGBA Pink;
    static const ColorRGBA Brown;
    static const ColorRGBA Grey;
    static const ColorRGBA Black;

    f32 r;
    f32 g;
    f32 b;
    f32 a;
};

namespace Detail
{
// The file and editor value of a full channel: channels are 0 to 255 there, 0 to 1 in memory.
constexpr f32 CHANNEL_SCALE = 255.0f;

// A colour constant from 0-255 channels, opaque.
constexpr ColorRGBA Color255(f32 r, f32 g, f32 b)
{
    return ColorRGBA(r / CHANNEL_SCALE, g / CHANNEL_SCALE, b / CHANNEL_SCALE, 1.0f);
}
} // namespace Detail

inline constexpr ColorRGBA ColorRGBA::Red = Detail::Color255(255, 0, 0);
inline constexpr ColorRGBA ColorRGBA::Orange = Detail::Color255(255, 165, 0);
inline constexpr ColorRGBA ColorRGBA::Yellow = Detail::Color255(255, 255, 0);
inline constexpr ColorRGBA ColorRGBA::Green = Detail::Color255(0, 255, 0);
inline constexpr ColorRGBA ColorRGBA::Blue = Detail::Color255(0, 0, 255);
inline constexpr ColorRGBA ColorRGBA::Violet = Detail::Color255(205, 57, 170);
inline constexpr ColorRGBA ColorRGBA::Pink = Detail::Color255(255, 182, 193);
inline constexpr ColorRGBA ColorRGBA::Brown = Detail::Color255(210, 105, 30);
inline constexpr ColorRGBA ColorRGBA::Grey = Detail::Color255(128, 128, 128);
inline constexpr ColorRGBA ColorRGBA::Black = Detail::Color255(0, 0, 0);

// Writes "|red: r|green: g|blue: b|alpha: a|".
std::ostream& operator<<(std::ostream& stream, const ColorRGBA& colour);

} // namespace Math
