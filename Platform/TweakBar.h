#pragma once
// The editor-bar layer's entry points that the engine calls: the enumeration call the asset
// managers need, the start and stop of the layer, the window size and drawing, and the input
// hooks through which the input system offers events to the bars. The bar layer itself (bars as
// data, drawn with Dear ImGui) completes this interface; until then the layer keeps its state as
// data and uses no event.
//
// Enumeration types get codes from EnumTypeBase up, one per call, so they never collide with
// the built-in value types' codes.

// An editor value type code; 0 means undefined.
typedef int TwType;

// One value of an editor enumeration and the text shown for it.
struct TwEnumVal
{
    int Value;
    const char* Label;
};

namespace TweakBar
{
constexpr TwType EnumTypeBase = 1000;
}

// Defines an enumeration for drop-down lists and returns its type code. The bar layer copies the
// labels it needs; until it exists the values are not looked at.
inline TwType TwDefineEnum(const char*, const TwEnumVal*, unsigned int)
{
    static TwType nextType = TweakBar::EnumTypeBase;
    return nextType++;
}

// The graphics libraries the bar layer can draw with; only OpenGL is used.
enum ETwGraphAPI
{
    TW_OPENGL = 1,
};

namespace TweakBar
{
// What the layer knows so far: whether it is started, the window size and the frames drawn.
struct LayerState
{
    bool initialized = false;
    int windowWidth = 0;
    int windowHeight = 0;
    unsigned int drawCount = 0;
};
const LayerState& GetLayerState();
} // namespace TweakBar

// Starts the layer for a graphics library (the device is not used with OpenGL); 1 on success.
int TwInit(ETwGraphAPI graphAPI, void* device);
// Stops the layer; 1 when it was started.
int TwTerminate();
// The size of the window the bars are drawn in; 1 on success.
int TwWindowSize(int width, int height);
// Draws every bar; 1 when the layer is started.
int TwDraw();

// Input offered to the bars, in the engine's key and button numbering. Each answers 1 when the
// bars used the event (the caller then drops it) and 0 otherwise.
int TwEventKeyGLFW(int key, int action);
int TwEventCharGLFW(int character, int action);
int TwEventMouseButtonGLFW(int button, int action);
int TwMouseMotion(int x, int y);
int TwMouseWheel(int position);
