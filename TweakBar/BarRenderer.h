#pragma once
// The seam between the bar layer's data and the code that draws it. The layer cannot depend on
// a drawing library, so the renderer (Graphics/EditorBars) installs its functions here before
// TwInit and removes them after TwTerminate; until then TwInit starts no drawing and TwDraw only
// runs the queued callbacks.
//
// Input: the Tw event calls record the pointer and queue button, key and character transitions
// here; the renderer takes them, one button and one key transition per frame, so a press and
// release that arrive between two frames still make a click. After each frame the renderer reports
// the screen areas it drew and whether it edits text, which decide what the event calls answer.
#include <string>
#include <vector>

namespace TweakBar
{
struct RendererTable
{
    // Starts drawing in the current OpenGL context; false when it cannot (the layer then stays
    // stopped).
    bool (*start)() = nullptr;
    void (*stop)() = nullptr;
    // Draws one frame of every visible bar.
    void (*draw)() = nullptr;
};
void InstallRenderer(const RendererTable& table);
void RemoveRenderer();

// One button or key change.
struct InputTransition
{
    int code = 0;
    bool down = false;
};

// Pointer and queued input since the renderer last took it.
struct PendingInput
{
    int mouseX = 0;
    int mouseY = 0;
    // Wheel steps since the last take (positive: away from the user).
    int wheelSteps = 0;
    // At most one button and one key transition per take.
    bool hasButtonTransition = false;
    InputTransition buttonTransition;
    bool hasKeyTransition = false;
    InputTransition keyTransition;
    std::vector<unsigned int> characters;
};
// Takes the pending input: the next button and key transitions, all characters, the wheel.
PendingInput TakeInput();

// A screen rectangle in pixels from the window's top left.
struct ScreenArea
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
// What the last frame drew: its bars' areas and whether a text field has the keyboard.
void ReportDrawnFrame(const std::vector<ScreenArea>& areas, bool editsText);
// Where the current frame draws one entry (inspectors find it with DrawnArea).
void ReportEntryArea(const std::string& barName, const std::string& entryName,
                     const ScreenArea& area);
// A setting given with "GLOBAL key=value" (empty when none was).
std::string GlobalSetting(const std::string& key);
// A renderer's failure, written like the layer's own (TwGetLastError, the error sink).
void ReportRendererError(const std::string& what);
} // namespace TweakBar
