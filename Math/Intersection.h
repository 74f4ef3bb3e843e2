#pragma once
// Intersection queries: does one shape meet another, and for some pairs, where. A query holds
// pointers to its two shapes (it neither owns nor copies them; they must outlive it), is built
// for one test, asked with Test (whether) or Find (whether and where, filling status and the
// results), and discarded.
//
// A ray whose direction is shorter than EPSILON meets nothing (status NONE).
#include "Math/Shapes/AABB3.h"
#include "Math/Shapes/Circle3.h"
#include "Math/Shapes/OOB3.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Shapes/Sphere3.h"

namespace Math
{

class Intersection
{
public:
    // Values of status.
    static constexpr s32 NONE = 0;
    static constexpr s32 ONE_POINT = 1;
    static constexpr s32 TWO_POINTS = 2;
    static constexpr s32 RAY_IN_PLANE = 3;
    static constexpr s32 CIRCLE = 8;
    static constexpr s32 FIRST_INSIDE_SECOND = 10;
    static constexpr s32 SECOND_INSIDE_FIRST = 11;
    static constexpr s32 TOUCH_INSIDE_FIRST_SMALLER = 12;
    static constexpr s32 TOUCH_INSIDE_FIRST_LARGER = 13;

    Intersection() : status(NONE) {}
    virtual ~Intersection() = default;

    // Tests of shapes moving at constant velocities up to time tmax: no query supports them.
    virtual bool Test(f32 tmax, const Vector4& velocity0, const Vector4& velocity1);
    // Whether the shapes meet, without computing where.
    virtual bool Test() { return false; }
    virtual bool Find(f32 tmax, const Vector4& velocity0, const Vector4& velocity1);
    // Whether the shapes meet; fills status and the query's results.
    virtual bool Find() { return false; }

    s32 status;

protected:
    Intersection(const Intersection&) = default;
    Intersection& operator=(const Intersection&) = default;
};

namespace Detail
{
// A ray direction must be at least EPSILON long to point anywhere.
inline bool IsUsableDirection(const Vector4& direction)
{
    return direction.LengthSquared() >= EPSILON * EPSILON;
}
} // namespace Detail

// Ray against plane. After a Find with status ONE_POINT, t is the ray parameter of the hit;
// status RAY_IN_PLANE means the ray lies in the plane (t keeps its previous value).
class IntersectRay3Plane : public Intersection
{
public:
    IntersectRay3Plane(const Ray3& ray_, const Plane& plane_) : ray(&ray_), plane(&plane_), t(-1.0f)
    {
    }

    using Intersection::Find;
    using Intersection::Test;
    bool Test() override { return Find(); }
    bool Find() override;

    // origin + direction * t: the hit point after a Find with status ONE_POINT.
    Point4 GetPoint() const { return ray->origin + ray->direction * t; }

    const Ray3* ray;
    const Plane* plane;
    f32 t;
};

// Ray against sphere, the ray taken as a whole line: Find reports both crossings (status
// TWO_POINTS, t0 >= t1, point0 at t0), negative parameters and tangent rays included.
class IntersectRay3Sphere3 : public Intersection
{
public:
    IntersectRay3Sphere3(const Ray3& ray_, const Sphere3& sphere_)
        : ray(&ray_), sphere(&sphere_), t0(0.0f), t1(0.0f)
    {
    }

    using Intersection::Find;
    using Intersection::Test;
    bool Test() override
    {
        const Vector4& d = ray->direction;
        if (!Detail::IsUsableDirection(d))
        {
            return false;
        }
        const Vector4 diff = ray->origin - sphere->centre;
        const f32 a = d.Dot(d);
        const f32 b = 2.0f * d.Dot(diff);
        const f32 c = diff.Dot(diff) - sphere->radius * sphere->radius;
        return b * b - 4.0f * a * c >= 0.0f;
    }
    bool Find() override;

    // Draws the result (after a Find when find is set): one point in the colour, or both points
    // in the inverted colour (only when a colour is given) and the segment between them.
    void Draw(bool find, const ColorRGBA* colour);

    const Ray3* ray;
    const Sphere3* sphere;
    Point4 point0;
    Point4 point1;
    f32 t0;
    f32 t1;
};

// Ray against oriented box by separating axes; Test only.
class IntersectRay3OOB3 : public Intersection
{
public:
    IntersectRay3OOB3(const Ray3& ray_, const OOB3& box_) : ray(&ray_), box(&box_) {}

    using Intersection::Test;
    bool Test() override;

    const Ray3* ray;
    const OOB3* box;
};

// Ray against axis-aligned box (as an oriented box with the world axes); Test only.
class IntersectRay3AABB3 : public Intersection
{
public:
    IntersectRay3AABB3(const Ray3& ray_, const AABB3& box_) : ray(&ray_), box(&box_) {}

    using Intersection::Test;
    bool Test() override;

    const Ray3* ray;
    const AABB3* box;
};

// Sphere against sphere. Find fills circle and point:
// - CIRCLE: the spheres cross in circle; point is its centre.
// - ONE_POINT: they touch from outside at point (circle of radius 0 there, normal towards the
//   second sphere).
// - FIRST_INSIDE_SECOND / SECOND_INSIDE_FIRST: one lies inside the other without touching (or
//   they coincide: FIRST_INSIDE_SECOND); point is the midpoint of the centres.
// - TOUCH_INSIDE_FIRST_SMALLER / _LARGER: they touch from inside at point.
// In all but CIRCLE the circle has radius 0 and is centred on point.
class IntersectSphere3Sphere3 : public Intersection
{
public:
    IntersectSphere3Sphere3(const Sphere3& sphere0_, const Sphere3& sphere1_)
        : sphere0(&sphere0_), sphere1(&sphere1_)
    {
    }

    using Intersection::Find;
    using Intersection::Test;
    bool Test() override
    {
        const Vector4 diff = sphere1->centre - sphere0->centre;
        const f32 reach = sphere0->radius + sphere1->radius;
        return diff.Dot(diff) <= reach * reach;
    }
    bool Find() override;

    const Sphere3* sphere0;
    const Sphere3* sphere1;
    Circle3 circle;
    Point4 point;
};

} // namespace Math
