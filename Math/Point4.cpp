#include "Math/Point4.h"

#include "Math/DebugDraw.h"

namespace Math
{

void Point4::Draw(const ColorRGBA* colour) const
{
    DebugDrawPoint4(*this, colour);
}

} // namespace Math
