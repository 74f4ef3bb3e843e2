#pragma once
// Base of the geometric shapes. Shapes carry positions as Math::Point4 (w = 1) and directions
// as Math::Vector4 (w = 0), own no memory and are copied by value; queries hold pointers to
// them, and a renderer's debug-draw queue may store copies to draw at the end of the frame.
#include "Math/Point4.h"

namespace Math
{

class ColorRGBA;

class Shape
{
public:
    virtual ~Shape() = default;
    // The shape's reference point.
    virtual Point4 GetPosition() const = 0;
    // Moves the shape so that its reference point is the given point.
    virtual void SetPosition(const Point4& position) = 0;
    // Draws at once through the debug drawers; a null colour keeps the current colour.
    virtual void Draw(const ColorRGBA* colour) const = 0;

protected:
    Shape() = default;
    Shape(const Shape&) = default;
    Shape& operator=(const Shape&) = default;
};

} // namespace Math
