#include "Math/Intersection.h"

#include "Math/ColorRGBA.h"
#include "Math/Shapes/Segment3.h"

#include <cmath>

namespace Math
{

bool Intersection::Test(f32, const Vector4&, const Vector4&)
{
    return false;
}

bool Intersection::Find(f32, const Vector4&, const Vector4&)
{
    return false;
}

bool IntersectRay3Plane::Find()
{
    if (!Detail::IsUsableDirection(ray->direction))
    {
        status = NONE;
        return false;
    }
    const f32 signedDistance = plane->SignedDistance(ray->origin);
    const f32 denominator = ray->direction.Dot(plane->GetNormal());
    if (std::fabs(denominator) > EPSILON)
    {
        t = -signedDistance / denominator;
        status = t >= 0.0f ? ONE_POINT : NONE;
        return status == ONE_POINT;
    }
    // Parallel: either the whole ray lies in the plane or it never meets it.
    status = std::fabs(signedDistance) <= EPSILON ? RAY_IN_PLANE : NONE;
    return status == RAY_IN_PLANE;
}

bool IntersectRay3Sphere3::Find()
{
    const Vector4& d = ray->direction;
    if (!Detail::IsUsableDirection(d))
    {
        status = NONE;
        return false;
    }
    const Vector4 diff = ray->origin - sphere->centre;
    const f32 a = d.Dot(d);
    const f32 b = 2.0f * d.Dot(diff);
    const f32 c = diff.Dot(diff) - sphere->radius * sphere->radius;
    const f32 discriminant = b * b - 4.0f * a * c;
    if (discriminant < 0.0f)
    {
        status = NONE;
        return false;
    }
    const f32 root = std::sqrt(discriminant);
    const f32 inverseTwoA = 1.0f / (2.0f * a);
    t0 = (root - b) * inverseTwoA;
    t1 = (-b - root) * inverseTwoA;
    point0 = ray->origin + d * t0;
    point1 = ray->origin + d * t1;
    status = TWO_POINTS;
    return true;
}

void IntersectRay3Sphere3::Draw(bool find, const ColorRGBA* colour)
{
    if (find)
    {
        Find();
    }
    if (status == ONE_POINT)
    {
        point0.Draw(colour);
    }
    else if (status == TWO_POINTS)
    {
        if (colour)
        {
            const ColorRGBA inverted = colour->Inverted();
            point0.Draw(&inverted);
            point1.Draw(&inverted);
        }
        const Segment3 chord(point0, point1);
        chord.Draw(colour);
    }
}

namespace
{
// Separating-axis test of a ray against a box given by centre, unit axes and half sizes.
bool RayMeetsBox(const Ray3& ray, const Point4& centre, const Vector4 (&axes)[3],
                 const f32 (&extents)[3])
{
    const Vector4& d = ray.direction;
    if (!Detail::IsUsableDirection(d))
    {
        return false;
    }
    const Vector4 diff = ray.origin - centre;
    f32 absCos[3];
    for (int i = 0; i < 3; ++i)
    {
        const f32 cosine = d.Dot(axes[i]);
        absCos[i] = std::fabs(cosine);
        const f32 offset = diff.Dot(axes[i]);
        // Outside this slab and heading away from it.
        if (std::fabs(offset) > extents[i] && offset * cosine >= 0.0f)
        {
            return false;
        }
    }
    const Vector4 w = d.Cross(diff);
    if (std::fabs(w.Dot(axes[0])) > extents[1] * absCos[2] + extents[2] * absCos[1])
    {
        return false;
    }
    if (std::fabs(w.Dot(axes[1])) > extents[0] * absCos[2] + extents[2] * absCos[0])
    {
        return false;
    }
    if (std::fabs(w.Dot(axes[2])) > extents[0] * absCos[1] + extents[1] * absCos[0])
    {
        return false;
    }
    return true;
}
} // namespace

bool IntersectRay3OOB3::Test()
{
    const Vector4 axes[3] = {box->axis0, box->axis1, box->axis2};
    const f32 extents[3] = {box->extent0, box->extent1, box->extent2};
    return RayMeetsBox(*ray, box->centre, axes, extents);
}

bool IntersectRay3AABB3::Test()
{
    static constexpr Vector4 WORLD_AXES[3] = {Vector4(1.0f, 0.0f, 0.0f, 0.0f),
                                              Vector4(0.0f, 1.0f, 0.0f, 0.0f),
                                              Vector4(0.0f, 0.0f, 1.0f, 0.0f)};
    const Vector4 half = (box->max - box->min) * 0.5f;
    const f32 extents[3] = {half.x, half.y, half.z};
    return RayMeetsBox(*ray, box->GetPosition(), WORLD_AXES, extents);
}

bool IntersectSphere3Sphere3::Find()
{
    const Point4& c0 = sphere0->centre;
    const Point4& c1 = sphere1->centre;
    const f32 r0 = sphere0->radius;
    const f32 r1 = sphere1->radius;
    const Vector4 diff = c1 - c0;
    const f32 lengthSquared = diff.Dot(diff);
    const f32 reach = r0 + r1;
    if (lengthSquared > reach * reach)
    {
        status = NONE;
        return false;
    }

    Vector4 u = diff;
    u.Normalize();
    const f32 gap = r0 - r1;
    // Every case but the crossing reduces the circle to a single point.
    auto setPoint = [this, &u](const Point4& where, s32 result)
    {
        point = where;
        circle = Circle3();
        circle.centre = where;
        circle.normal = u;
        if (!u.IsZero())
        {
            MakeOrthonormalBasis(circle.axis0, circle.axis1, u);
        }
        status = result;
        return true;
    };

    if (lengthSquared == reach * reach)
    {
        return setPoint(c0 + u * r0, ONE_POINT);
    }
    if (lengthSquared < gap * gap || lengthSquared == 0.0f)
    {
        return setPoint((c0 + c1) * 0.5f, r0 <= r1 ? FIRST_INSIDE_SECOND : SECOND_INSIDE_FIRST);
    }
    if (lengthSquared == gap * gap)
    {
        // The smaller sphere touches the larger one from inside, on the line of the centres.
        return r0 < r1 ? setPoint(c0 - u * r0, TOUCH_INSIDE_FIRST_SMALLER)
                       : setPoint(c0 + u * r0, TOUCH_INSIDE_FIRST_LARGER);
    }

    const f32 t = 0.5f * (1.0f + gap * reach / lengthSquared);
    const Point4 centre = c0 + diff * t;
    circle = Circle3(centre, u, std::sqrt(std::fabs(r0 * r0 - t * t * lengthSquared)));
    point = centre;
    status = CIRCLE;
    return true;
}

} // namespace Math
