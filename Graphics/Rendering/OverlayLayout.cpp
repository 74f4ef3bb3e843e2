#include "Graphics/Rendering/OverlayLayout.h"
#include "Math/Quaternion.h"
#include "Math/Vector3.h"

namespace Graphics
{
namespace
{
f32 Part(f32 value, f32 whole)
{
    return whole > 0.0f ? value / whole : 0.0f;
}
} // namespace

Math::Vector2 OverlayLayout::QuadSize(f32 textureWidth, f32 textureHeight, f32 windowWidth,
                                      f32 windowHeight, const Math::Vector2& scale)
{
    return Math::Vector2(Part(textureWidth, windowWidth) * scale.x,
                         Part(textureHeight, windowHeight) * scale.y);
}

Math::Vector2 OverlayLayout::FollowPosition(const Math::Vector2& screen, f32 windowHeight,
                                            const Math::Vector2& relative,
                                            const Math::Vector2& reference)
{
    const f32 x = screen.x;
    const f32 y = windowHeight - screen.y;
    return Math::Vector2((Part(x, reference.x) + relative.x) * reference.x,
                         (Part(y, reference.y) + relative.y) * reference.y);
}

Math::Vector2 OverlayLayout::PageTextScale(f32 fontTextureWidth, f32 fontTextureHeight,
                                           f32 windowWidth, f32 windowHeight,
                                           const Math::Vector2& scale)
{
    return Math::Vector2(Part(fontTextureWidth, windowWidth) * scale.x / PageTextDivisor,
                         Part(fontTextureHeight, windowHeight) * scale.y / PageTextDivisor);
}

f32 OverlayLayout::LiftClear(const Box& box, f32 lift, const std::vector<Box>& taken, f32 gap)
{
    for (std::size_t pass = 0; pass <= taken.size(); ++pass)
    {
        bool met = false;
        for (const Box& other : taken)
        {
            const bool across = box.left < other.right + gap && other.left - gap < box.right;
            const bool upright =
                box.bottom + lift < other.top + gap && other.bottom - gap < box.top + lift;
            if (across && upright)
            {
                lift = other.top + gap - box.bottom;
                met = true;
            }
        }
        if (!met)
            break;
    }
    return lift;
}

Math::Matrix4 OverlayLayout::QuadModel(const Math::Vector2& centre, const Math::Vector2& size)
{
    Math::Matrix4 model;
    model.Compose(Math::Point4(centre.x, centre.y, 0.0f, 1.0f), Math::Quaternion(),
                  Math::Vector3(size.x, size.y, 1.0f));
    return model;
}
} // namespace Graphics
