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
} // namespace TweakBar
