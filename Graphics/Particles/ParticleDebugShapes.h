#pragma once
// Where emitters put the outlines of their shapes for debug drawing. The renderer's debug-draw
// queue takes them when it exists; tests record them. Each shape comes with its colour, its
// line width and whether it is drawn with the depth test.
#include "Math/Types.h"

namespace Math
{
class ColorRGBA;
class Shape;
} // namespace Math

namespace Graphics
{
class ParticleDebugShapes
{
public:
    virtual ~ParticleDebugShapes() = default;
    virtual void Add(const Math::Shape& shape, const Math::ColorRGBA& colour, f32 lineWidth,
                     bool depthTest) = 0;
};
} // namespace Graphics
