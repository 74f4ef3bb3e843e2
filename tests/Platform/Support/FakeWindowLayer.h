#pragma once
// A window layer without a window system: it records what is asked of it, opens or refuses to
// open as told, and lets a test feed raw events (in GLFW's numbering, through the layer's own
// translation) and controllers. Installed for its lifetime.
#include "Platform/WindowLayer.h"
#include <map>
#include <string>

class FakeWindowLayer : public Platform::WindowLayer
{
public:
    FakeWindowLayer() { Platform::SetWindowLayer(this); }
    ~FakeWindowLayer() override { Platform::SetWindowLayer(nullptr); }

    bool Open(int width, int height, bool fullScreen) override
    {
        ++openCount;
        open = canOpen;
        if (open)
        {
            openWidth = fullScreen ? desktopWidth : width;
            openHeight = fullScreen ? desktopHeight : height;
        }
        return open;
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void SwapBuffers() override { swaps += open ? 1 : 0; }
    void SetTitle(const char* text) override { title = open ? text : title; }
    void SetSwapInterval(int interval) override { swapInterval = interval; }
    void GetDesktopSize(int& width, int& height) override
    {
        width = desktopWidth;
        height = desktopHeight;
    }
    void GetContextVersion(int& major, int& minor, int& revision) override
    {
        major = open ? 4 : 0;
        minor = open ? 5 : 0;
        revision = 0;
    }
    bool IsFocused() override { return open && focused; }
    void SetCursorVisible(bool visible) override
    {
        cursorVisible = visible;
        ++cursorCalls;
    }
    void SetCursorPosition(int x, int y) override
    {
        cursorX = x;
        cursorY = y;
    }
    bool IsJoystickPresent(int id) override { return joysticks.count(id) != 0; }
    bool ReadJoystick(int id, Platform::JoystickState& state) override
    {
        auto it = joysticks.find(id);
        state = it != joysticks.end() ? it->second : Platform::JoystickState();
        return it != joysticks.end();
    }

    // A controller with the engine's five axes and fourteen buttons, all at rest.
    void PlugController(int id)
    {
        Platform::JoystickState state;
        state.axes.assign(5, 0.0f);
        state.buttons.assign(14, 0);
        joysticks[id] = state;
    }

    bool canOpen = true;
    bool open = false;
    bool focused = true;
    bool cursorVisible = true;
    int cursorCalls = 0;
    int openCount = 0;
    int openWidth = 0;
    int openHeight = 0;
    int desktopWidth = 1366;
    int desktopHeight = 768;
    int swaps = 0;
    int swapInterval = -1;
    int cursorX = -1;
    int cursorY = -1;
    std::string title;
    std::map<int, Platform::JoystickState> joysticks;
};
