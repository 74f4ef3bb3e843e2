// The overlay's layout arithmetic: quad sizes from the texture and window, the position of an
// element that follows a world object, a page text's scale and the quad's model matrix.
#include "Graphics/Rendering/OverlayLayout.h"
#include <gtest/gtest.h>

using Graphics::OverlayLayout;

namespace
{
constexpr f32 Tolerance = 1e-5f;
}

TEST(OverlayLayout, QuadsAndPageTextsAreSizedByTheirTextureOverTheWindowTimesScale)
{
    const Math::Vector2 unit(1.0f, 1.0f);
    const Math::Vector2 size = OverlayLayout::QuadSize(128.0f, 64.0f, 1024.0f, 768.0f, unit);
    EXPECT_NEAR(size.x, 0.125f, Tolerance);
    EXPECT_NEAR(size.y, 0.0833333f, Tolerance);
    const Math::Vector2 scaled =
        OverlayLayout::QuadSize(128.0f, 64.0f, 1024.0f, 768.0f, Math::Vector2(2.0f, 0.5f));
    EXPECT_NEAR(scaled.x, 0.25f, Tolerance);
    EXPECT_NEAR(scaled.y, 0.0416667f, Tolerance);
    const Math::Vector2 none = OverlayLayout::QuadSize(128.0f, 64.0f, 0.0f, 0.0f, unit);
    EXPECT_EQ(none.x, 0.0f) << "a minimised window has no area to share";
    EXPECT_EQ(none.y, 0.0f);

    // A fifth of the font texture per unit of "Scale".
    const Math::Vector2 text =
        OverlayLayout::PageTextScale(256.0f, 128.0f, 1024.0f, 768.0f, Math::Vector2(1.0f, 3.0f));
    EXPECT_NEAR(text.x, 0.05f, Tolerance);
    EXPECT_NEAR(text.y, 0.1f, Tolerance);
}

TEST(OverlayLayout, AFollowingElementStandsAtItsObjectFlippedUpAndMovedInReferenceUnits)
{
    const Math::Vector2 reference(1366.0f, 768.0f);
    // Window pixels from the top: 700 down a 768-high window is 68 up.
    const Math::Vector2 at = OverlayLayout::FollowPosition(Math::Vector2(100.0f, 700.0f), 768.0f,
                                                           Math::Vector2(0.1f, 0.25f), reference);
    EXPECT_NEAR(at.x, 100.0f + 136.6f, 1e-3f);
    EXPECT_NEAR(at.y, 68.0f + 192.0f, 1e-3f);

    // The quad's model matrix: centred where asked, as large as asked (model layout).
    const Math::Matrix4 model =
        OverlayLayout::QuadModel(Math::Vector2(0.25f, 0.75f), Math::Vector2(0.5f, 0.1f));
    const Math::Vector4 corner = model * Math::Vector4(0.5f, 0.5f, 0.0f, 1.0f);
    EXPECT_NEAR(corner.x, 0.5f, Tolerance);
    EXPECT_NEAR(corner.y, 0.8f, Tolerance);
    EXPECT_NEAR(corner.z, 0.0f, Tolerance);
}
