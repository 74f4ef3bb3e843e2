#pragma once
// Tests that need a real OpenGL context: the window layer opens a small window (under Xvfb when
// there is no display), the test checks that the context is GL 4.x and reads pixels back.
// Without a display the test is skipped with the reason; a display without a usable context
// fails. These tests carry the CTest label "gl".
#include "Platform/Window.h"
#include "Platform/WindowLayer.h"
#include "tests/Platform/Support/Display.h"
#include <GL/gl.h>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>

class GlContextFixture : public testing::Test
{
protected:
    static constexpr int Width = 64;
    static constexpr int Height = 48;

    void SetUp() override
    {
        if (!HasDisplay())
            GTEST_SKIP() << NoDisplayReason;
        ASSERT_TRUE(Platform::InitializeWindowing()) << "the windowing library did not start";
        m_started = true;
        ASSERT_TRUE(Platform::GetWindowLayer().Open(Width, Height, false))
            << "no window with an OpenGL context could be opened";
        int revision = 0;
        Platform::GetWindowLayer().GetContextVersion(major, minor, revision);
        ASSERT_EQ(major, 4) << "the context is GL " << major << "." << minor << ", not 4.x";
    }
    void TearDown() override
    {
        if (!m_started)
            return;
        Platform::GetWindowLayer().Close();
        Platform::TerminateWindowing();
    }

    // The RGBA bytes of one pixel of the back buffer (origin bottom left).
    std::array<unsigned char, 4> ReadPixel(int x, int y) const
    {
        std::array<unsigned char, 4> pixel{};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
        return pixel;
    }

    int major = 0;
    int minor = 0;

private:
    bool m_started = false;
};
