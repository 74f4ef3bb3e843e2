#pragma once
// The fake window layer with a real window behind it: the window and its OpenGL context come from
// the GLFW layer (under Xvfb), so the graphics system starts and loads its assets as in the game,
// while every key, mouse event and controller the engine sees is the one a test feeds the fake.
// Events the real window reports go to the inner layer, which has no handlers, and are dropped.
#include "Platform/GlfwWindowLayer.h"
#include "tests/Platform/Support/FakeWindowLayer.h"

class SoakWindowLayer : public FakeWindowLayer
{
public:
    bool Open(int width, int height, bool fullScreen) override
    {
        FakeWindowLayer::Open(width, height, fullScreen);
        open = m_window.Open(width, height, fullScreen);
        return open;
    }
    void Close() override
    {
        m_window.Close();
        open = false;
    }
    bool IsOpen() const override { return m_window.IsOpen(); }
    void SwapBuffers() override
    {
        FakeWindowLayer::SwapBuffers();
        m_window.SwapBuffers();
    }
    void SetSwapInterval(int interval) override
    {
        FakeWindowLayer::SetSwapInterval(interval);
        m_window.SetSwapInterval(interval);
    }
    void GetContextVersion(int& major, int& minor, int& revision) override
    {
        m_window.GetContextVersion(major, minor, revision);
    }

private:
    Platform::GlfwWindowLayer m_window;
};
