// Covers: GeometryTests, GraphicsSystem.
// The geometry checks as a player sees them with F2 on: the debug scene of the screenshot tests
// is drawn twice on a display of the test's own, first with the checks' script hook removed
// (the "geo" script's calls then draw nothing) and then with the testing subsystem registered as
// the game registers it. What the second frame adds must hold the faint yellow of the ground
// plane and the red, green and yellow of the bouncing circles. Both frames are written beside the
// test's build output as GeometryDebugOff.png and GeometryDebug.png for review.
#include "Testing/GeometryTests.h"
#include "Testing/TestingRegistration.h"
#include "tests/Graphics/Rendering/SceneRendering.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tinyxml2.h>

using namespace SceneFile;

namespace
{
// A channel that moved by more than this counts as changed by the checks.
constexpr int ChangeThreshold = 8;
// Pure-ish line colours: the named channels at least Strong, the others at most Weak.
constexpr int Strong = 150;
constexpr int Weak = 90;
// The circles are thin lines: a few dozen pixels of each colour are plenty to tell them apart
// from noise.
constexpr std::size_t MinLinePixels = 40;
// The ground plane lies just under the ground model, which hides it; beyond the model's far edge
// it turns the grey-blue sky yellowish (red and green well above blue), a band of at least this
// share of the window.
constexpr int TintMargin = 40;
constexpr double MinGroundShare = 0.01;

struct Census
{
    std::size_t red = 0;
    std::size_t green = 0;
    std::size_t yellow = 0;
    std::size_t yellowTint = 0; // faintly yellow: no line colour, red and green above blue
};

Census CountAdded(const Frame& before, const Frame& after)
{
    Census census;
    for (std::size_t i = 0; i + BytesPerPixel <= after.rgb.size(); i += BytesPerPixel)
    {
        const int r = after.rgb[i], g = after.rgb[i + 1], b = after.rgb[i + 2];
        if (std::abs(r - before.rgb[i]) <= ChangeThreshold &&
            std::abs(g - before.rgb[i + 1]) <= ChangeThreshold &&
            std::abs(b - before.rgb[i + 2]) <= ChangeThreshold)
            continue;
        const bool red = r >= Strong && g <= Weak && b <= Weak;
        const bool green = g >= Strong && r <= Weak && b <= Weak;
        const bool yellow = r >= Strong && g >= Strong && b <= Weak;
        census.red += red ? 1 : 0;
        census.green += green ? 1 : 0;
        census.yellow += yellow ? 1 : 0;
        const bool tint = std::min(r, g) >= b + TintMargin;
        census.yellowTint += (tint && !red && !green && !yellow) ? 1 : 0;
    }
    return census;
}
} // namespace

TEST(GeometryDebugScreenshot, F2ShowsTheGroundPlaneAndTheCircles)
{
    OwnDisplay display;
    std::string reason;
    if (!display.Start(reason))
        GTEST_SKIP() << reason;
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.LoadFile(QUILL_ASSET_ROOT "/tests/Graphics/Scenes/DebugScene.xml"),
              tinyxml2::XML_SUCCESS);
    TempFolder folder("quill-geometry-debug");
    ASSERT_TRUE(SceneFile::MakeSceneAssetTree(QUILL_ASSET_ROOT, folder.Path(""), WindowWidthPixels,
                                              WindowHeightPixels));
    std::error_code error;
    std::filesystem::create_directory_symlink(
        std::filesystem::path(QUILL_ASSET_ROOT) / "assets/Scripts/Debug",
        std::filesystem::path(folder.Path("")) / "assets/Scripts/Debug", error);
    ASSERT_FALSE(error) << error.message();

    Frame without;
    ASSERT_TRUE(RenderScene(document.RootElement(), without, reason)) << reason;
    Frame with;
    ASSERT_TRUE(RenderScene(document.RootElement(), with, reason,
                            [](Engine& engine) { Testing::RegisterTesting(engine); }))
        << reason;
    WritePng(without, QUILL_SCREENSHOT_DIR "/GeometryDebugOff.png");
    WritePng(with, QUILL_SCREENSHOT_DIR "/GeometryDebug.png");

    const Census added = CountAdded(without, with);
    const double pixels = double(with.rgb.size() / BytesPerPixel);
    EXPECT_GE(double(added.yellowTint) / pixels, MinGroundShare) << "the ground plane is missing";
    EXPECT_GE(added.red, MinLinePixels) << "no red circle";
    EXPECT_GE(added.green, MinLinePixels) << "no green circle";
    EXPECT_GE(added.yellow, MinLinePixels) << "no yellow circle";
}
