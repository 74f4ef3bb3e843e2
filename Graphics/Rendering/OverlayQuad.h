#pragma once
// One heads-up quad as the overlay pass draws it: the material whose diffuse texture it shows,
// its centre and size in fractions of the window (the button slide already added to the
// centre), the element's "Scale" (its text is drawn at a fifth of the font texture per unit),
// its alpha and tint, the object that carries it (its text, when it has one), and whether it
// hangs over a world object (a health bar or an ability icon: the floating texts keep clear).
#include "Math/ColorRGBA.h"
#include "Math/Vector2.h"

namespace Graphics
{
class Material;

struct OverlayQuad
{
    const Material* material = nullptr; // owned by the material manager
    Math::Vector2 centre;
    Math::Vector2 size;
    Math::Vector2 scale{1.0f, 1.0f};
    f32 alpha = 1.0f;
    Math::ColorRGBA colour{1.0f, 1.0f, 1.0f, 1.0f};
    u32 objectId = 0;
    bool followsObject = false;
};
} // namespace Graphics
