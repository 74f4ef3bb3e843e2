#include "Platform/WindowLayer.h"
#include "Platform/GlfwWindowLayer.h"
#include "Platform/KeyCodes.h"
#include <GLFW/glfw3.h>
#include <cmath>

namespace Platform
{
namespace
{
WindowLayer* g_installedLayer = nullptr;
} // namespace

WindowLayer& GetWindowLayer()
{
    if (g_installedLayer != nullptr)
        return *g_installedLayer;
    static GlfwWindowLayer glfwLayer;
    return glfwLayer;
}

void SetWindowLayer(WindowLayer* layer)
{
    g_installedLayer = layer;
}

void WindowLayer::OnKey(int glfwKey, int glfwAction)
{
    // The engine re-sends held keys itself; GLFW's repeats would double them.
    if (glfwAction == GLFW_REPEAT)
        return;
    const int key = TranslateKey(glfwKey);
    if (key == NoKey || !m_input.key)
        return;
    m_input.key(key, glfwAction == GLFW_PRESS ? ActionPress : ActionRelease);
}

void WindowLayer::OnCharacter(unsigned int codepoint)
{
    if (m_input.character)
        m_input.character(codepoint, ActionPress);
}

void WindowLayer::OnMouseButton(int button, int glfwAction)
{
    if (m_input.mouseButton)
        m_input.mouseButton(button, glfwAction == GLFW_PRESS ? ActionPress : ActionRelease);
}

void WindowLayer::OnCursorPosition(double x, double y)
{
    if (m_input.mousePosition)
        m_input.mousePosition(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

void WindowLayer::OnScroll(double, double yOffset)
{
    // Touch pads scroll in fractions of a step: the position is the number of whole steps
    // crossed, counted the same way in both directions.
    m_scrollTotal += yOffset;
    const int position = static_cast<int>(std::floor(m_scrollTotal));
    if (position == m_wheelPosition)
        return;
    m_wheelPosition = position;
    if (m_input.mouseWheel)
        m_input.mouseWheel(position);
}

void WindowLayer::OnResize(int width, int height)
{
    if (m_window.resize)
        m_window.resize(width, height);
}

void WindowLayer::OnClose()
{
    if (m_window.close)
        m_window.close();
}
} // namespace Platform
