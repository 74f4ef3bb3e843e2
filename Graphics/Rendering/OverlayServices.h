#pragma once
// The overlay pass's service hooks: the pages and heads-up elements belong to the user-interface
// system, a layer above the renderer, so the overlay asks for them through these hooks, which
// the user-interface system installs in Initialize and removes when it goes (Core/ServiceHook.h).
// Uninstalled, a hook gives nothing and the overlay draws only the world-space texts.
#include "Core/ServiceHook.h"
#include "Graphics/Rendering/OverlayQuad.h"
#include <vector>

namespace Graphics
{
struct OverlayServices
{
    // Appends the quads of the active page, in its element order, laid out for a window of the
    // given size in pixels; stores each element's drawn size (its hit size for the mouse; owner:
    // the user-interface system).
    ServiceHook<void(std::vector<OverlayQuad>& quads, f32 windowWidth, f32 windowHeight)>
        collectPageQuads;
    // The heads-up element of one object (the cursor's), laid out for the window; false when
    // the object has none or it has nothing to show (owner: the user-interface system).
    ServiceHook<bool(u32 objectId, OverlayQuad& quad, f32 windowWidth, f32 windowHeight)>
        elementQuad;
};

// The process's one table.
OverlayServices& GetOverlayServices();
} // namespace Graphics
