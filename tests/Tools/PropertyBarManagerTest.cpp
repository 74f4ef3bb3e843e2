// The bars the manager makes at start-up, where a window of a given size shows them.
#include "Tools/PropertyBarManager.h"
#include "Graphics/GraphicsSystem.h"
#include "Tools/ToolsSystem.h"
#include "TweakBar/BarInspector.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
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

// F1 shows the property and performance bars at once, and the particle editor shows its own
// bar with them: none may hide another's title or entries, at the smallest window the game
// supports and at a large one.
TEST(PropertyBarManager, BarsLeaveEachOtherUncovered)
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
        const TweakBar::BarView shown[] = {Shown(bars, "PropertyEditor"),
                                           Shown(bars, "GrPerformance"),
                                           Shown(bars, "ParticleEditor")};
        for (std::size_t i = 0; i < std::size(shown); ++i)
        {
            const TweakBar::BarView& a = shown[i];
            ASSERT_GT(a.width * a.height, 0) << a.name;
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= size[0] &&
                        a.y + a.height <= size[1])
                << a.name << " leaves the window";
            for (std::size_t j = i + 1; j < std::size(shown); ++j)
                EXPECT_FALSE(Overlap(a, shown[j]))
                    << a.name << " at " << a.x << "," << a.y << ", " << shown[j].name << " at "
                    << shown[j].x << "," << shown[j].y;
        }
    }
}
