#include "TweakBar/TweakBar.h"

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

// The bar data comes next; until then every bar call fails harmlessly.
TwBar* TwNewBar(const char*)
{
    return nullptr;
}
int TwDeleteBar(TwBar*)
{
    return 0;
}
TwBar* TwGetBarByName(const char*)
{
    return nullptr;
}
const char* TwGetBarName(const TwBar*)
{
    return "";
}
int TwAddVarCB(TwBar*, const char*, TwType, TwSetVarCallback, TwGetVarCallback, void*, const char*)
{
    return 0;
}
int TwAddButton(TwBar*, const char*, TwButtonCallback, void*, const char*)
{
    return 0;
}
int TwAddSeparator(TwBar*, const char*, const char*)
{
    return 0;
}
int TwRemoveVar(TwBar*, const char*)
{
    return 0;
}
int TwRemoveAllVars(TwBar*)
{
    return 0;
}
int TwDefine(const char*)
{
    return 0;
}
TwType TwDefineEnum(const char*, const TwEnumVal*, unsigned int)
{
    static TwType nextType = TweakBar::UserTypeBase;
    return nextType++;
}
TwType TwDefineStruct(const char*, const TwStructMember*, unsigned int, size_t, TwSummaryCallback,
                      void*)
{
    return 0;
}
int TwGetParam(TwBar*, const char*, const char*, ETwParamValueType, unsigned int, void*)
{
    return 0;
}
const char* TwGetLastError()
{
    return nullptr;
}
void TwCopyStdStringToLibrary(std::string& destination, const std::string& source)
{
    destination = source;
}
void TweakBar::SetErrorSink(ErrorSink) {}
