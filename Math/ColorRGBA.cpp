#include "Math/ColorRGBA.h"

#include "Math/MathUtils.h"

#include <ostream>

namespace Math
{
namespace
{
using Detail::CHANNEL_SCALE;
// Ranges of the random tinted colours: the dominant channel in [0.8, 1], the others in
// [0, 0.4]. The span is the float difference 1.0 - 0.8, so the top stays within 1.
constexpr f32 TINT_LOW = 0.8f;
constexpr f32 TINT_SPAN = 1.0f - TINT_LOW;
constexpr f32 OTHER_CHANNEL_MAX = 0.4f;

// Clamps to [0, 1]; anything not above 0, NaN included, becomes 0.
f32 ClampChannel(f32 value)
{
    if (!(value > 0.0f))
    {
        return 0.0f;
    }
    return value > 1.0f ? 1.0f : value;
}
} // namespace

void ColorRGBA::To255(ColorRGBA& out) const
{
    out = ColorRGBA(r * CHANNEL_SCALE, g * CHANNEL_SCALE, b * CHANNEL_SCALE, a * CHANNEL_SCALE);
}

void ColorRGBA::From255()
{
    r /= CHANNEL_SCALE;
    g /= CHANNEL_SCALE;
    b /= CHANNEL_SCALE;
    a /= CHANNEL_SCALE;
}

ColorRGBA ColorRGBA::Random(f32 alpha)
{
    const f32 blue = RandUnit();
    const f32 green = RandUnit();
    const f32 red = RandUnit();
    return ColorRGBA(red, green, blue, alpha);
}

ColorRGBA ColorRGBA::RandomGreen(f32 alpha)
{
    const f32 blue = RandRange(0.0f, OTHER_CHANNEL_MAX);
    const f32 green = TINT_LOW + RandUnit() * TINT_SPAN;
    const f32 red = RandRange(0.0f, OTHER_CHANNEL_MAX);
    return ColorRGBA(red, green, blue, alpha);
}

ColorRGBA ColorRGBA::RandomRed(f32 alpha)
{
    const f32 blue = RandRange(0.0f, OTHER_CHANNEL_MAX);
    const f32 green = RandRange(0.0f, OTHER_CHANNEL_MAX);
    const f32 red = TINT_LOW + RandUnit() * TINT_SPAN;
    return ColorRGBA(red, green, blue, alpha);
}

void ColorRGBA::RandomVariation(const ColorRGBA& range, ColorRGBA& out) const
{
    const f32 alpha = a + RandRange(-range.a, range.a);
    const f32 blue = b + RandRange(-range.b, range.b);
    const f32 green = g + RandRange(-range.g, range.g);
    const f32 red = r + RandRange(-range.r, range.r);
    out =
        ColorRGBA(ClampChannel(red), ClampChannel(green), ClampChannel(blue), ClampChannel(alpha));
}

std::ostream& operator<<(std::ostream& stream, const ColorRGBA& colour)
{
    return stream << "|red: " << colour.r << "|green: " << colour.g << "|blue: " << colour.b
                  << "|alpha: " << colour.a << "|";
}

} // namespace Math
