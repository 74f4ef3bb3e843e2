#include "Platform/GlfwWindowLayer.h"
#include "Platform/KeyCodes.h"
#include <GLFW/glfw3.h>

namespace Platform
{
namespace
{
constexpr int ColourBits = 8;
constexpr int DepthBits = 24;

GlfwWindowLayer* LayerOf(GLFWwindow* window)
{
    return static_cast<GlfwWindowLayer*>(glfwGetWindowUserPointer(window));
}

void KeyCallback(GLFWwindow* window, int key, int, int action, int)
{
    LayerOf(window)->OnKey(key, action);
}

void CharacterCallback(GLFWwindow* window, unsigned int codepoint)
{
    LayerOf(window)->OnCharacter(codepoint);
}

void MouseButtonCallback(GLFWwindow* window, int button, int action, int)
{
    LayerOf(window)->OnMouseButton(button, action);
}

void CursorPositionCallback(GLFWwindow* window, double x, double y)
{
    LayerOf(window)->OnCursorPosition(x, y);
}

void ScrollCallback(GLFWwindow* window, double xOffset, double yOffset)
{
    LayerOf(window)->OnScroll(xOffset, yOffset);
}

void FramebufferSizeCallback(GLFWwindow* window, int width, int height)
{
    LayerOf(window)->OnResize(width, height);
}

void CloseCallback(GLFWwindow* window)
{
    // The game decides when to end: the window stays open and the request is reported.
    glfwSetWindowShouldClose(window, GLFW_FALSE);
    LayerOf(window)->OnClose();
}

bool IsValidJoystick(int id)
{
    return id >= GLFW_JOYSTICK_1 && id <= GLFW_JOYSTICK_LAST;
}
} // namespace

GlfwWindowLayer::~GlfwWindowLayer()
{
    // GLFW may already be terminated at process exit, which destroyed the window with it.
    m_window = nullptr;
}

bool GlfwWindowLayer::Open(int width, int height, bool fullScreen)
{
    Close();
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_RED_BITS, ColourBits);
    glfwWindowHint(GLFW_GREEN_BITS, ColourBits);
    glfwWindowHint(GLFW_BLUE_BITS, ColourBits);
    glfwWindowHint(GLFW_ALPHA_BITS, ColourBits);
    glfwWindowHint(GLFW_DEPTH_BITS, DepthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUSED, GLFW_TRUE);

    GLFWmonitor* monitor = nullptr;
    if (fullScreen)
    {
        monitor = glfwGetPrimaryMonitor();
        GetDesktopSize(width, height);
    }
    if (width <= 0 || height <= 0)
        return false;
    m_window = glfwCreateWindow(width, height, "", monitor, nullptr);
    if (m_window == nullptr)
        return false;

    glfwMakeContextCurrent(m_window);
    glfwSetWindowUserPointer(m_window, this);
    glfwSetKeyCallback(m_window, KeyCallback);
    glfwSetCharCallback(m_window, CharacterCallback);
    glfwSetMouseButtonCallback(m_window, MouseButtonCallback);
    glfwSetCursorPosCallback(m_window, CursorPositionCallback);
    glfwSetScrollCallback(m_window, ScrollCallback);
    glfwSetFramebufferSizeCallback(m_window, FramebufferSizeCallback);
    glfwSetWindowCloseCallback(m_window, CloseCallback);
    ApplyCursorMode();
    glfwFocusWindow(m_window);
    return true;
}

void GlfwWindowLayer::Close()
{
    if (m_window == nullptr)
        return;
    glfwDestroyWindow(m_window);
    m_window = nullptr;
}

void GlfwWindowLayer::SwapBuffers()
{
    if (m_window == nullptr)
        return;
    glfwSwapBuffers(m_window);
    glfwPollEvents();
}

void GlfwWindowLayer::SetTitle(const char* title)
{
    if (m_window != nullptr && title != nullptr)
        glfwSetWindowTitle(m_window, title);
}

void GlfwWindowLayer::SetSwapInterval(int interval)
{
    if (m_window != nullptr)
        glfwSwapInterval(interval);
}

void GlfwWindowLayer::GetDesktopSize(int& width, int& height)
{
    width = 0;
    height = 0;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr)
        return;
    width = mode->width;
    height = mode->height;
}

void GlfwWindowLayer::GetContextVersion(int& major, int& minor, int& revision)
{
    major = minor = revision = 0;
    if (m_window == nullptr)
        return;
    major = glfwGetWindowAttrib(m_window, GLFW_CONTEXT_VERSION_MAJOR);
    minor = glfwGetWindowAttrib(m_window, GLFW_CONTEXT_VERSION_MINOR);
    revision = glfwGetWindowAttrib(m_window, GLFW_CONTEXT_REVISION);
}

bool GlfwWindowLayer::IsFocused()
{
    return m_window != nullptr && glfwGetWindowAttrib(m_window, GLFW_FOCUSED) == GLFW_TRUE;
}

void GlfwWindowLayer::SetCursorVisible(bool visible)
{
    m_cursorVisible = visible;
    ApplyCursorMode();
}

void GlfwWindowLayer::ApplyCursorMode()
{
    if (m_window != nullptr)
        glfwSetInputMode(m_window, GLFW_CURSOR,
                         m_cursorVisible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
}

void GlfwWindowLayer::SetCursorPosition(int x, int y)
{
    if (m_window != nullptr)
        glfwSetCursorPos(m_window, x, y);
}

bool GlfwWindowLayer::IsJoystickPresent(int id)
{
    return m_window != nullptr && IsValidJoystick(id) && glfwJoystickPresent(id) == GLFW_TRUE;
}

bool GlfwWindowLayer::ReadJoystick(int id, JoystickState& state)
{
    state.axes.clear();
    state.buttons.clear();
    if (!IsJoystickPresent(id))
        return false;
    GLFWgamepadstate pad;
    if (glfwJoystickIsGamepad(id) == GLFW_TRUE && glfwGetGamepadState(id, &pad) == GLFW_TRUE)
    {
        TranslateGamepad(pad.axes, pad.buttons, state);
        return true;
    }
    // A controller without a mapping: its own axes and buttons, as the device numbers them.
    int count = 0;
    if (const float* axes = glfwGetJoystickAxes(id, &count))
        state.axes.assign(axes, axes + count);
    if (const unsigned char* buttons = glfwGetJoystickButtons(id, &count))
        state.buttons.assign(buttons, buttons + count);
    return true;
}
} // namespace Platform
