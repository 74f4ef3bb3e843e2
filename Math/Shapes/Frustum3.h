#pragma once
// A view frustum given by the matrix that maps the normalised cube to it (normally the inverse
// of a camera's view-projection) and the eight corners that matrix yields. Corners 0 to 3 form
// the face at cube z = 1 and corners 4 to 7 the face at z = -1, each in the order
// (left, top), (right, top), (left, bottom), (right, bottom). Its reference point is the
// origin and it cannot be moved.
#include "Math/Matrix4.h"
#include "Math/Shapes/Shape.h"

namespace Math
{

class Frustum3 : public Shape
{
public:
    static constexpr int CORNER_COUNT = 8;

    Frustum3() = default;

    Point4 GetPosition() const override { return Point4(); }
    void SetPosition(const Point4&) override {}
    // Draws the twelve edges as segments.
    void Draw(const ColorRGBA* colour) const override;

    // Recomputes the corners from the matrix.
    void ComputeCorners();

    Matrix4 matrix;
    Point4 corners[CORNER_COUNT];
};

} // namespace Math
