#pragma once
// The window layer over GLFW 3: the one window, its context, its callbacks and the joysticks.
// GLFW must have been initialised (Platform/Window.h) before a window is opened.
#include "Platform/WindowLayer.h"

struct GLFWwindow;

namespace Platform
{
class GlfwWindowLayer final : public WindowLayer
{
public:
    GlfwWindowLayer() = default;
    ~GlfwWindowLayer() override;
    GlfwWindowLayer(const GlfwWindowLayer&) = delete;
    GlfwWindowLayer& operator=(const GlfwWindowLayer&) = delete;

    bool Open(int width, int height, bool fullScreen) override;
    void Close() override;
    bool IsOpen() const override { return m_window != nullptr; }
    void SwapBuffers() override;
    void SetTitle(const char* title) override;
    void SetSwapInterval(int interval) override;
    void GetDesktopSize(int& width, int& height) override;
    void GetContextVersion(int& major, int& minor, int& revision) override;
    bool IsFocused() override;
    void SetCursorVisible(bool visible) override;
    void SetCursorPosition(int x, int y) override;
    bool IsJoystickPresent(int id) override;
    bool ReadJoystick(int id, JoystickState& state) override;

private:
    void ApplyCursorMode();

    GLFWwindow* m_window = nullptr;
    bool m_cursorVisible = true;
};
} // namespace Platform
