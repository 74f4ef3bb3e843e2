#include "Math/Distance.h"
#include "Math/PolynomialRoots.h"

#include <cmath>

namespace Math
{
namespace
{
// Squared distance from p to the circle and the circle's nearest point. Where the point-circle
// query has no single nearest point (p on the axis) any circle point is as near: take the one
// along axis0 instead of the marker.
f32 NearestOnCircle(const Point4& p, const Circle3& circle, Point4& nearest)
{
    DistPoint4Circle3 query(p, circle);
    const f32 squared = query.GetSquared();
    nearest = query.closestPoint1;
    if (nearest == Distance::MARKER_POINT)
    {
        nearest = circle.centre + circle.axis0 * circle.radius;
    }
    return squared;
}

// The point of a circle in the direction of the in-plane part of toward; when that part
// vanishes, the point along fallbackAxis.
Point4 CirclePointToward(const Circle3& circle, const Vector4& toward, const Vector4& fallbackAxis)
{
    Vector4 inPlane =
        circle.axis0 * toward.Dot(circle.axis0) + circle.axis1 * toward.Dot(circle.axis1);
    if (inPlane.Normalize() == 0.0f)
    {
        inPlane = fallbackAxis;
    }
    return circle.centre + inPlane * circle.radius;
}
} // namespace

// --- DistCircle3Circle3 ---

f32 DistCircle3Circle3::GetSquared()
{
    const Circle3& c0 = *circle0;
    const Circle3& c1 = *circle1;

    if (std::fabs(c0.normal.Dot(c1.normal) - 1.0f) < EPSILON)
    {
        // Parallel planes facing the same way: project centre to circle and back once.
        NearestOnCircle(c0.centre, c1, closestPoint1);
        return NearestOnCircle(closestPoint1, c0, closestPoint0);
    }

    Vector4 u = c0.centre - c1.centre;
    u.Normalize();
    // With the centres on the first circle's axis both projections vanish; the first circle's
    // axis0 then serves both circles, or the second circle's own axis0 when axis0 leaves its
    // plane.
    const Vector4& fallback1 = IsNearZero(c0.axis0.Dot(c1.normal)) ? c0.axis0 : c1.axis0;
    Point4 p0 = CirclePointToward(c0, -u, c0.axis0);
    Point4 p1 = CirclePointToward(c1, u, fallback1);
    const Vector4 gap = p0 - p1;
    f32 best = gap.Dot(gap);

    // Alternating projection: each step keeps the better answer.
    Point4 candidate;
    f32 squared = NearestOnCircle(p0, c1, candidate);
    if (squared < best)
    {
        best = squared;
        p1 = candidate;
    }
    squared = NearestOnCircle(p1, c0, candidate);
    if (squared < best)
    {
        best = squared;
        p0 = candidate;
    }
    squared = NearestOnCircle(p0, c1, candidate);
    if (squared < best)
    {
        best = squared;
        p1 = candidate;
    }
    closestPoint0 = p0;
    closestPoint1 = p1;
    return best;
}

f32 DistCircle3Circle3::Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1,
                              bool squared) const
{
    const Circle3 moved0(circle0->centre + velocity0 * t, circle0->normal, circle0->radius);
    const Circle3 moved1(circle1->centre + velocity1 * t, circle1->normal, circle1->radius);
    DistCircle3Circle3 moved(moved0, moved1);
    return squared ? moved.GetSquared() : moved.Get();
}

// --- DistLine3Circle3 ---

f32 DistLine3Circle3::GetSquared()
{
    const Point4& p = line->point;
    const Vector4& d = line->direction;
    const Point4& centre = circle->centre;
    const Vector4& n = circle->normal;
    const f32 r = circle->radius;

    // The squared distance of the line point P + D s from the circle is stationary where this
    // quartic in s vanishes.
    const Vector4 delta = p - centre;
    const f32 k0 = d.Dot(delta);
    const f32 k1 = n.Dot(delta);
    const f32 k2 = n.Dot(d);
    const f32 lengthSquared = d.Dot(d);
    const f32 s = delta.Dot(delta);
    const f32 b = k0 - k1 * k2;
    const f32 c = s - k1 * k1;
    const f32 a = lengthSquared - k2 * k2;
    const f32 rr = r * r;

    Polynomial quartic(4);
    quartic[0] = k0 * k0 * c - b * b * rr;
    quartic[1] = 2.0f * b * k0 * k0 + 2.0f * k0 * lengthSquared * c - 2.0f * b * a * rr;
    quartic[2] = 4.0f * b * k0 * lengthSquared + lengthSquared * lengthSquared * c + k0 * k0 * a -
                 a * a * rr;
    quartic[3] = 2.0f * b * lengthSquared * lengthSquared + 2.0f * k0 * lengthSquared * a;
    quartic[4] = lengthSquared * lengthSquared * a;

    PolynomialRoots roots;
    roots.FindBisection(quartic, ROOT_DIGITS);

    f32 best = NO_DISTANCE;
    Point4 nearest;
    auto consider = [&](f32 parameter)
    {
        const Point4 onLine = p + d * parameter;
        const f32 squared = NearestOnCircle(onLine, *circle, nearest);
        if (squared < best)
        {
            best = squared;
            closestPoint0 = onLine;
            closestPoint1 = nearest;
        }
    };
    for (s32 i = 0; i < roots.GetCount(); ++i)
    {
        consider(roots.GetRoot(i));
    }
    // Where the quartic only touches zero (a double root, as for a line passing over the circle
    // square to the direction of its centre) rounding in float keeps the bisection from seeing
    // it. Such a root is a critical point of the quartic, so those are candidates as well.
    PolynomialRoots critical;
    critical.FindBisection(quartic.GetDerivative(), ROOT_DIGITS);
    for (s32 i = 0; i < critical.GetCount(); ++i)
    {
        consider(critical.GetRoot(i));
    }
    // A line along the circle's axis makes every coefficient vanish: its nearest approach is
    // where it crosses the circle's plane, at the radius from every circle point.
    if (best == NO_DISTANCE && std::fabs(k2) > EPSILON)
    {
        consider(-k1 / k2);
    }
    return best;
}

f32 DistLine3Circle3::Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1,
                            bool squared) const
{
    const Line3 movedLine(line->point + velocity0 * t, line->direction);
    const Circle3 movedCircle(circle->centre + velocity1 * t, circle->normal, circle->radius);
    DistLine3Circle3 moved(movedLine, movedCircle);
    return squared ? moved.GetSquared() : moved.Get();
}

} // namespace Math
