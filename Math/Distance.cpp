#include "Math/Distance.h"

#include "Math/Shapes/Segment3.h"

#include <cmath>

namespace Math
{

Distance::Distance()
    : maxIterations(0), tolerance(DEFAULT_TOLERANCE), contactTime(NO_DISTANCE),
      derivativeStep(DEFAULT_DERIVATIVE_STEP), inverseTwoStep(1.0f / (2.0f * derivativeStep))
{
}

f32 Distance::GetOverInterval(f32 tmin, f32 tmax, const Vector4& velocity0,
                              const Vector4& velocity1)
{
    return SearchInterval(tmin, tmax, velocity0, velocity1, false);
}

f32 Distance::GetSquaredOverInterval(f32 tmin, f32 tmax, const Vector4& velocity0,
                                     const Vector4& velocity1)
{
    return SearchInterval(tmin, tmax, velocity0, velocity1, true);
}

f32 Distance::GetDerivativeAt(f32 t, const Vector4& velocity0, const Vector4& velocity1) const
{
    const f32 ahead = GetAt(t + derivativeStep, velocity0, velocity1);
    const f32 behind = GetAt(t - derivativeStep, velocity0, velocity1);
    return (ahead - behind) * inverseTwoStep;
}

f32 Distance::GetSquaredDerivativeAt(f32 t, const Vector4& velocity0,
                                     const Vector4& velocity1) const
{
    return 2.0f * GetAt(t, velocity0, velocity1) * GetDerivativeAt(t, velocity0, velocity1);
}

f32 Distance::SearchInterval(f32 tmin, f32 tmax, const Vector4& velocity0, const Vector4& velocity1,
                             bool squared)
{
    auto value = [&](f32 t)
    { return squared ? GetSquaredAt(t, velocity0, velocity1) : GetAt(t, velocity0, velocity1); };
    auto slope = [&](f32 t)
    {
        return squared ? GetSquaredDerivativeAt(t, velocity0, velocity1)
                       : GetDerivativeAt(t, velocity0, velocity1);
    };

    f32 f0 = value(tmin);
    if (f0 <= tolerance)
    {
        contactTime = tmin;
        return 0.0f;
    }
    f32 d0 = slope(tmin);
    if (d0 >= 0.0f)
    {
        // Not approaching at the start: the start is the closest moment.
        contactTime = tmin;
        return f0;
    }
    const f32 f1 = value(tmax);
    if (f1 <= tolerance)
    {
        contactTime = tmax;
        return 0.0f;
    }
    const f32 d1 = slope(tmax);
    if (d1 <= 0.0f)
    {
        // Still approaching at the end: the end is the closest moment.
        contactTime = tmax;
        return f1;
    }

    // Newton steps towards a contact while the shapes keep approaching.
    s32 i = 0;
    while (i < maxIterations)
    {
        const f32 t = tmin - f0 / d0;
        if (t >= tmax)
        {
            break;
        }
        const f32 f = value(t);
        if (f <= tolerance)
        {
            contactTime = t;
            return 0.0f;
        }
        const f32 d = slope(t);
        if (d >= 0.0f)
        {
            // The minimum lies behind t.
            break;
        }
        tmin = t;
        f0 = f;
        d0 = d;
        ++i;
    }
    if (i >= maxIterations)
    {
        contactTime = tmin;
        return f0;
    }

    // No contact: bisect for the zero of the derivative, the moment of closest approach.
    f32 t = tmin;
    for (i = 0; i < maxIterations; ++i)
    {
        t = (tmin + tmax) * 0.5f;
        const f32 d = slope(t);
        const f32 product = d * d0;
        if (product < -tolerance)
        {
            tmax = t;
        }
        else if (product <= tolerance)
        {
            break;
        }
        else
        {
            tmin = t;
            d0 = d;
        }
    }
    contactTime = t;
    return value(t);
}

void Distance::DrawClosestPoints(const ColorRGBA* colour0, const ColorRGBA* colour1,
                                 const ColorRGBA* colour2) const
{
    closestPoint0.Draw(colour1);
    closestPoint1.Draw(colour0);
    const Segment3 between(closestPoint0, closestPoint1);
    between.Draw(colour2);
}

// --- DistPoint4Plane ---

f32 DistPoint4Plane::Compute()
{
    const f32 signedDistance = plane->SignedDistance(*point);
    closestPoint0 = *point;
    closestPoint1 = *point - plane->GetNormal() * signedDistance;
    return signedDistance;
}

f32 DistPoint4Plane::Get()
{
    return std::fabs(Compute());
}

f32 DistPoint4Plane::GetSquared()
{
    const f32 signedDistance = Compute();
    return signedDistance * signedDistance;
}

f32 DistPoint4Plane::Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1,
                           bool squared) const
{
    const Point4 movedPoint = *point + velocity0 * t;
    // Moving the plane by velocity1 t shifts d by -(n . velocity1) t.
    const Plane movedPlane(plane->a, plane->b, plane->c,
                           plane->d - t * plane->GetNormal().Dot(velocity1));
    DistPoint4Plane moved(movedPoint, movedPlane);
    return squared ? moved.GetSquared() : moved.Get();
}

// --- DistPoint4Circle3 ---

f32 DistPoint4Circle3::GetSquared()
{
    const Point4& p = *point;
    const Point4& centre = circle->centre;
    const Vector4& normal = circle->normal;
    const Vector4 diff = p - centre;
    const f32 height = diff.Dot(normal);
    const Vector4 inPlane = diff - normal * height;
    const f32 inPlaneSquared = inPlane.Dot(inPlane);

    f32 result;
    if (inPlaneSquared >= EPSILON)
    {
        closestPoint1 = centre + inPlane * (circle->radius / std::sqrt(inPlaneSquared));
        const Vector4 gap = p - closestPoint1;
        result = gap.Dot(gap);
    }
    else
    {
        // On the axis every circle point is equally near: no single closest point.
        closestPoint1 = MARKER_POINT;
        result = circle->radius * circle->radius + height * height;
    }
    closestPoint0 = p;
    return result;
}

f32 DistPoint4Circle3::Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1,
                             bool squared) const
{
    const Point4 movedPoint = *point + velocity0 * t;
    const Circle3 movedCircle(circle->centre + velocity1 * t, circle->normal, circle->radius);
    DistPoint4Circle3 moved(movedPoint, movedCircle);
    return squared ? moved.GetSquared() : moved.Get();
}

} // namespace Math
