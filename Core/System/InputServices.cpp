#include "Core/System/InputServices.h"

namespace Core
{
namespace InputServices
{
namespace
{
WindowHooks g_window;
CursorObjectQuery g_cursorObject = nullptr;
ScriptHooks g_scripts;
} // namespace

void InstallWindowHooks(const WindowHooks& hooks)
{
    g_window = hooks;
}

void RemoveWindowHooks()
{
    g_window = WindowHooks();
}

void InstallCursorObjectQuery(CursorObjectQuery query)
{
    g_cursorObject = query;
}

void RemoveCursorObjectQuery()
{
    g_cursorObject = nullptr;
}

void InstallScriptHooks(const ScriptHooks& hooks)
{
    g_scripts = hooks;
}

void RemoveScriptHooks()
{
    g_scripts = ScriptHooks();
}

s32 GetWindowWidth()
{
    return g_window.windowWidth != nullptr ? g_window.windowWidth() : DefaultWindowWidth;
}

s32 GetWindowHeight()
{
    return g_window.windowHeight != nullptr ? g_window.windowHeight() : DefaultWindowHeight;
}

bool AreEditorBarsShown()
{
    return g_window.editorBarsShown != nullptr && g_window.editorBarsShown();
}

void SetMouseCursorVisible(bool visible)
{
    if (g_window.setMouseCursorVisible != nullptr)
        g_window.setMouseCursorVisible(visible);
}

u32 GetCursorObjectId()
{
    return g_cursorObject != nullptr ? g_cursorObject() : 0;
}

void* LoadSettingsScript(const std::string& file, const std::string& name)
{
    return g_scripts.loadSettingsScript != nullptr ? g_scripts.loadSettingsScript(file, name)
                                                   : nullptr;
}

void ReleaseSettingsScript(void* script)
{
    if (script != nullptr && g_scripts.releaseSettingsScript != nullptr)
        g_scripts.releaseSettingsScript(script);
}
} // namespace InputServices
} // namespace Core
