#include "Graphics/Particles/Particle.h"

namespace Graphics
{
namespace
{
f32 Lerp(f32 start, f32 end, f32 t)
{
    return start + (end - start) * t;
}
} // namespace

void Particle::UpdateColor(f32 t)
{
    if (colorStart == colorEnd)
        return;
    color.r = Lerp(colorStart.r, colorEnd.r, t);
    color.g = Lerp(colorStart.g, colorEnd.g, t);
    color.b = Lerp(colorStart.b, colorEnd.b, t);
    color.a = Lerp(colorStart.a, colorEnd.a, t);
}

} // namespace Graphics
