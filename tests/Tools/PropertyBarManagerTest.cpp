// The bars the manager makes at start-up, where a window of a given size shows them.
#include "Tools/PropertyBarManager.h"
#include "Graphics/GraphicsSystem.h"
#include "Tools/ToolsSystem.h"
#include "TweakBar/BarInspector.h"
#include "tests/Support/FakeWindowLayer.h"
#include "tests/Support/World.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
TweakBar::BarView Shown(const Tools::System::PropertyBarManager& bars, const std::string& name)
{
    TweakBar::BarView view;
    const Tools::PropertyBar* bar = bars.Find(name, Tools::System::PropertyBarManager::BarCategory);
    EXPECT_TRUE(bar != nullptr && TweakBar::InspectBar(bar->GetTweakName(), view)) << name;
    return view;
}

bool Overlap(const TweakBar::BarView& a, const TweakBar::BarView& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}
} // namespace

// F1 shows both bars at once: the performance bar must not hide the property bar's title or
// entries, at the smallest window the game supports and at a large one.
TEST(PropertyBarManager, PerformanceBarLeavesThePropertyBarUncovered)
{
    FakeWindowLayer layer;
    World world;
    Graphics::System::GraphicsSystem graphics;
    Tools::System::ToolsSystem tools;
    tools.Initialize(0);
    const Tools::System::PropertyBarManager& bars = *tools.GetBarManager();
    const int sizes[][2] = {{800, 600}, {1920, 1080}};
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        graphics.OnWindowResize(size[0], size[1]); // the bars follow through their reload
        const TweakBar::BarView property = Shown(bars, "PropertyEditor");
        const TweakBar::BarView performance = Shown(bars, "GrPerformance");
        ASSERT_GT(property.width * property.height, 0);
        ASSERT_GT(performance.width * performance.height, 0);
        EXPECT_FALSE(Overlap(property, performance))
            << "property at " << property.x << "," << property.y << ", performance at "
            << performance.x << "," << performance.y;
        EXPECT_LE(performance.x + performance.width, size[0]) << "off the window's right edge";
    }
}
