#pragma once
// What the input system and the input translation ask of the systems above the engine core:
// the window size, whether the editor bars are shown, the system mouse cursor, the id of the
// cursor object and the settings scripts. The core cannot call those systems, so their owners
// install these hooks when they start and remove them when they stop (as physics does for
// CollideMessage). A hook that is not installed does nothing and answers its default: a window
// of 1024 x 768, bars hidden, no cursor change, cursor object 0, no script.
// Main thread only.
#include "Math/Types.h"
#include <string>

namespace Core
{
namespace InputServices
{
constexpr s32 DefaultWindowWidth = 1024;
constexpr s32 DefaultWindowHeight = 768;

// Installed by the graphics system.
struct WindowHooks
{
    s32 (*windowWidth)() = nullptr;
    s32 (*windowHeight)() = nullptr;
    bool (*editorBarsShown)() = nullptr;
    void (*setMouseCursorVisible)(bool visible) = nullptr;
};
void InstallWindowHooks(const WindowHooks& hooks);
void RemoveWindowHooks();

// Installed by the camera system (the cursor object's owner).
using CursorObjectQuery = u32 (*)();
void InstallCursorObjectQuery(CursorObjectQuery query);
void RemoveCursorObjectQuery();

// Installed by the scripting layer: loads a settings script below "assets/Scripts/" under a
// script name and answers an opaque handle (null when it did not load); release destroys it.
struct ScriptHooks
{
    void* (*loadSettingsScript)(const std::string& file, const std::string& name) = nullptr;
    void (*releaseSettingsScript)(void* script) = nullptr;
};
void InstallScriptHooks(const ScriptHooks& hooks);
void RemoveScriptHooks();

s32 GetWindowWidth();
s32 GetWindowHeight();
bool AreEditorBarsShown();
void SetMouseCursorVisible(bool visible);
u32 GetCursorObjectId();
void* LoadSettingsScript(const std::string& file, const std::string& name);
void ReleaseSettingsScript(void* script);
} // namespace InputServices
} // namespace Core
