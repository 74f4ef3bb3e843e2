#include "Graphics/Particles/Particle.h"
#include <cmath>

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

bool Particle::Update(f32 dt)
{
    age += dt;
    if (age > lifetime)
        return false;
    // A particle without a positive lifetime (or with a NaN one) is at the end of its life.
    f32 t = lifetime > 0.0f ? age / lifetime : 1.0f;
    t = t > 0.0f ? (t < 1.0f ? t : 1.0f) : 0.0f;

    UpdateColor(t);
    if (speedStart != speedEnd)
        speed = Lerp(speedStart, speedEnd, t);
    if (rotationSpeedStart != rotationSpeedEnd)
        rotationSpeed = Lerp(rotationSpeedStart, rotationSpeedEnd, t);
    if (scaleStart != scaleEnd)
        scale = Lerp(scaleStart, scaleEnd, t);

    if (std::fabs(speed) > StillThreshold)
    {
        const f32 step = speed * dt;
        position.x += direction.x * step;
        position.y += direction.y * step;
        position.z += direction.z * step;
    }
    if (std::fabs(rotationSpeed) > StillThreshold)
        rotation += rotationSpeed * dt;
    if (std::fabs(animationSpeed) > StillThreshold)
        frame += animationSpeed * dt;
    return true;
}
} // namespace Graphics
