#include "TweakBar/BarRenderer.h"
#include "TweakBar/BarLayer.h"

namespace TweakBar
{
void InstallRenderer(const RendererTable& table)
{
    BarLayer::Get().SetRenderer(table);
}

void RemoveRenderer()
{
    BarLayer::Get().SetRenderer(RendererTable());
}

PendingInput TakeInput()
{
    return BarLayer::Get().TakeInput();
}

void ReportDrawnFrame(const std::vector<ScreenArea>& areas, bool editsText)
{
    BarLayer::Get().ReportFrame(areas, editsText);
}
void ReportEntryArea(const std::string& barName, const std::string& entryName,
                     const ScreenArea& area)
{
    BarLayer::Get().ReportEntry(barName + "/" + entryName, area);
}

std::string GlobalSetting(const std::string& key)
{
    return BarLayer::Get().GlobalSetting(key);
}

void ReportRendererError(const std::string& what)
{
    BarLayer::Get().Fail("renderer", what);
}
} // namespace TweakBar
