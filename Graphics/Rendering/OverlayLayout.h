#pragma once
// The overlay's layout arithmetic, kept free of OpenGL so it can be checked alone. Sizes and
// positions in "fractions" are parts of the window (0 to 1, y upwards), the unit of the
// overlay's orthographic projection; pixel positions grow upwards from the bottom left.
#include "Math/Matrix4.h"
#include "Math/Vector2.h"
#include <vector>

namespace Graphics
{
class OverlayLayout
{
public:
    // A page text is drawn at a fifth of its font texture's size per unit of "Scale".
    static constexpr f32 PageTextDivisor = 5.0f;

    // The quad of a texture of the given pixel size, in window fractions, times the scale:
    // 128 x 64 at scale (1, 1) in a 1024 x 768 window covers 0.125 x 0.0833. A window without
    // area gives (0, 0).
    static Math::Vector2 QuadSize(f32 textureWidth, f32 textureHeight, f32 windowWidth,
                                  f32 windowHeight, const Math::Vector2& scale);
    // Where an element that follows a world object stands, in pixels: the object's screen
    // position (window pixels from the top) flipped upwards, then moved by the element's
    // relative position in units of the reference size.
    static Math::Vector2 FollowPosition(const Math::Vector2& screen, f32 windowHeight,
                                        const Math::Vector2& relative,
                                        const Math::Vector2& reference);
    // The scale of a page text whose font texture has the given pixel size.
    static Math::Vector2 PageTextScale(f32 fontTextureWidth, f32 fontTextureHeight, f32 windowWidth,
                                       f32 windowHeight, const Math::Vector2& scale);
    // The model matrix (model layout) of a quad centred at `centre` with the given size, both
    // in window fractions.
    static Math::Matrix4 QuadModel(const Math::Vector2& centre, const Math::Vector2& size);

    // A box on the window, in pixels upwards from the bottom left.
    struct Box
    {
        f32 left, bottom, right, top;
    };
    // How far (pixels, upwards) `box` must be lifted, `lift` at least, so that it comes within
    // `gap` of none of the `taken` boxes: it rises to `gap` above each one it meets. Lifting
    // never brings it down onto a box it has cleared, so each is met once at most and the
    // search ends.
    static f32 LiftClear(const Box& box, f32 lift, const std::vector<Box>& taken, f32 gap);
};
} // namespace Graphics
