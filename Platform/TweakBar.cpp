#include "Platform/TweakBar.h"

namespace
{
TweakBar::LayerState g_state;
} // namespace

const TweakBar::LayerState& TweakBar::GetLayerState()
{
    return g_state;
}

int TwInit(ETwGraphAPI graphAPI, void*)
{
    if (graphAPI != TW_OPENGL)
        return 0;
    g_state.initialized = true;
    return 1;
}

int TwTerminate()
{
    const bool wasStarted = g_state.initialized;
    g_state = TweakBar::LayerState();
    return wasStarted ? 1 : 0;
}

int TwWindowSize(int width, int height)
{
    if (width < 0 || height < 0)
        return 0;
    g_state.windowWidth = width;
    g_state.windowHeight = height;
    return 1;
}

int TwDraw()
{
    if (!g_state.initialized)
        return 0;
    ++g_state.drawCount;
    return 1;
}

// No bar exists yet, so no event is used.
int TwEventKeyGLFW(int, int)
{
    return 0;
}

int TwEventCharGLFW(int, int)
{
    return 0;
}

int TwEventMouseButtonGLFW(int, int)
{
    return 0;
}

int TwMouseMotion(int, int)
{
    return 0;
}

int TwMouseWheel(int)
{
    return 0;
}
