#pragma once
// Distance queries: the distance between two shapes with the closest point on each, and the
// search of a time interval for the moment of closest approach of two shapes moving at
// constant velocities. A query holds pointers to its two shapes, which must outlive it.
//
// The "no point" marker (MARKER_POINT) is what DistPoint4Circle3 reports as the circle's
// closest point when the point lies on the circle's axis, where every circle point is equally
// near. The circle-circle and line-circle queries never report it: they take a real circle
// point at that distance instead.
#include "Math/Shapes/Circle3.h"
#include "Math/Shapes/Line3.h"
#include "Math/Shapes/Plane.h"

#include <cmath>
#include <limits>

namespace Math
{

class Distance
{
public:
    static constexpr f32 NO_DISTANCE = std::numeric_limits<f32>::max();
    static constexpr Point4 MARKER_POINT = Point4(NO_DISTANCE, NO_DISTANCE, NO_DISTANCE, 1.0f);
    static constexpr f32 DEFAULT_TOLERANCE = 0.00001f;
    static constexpr f32 DEFAULT_DERIVATIVE_STEP = 0.001f;

    Distance();
    virtual ~Distance() = default;

    // Draws both shapes (colour0, colour1), the closest points (closestPoint0 in colour1,
    // closestPoint1 in colour0) and the segment between them (colour2); with compute set,
    // GetSquared runs first. Colours may be null.
    virtual void Draw(bool compute, const ColorRGBA* colour0, const ColorRGBA* colour1,
                      const ColorRGBA* colour2) = 0;
    // Distance at the time of closest approach in [tmin, tmax]; sets contactTime.
    virtual f32 GetOverInterval(f32 tmin, f32 tmax, const Vector4& velocity0,
                                const Vector4& velocity1);
    // Distance after both shapes have moved for time t.
    virtual f32 GetAt(f32 t, const Vector4& velocity0, const Vector4& velocity1) const = 0;
    // The distance now; fills the closest points.
    virtual f32 Get() = 0;
    virtual f32 GetSquaredOverInterval(f32 tmin, f32 tmax, const Vector4& velocity0,
                                       const Vector4& velocity1);
    virtual f32 GetSquaredAt(f32 t, const Vector4& velocity0, const Vector4& velocity1) const = 0;
    // The squared distance now; fills the closest points.
    virtual f32 GetSquared() = 0;
    // Central difference of GetAt with step derivativeStep.
    virtual f32 GetDerivativeAt(f32 t, const Vector4& velocity0, const Vector4& velocity1) const;
    // 2 GetAt(t) GetDerivativeAt(t).
    virtual f32 GetSquaredDerivativeAt(f32 t, const Vector4& velocity0,
                                       const Vector4& velocity1) const;

    const Point4& GetClosestPoint0() const { return closestPoint0; }
    const Point4& GetClosestPoint1() const { return closestPoint1; }

    // Iteration limit of each phase of the interval search; 0 stops it at tmin.
    s32 maxIterations;
    // A distance at or below this counts as contact; also the bisection's derivative tolerance.
    f32 tolerance;
    // Time found by the last interval search.
    f32 contactTime;
    Point4 closestPoint0;
    Point4 closestPoint1;
    f32 derivativeStep;
    // 1 / (2 derivativeStep).
    f32 inverseTwoStep;

protected:
    Distance(const Distance&) = default;
    Distance& operator=(const Distance&) = default;

    // Draws the closest points and the segment between them.
    void DrawClosestPoints(const ColorRGBA* colour0, const ColorRGBA* colour1,
                           const ColorRGBA* colour2) const;

private:
    f32 SearchInterval(f32 tmin, f32 tmax, const Vector4& velocity0, const Vector4& velocity1,
                       bool squared);
};

// What every two-shape query below shares, written once over the query type Query (a template,
// so that the moved query is built and asked without a virtual call). Query befriends this class
// and supplies, privately:
// - Moved(t, velocity0, velocity1, squared): the distance (squared when asked) with the first
//   shape moved by velocity0 t and the second by velocity1 t;
// - DrawShapes(colour0, colour1): draws the first shape in colour0 and the second in colour1.
template <typename Query> class ShapeDistance : public Distance
{
public:
    void Draw(bool compute, const ColorRGBA* colour0, const ColorRGBA* colour1,
              const ColorRGBA* colour2) override
    {
        if (compute)
        {
            GetSquared();
        }
        Self().DrawShapes(colour0, colour1);
        DrawClosestPoints(colour0, colour1, colour2);
    }
    f32 GetAt(f32 t, const Vector4& velocity0, const Vector4& velocity1) const override
    {
        return Self().Moved(t, velocity0, velocity1, false);
    }
    f32 Get() override { return std::sqrt(GetSquared()); }
    f32 GetSquaredAt(f32 t, const Vector4& velocity0, const Vector4& velocity1) const override
    {
        return Self().Moved(t, velocity0, velocity1, true);
    }

private:
    const Query& Self() const { return static_cast<const Query&>(*this); }
};

// Point to plane. The plane's normal is used as stored (a longer normal scales the result).
class DistPoint4Plane : public ShapeDistance<DistPoint4Plane>
{
public:
    DistPoint4Plane(const Point4& point_, const Plane& plane_) : point(&point_), plane(&plane_) {}

    // |signed distance|, without the square root of the squared one.
    f32 Get() override;
    f32 GetSquared() override;

    const Point4* point;
    const Plane* plane;

private:
    friend class ShapeDistance<DistPoint4Plane>;

    // The signed distance; fills the closest points.
    f32 Compute();
    f32 Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1, bool squared) const;
    void DrawShapes(const ColorRGBA* colour0, const ColorRGBA* colour1) const
    {
        point->Draw(colour0);
        plane->Draw(colour1);
    }
};

// Point to circle. A point on the circle's axis reports MARKER_POINT as closestPoint1.
class DistPoint4Circle3 : public ShapeDistance<DistPoint4Circle3>
{
public:
    DistPoint4Circle3(const Point4& point_, const Circle3& circle_)
        : point(&point_), circle(&circle_)
    {
    }

    f32 GetSquared() override;

    const Point4* point;
    const Circle3* circle;

private:
    friend class ShapeDistance<DistPoint4Circle3>;

    f32 Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1, bool squared) const;
    void DrawShapes(const ColorRGBA* colour0, const ColorRGBA* colour1) const
    {
        point->Draw(colour0);
        circle->Draw(colour1);
    }
};

// Circle to circle, approximated by alternating projection (not an exact minimum).
class DistCircle3Circle3 : public ShapeDistance<DistCircle3Circle3>
{
public:
    DistCircle3Circle3(const Circle3& circle0_, const Circle3& circle1_)
        : circle0(&circle0_), circle1(&circle1_)
    {
    }

    f32 GetSquared() override;

    const Circle3* circle0;
    const Circle3* circle1;

private:
    friend class ShapeDistance<DistCircle3Circle3>;

    f32 Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1, bool squared) const;
    void DrawShapes(const ColorRGBA* colour0, const ColorRGBA* colour1) const
    {
        circle0->Draw(colour0);
        circle1->Draw(colour1);
    }
};

// Line to circle, from the real roots of a quartic in the line parameter. NO_DISTANCE (closest
// points unchanged) when neither a root nor a crossing of the circle's plane exists.
class DistLine3Circle3 : public ShapeDistance<DistLine3Circle3>
{
public:
    // Decimal digits to which the candidate line parameters are found.
    static constexpr s32 ROOT_DIGITS = 6;

    DistLine3Circle3(const Line3& line_, const Circle3& circle_) : line(&line_), circle(&circle_) {}

    f32 GetSquared() override;

    const Line3* line;
    const Circle3* circle;

private:
    friend class ShapeDistance<DistLine3Circle3>;

    f32 Moved(f32 t, const Vector4& velocity0, const Vector4& velocity1, bool squared) const;
    void DrawShapes(const ColorRGBA* colour0, const ColorRGBA* colour1) const
    {
        line->Draw(colour0);
        circle->Draw(colour1);
    }
};

} // namespace Math
