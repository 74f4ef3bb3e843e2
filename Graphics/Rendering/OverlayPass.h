#pragma once
// The last pass of the frame: the two-dimensional overlay on the window. In order: the texts
// that float in the world (with the active camera), the quads of the active user-interface page
// (those over world objects, the bars and ability icons, before the page's own) and its texts
// (every quad before any of the page's texts, each text at its element's place), then the
// cursor's heads-up element. Quads are drawn in window fractions under the unit orthographic
// projection, so the layout holds at any window size.
//
// Floating texts do not pile up: in list order (oldest first) each is lifted on the window,
// from where it was lifted to the frame before, until its glyph box is clear of every bar and
// icon and of every text before it (OverlayLayout::LiftClear); the lift is drawn as a rise in
// the world of as many pixels where the text stands.
//
// The pages and heads-up elements belong to the user-interface system, which hands them over
// through the hooks of OverlayServices.h; the layout arithmetic is OverlayLayout's. A missing
// program or "Quad" model skips the draws that need it (logged once per name); an element
// whose object, material or texture is missing is skipped for that frame. Depth testing is off
// during the pass and on again after it; blending stays as the composition left it. Main thread
// only, with a context.
#include "Graphics/Rendering/OverlayLayout.h"
#include "Graphics/Rendering/OverlayQuad.h"
#include "Math/Types.h"
#include <vector>

namespace Graphics
{
class Model;
class TextComponent;

class OverlayPass
{
public:
    static constexpr const char* QuadProgram = "TexturedNoLighting"; // category Static
    static constexpr const char* TextProgram = "Text2D";             // category Standard
    static constexpr const char* QuadModel = "Quad";

    OverlayPass();

    // One overlay on a window of the given size in pixels.
    void Draw(int windowWidth, int windowHeight);

private:
    // The quad program made current with the screen-space matrices; 0 when it is missing.
    u32 UseQuadProgram();
    void DrawPage(u32 program, const Model& quad, f32 width, f32 height);
    void DrawQuad(const OverlayQuad& element, u32 program, const Model& quad) const;
    void DrawPageText(const OverlayQuad& element, u32 program, f32 width, f32 height) const;
    void DrawWorldTexts(const Model& quad, f32 width, f32 height);
    // The lift of a world text this frame, in world units upwards (0 when it cannot be placed
    // on the window); stores its lift in pixels and takes its box.
    f32 LiftText(TextComponent& text, const Math::Matrix4& model, const Math::Vector3& scale,
                 const Math::Matrix4& viewProjection, f32 width, f32 height);
    void DrawCursor(const Model& quad, f32 width, f32 height);
    const Model* FindQuad();
    void ReportMissing(const char* what, bool& reported) const;

    // Refilled every frame; its capacity stays, so steady frames do not allocate.
    std::vector<OverlayQuad> m_quads;
    std::vector<OverlayLayout::Box> m_taken;
    bool m_reportedQuadProgram;
    bool m_reportedTextProgram;
    bool m_reportedQuadModel;
};
} // namespace Graphics
