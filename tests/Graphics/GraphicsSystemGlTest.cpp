// The graphics system with a real context (under Xvfb): the loader starts and a frame clears.
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include "Platform/Window.h"
#include "tests/Support/RecordingEngineTest.h"
#include <GL/glew.h>
#include <array>
#include <cstdlib>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

using Graphics::System::GraphicsSystem;

class GraphicsSystemGlTest : public RecordingEngineTest
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "no display: run the GL tests under xvfb-run (scripts/test does)";
        ASSERT_TRUE(Platform::InitializeWindowing());
        m_started = true;
        RecordingEngineTest::SetUp();
        Graphics::RegisterGraphics(*engine);
    }
    void TearDown() override
    {
        if (!m_started)
            return;
        RecordingEngineTest::TearDown();
        Platform::TerminateWindowing();
    }

    bool m_started = false;
};

TEST_F(GraphicsSystemGlTest, StartsTheRendererOnAGl4ContextAndDrawsFrames)
{
    auto* graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
    ASSERT_NE(graphics, nullptr);
    ASSERT_TRUE(graphics->IsRendererReady());
    EXPECT_TRUE(log->Contains("Major: 4"));
    EXPECT_TRUE(log->Contains("Success [GraphicsSystem]: Initialized Settings."));
    EXPECT_EQ(graphics->GetGlslVersionLine(), "#version 400\n");
    EXPECT_EQ(graphics->GetGlslDefineLine(), "#define GLSL_400\n");

    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    graphics->Update(1.0f / 60.0f);
    std::array<unsigned char, 4> pixel{};
    glReadBuffer(GL_BACK); // Mesa keeps the back buffer across the swap
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_EQ(pixel, (std::array<unsigned char, 4>{0, 255, 0, 255})) << "the frame was cleared";
}

TEST_F(GraphicsSystemGlTest, F2DrawsAQueuedSegmentAndEmptiesTheQueueAfterTheFrame)
{
    auto* graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
    ASSERT_NE(graphics, nullptr);
    ASSERT_TRUE(graphics->IsRendererReady());
    Graphics::DebugDrawQueue* queue = Graphics::DebugDrawQueue::Instance();
    ASSERT_NE(queue, nullptr);
    KeyboardMessage f2(0, GraphicsSystem::KeyF2, KS_TRIGGER, 0);
    graphics->HandleMessage(&f2);
    ASSERT_TRUE(graphics->IsDebugDrawOn());

    // Without a camera system the debug view draws in device coordinates: a diagonal through
    // the window centre. The world axes also cross the centre, so the pixel read lies on the
    // diagonal a little off it, where no axis or tick is drawn.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    // Mesa keeps two small blocks from the first draw of a process past the end of its context;
    // a first debug frame drawn while the leak checker looks away lets the second be checked.
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    graphics->Update(1.0f / 60.0f);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
    const Math::ColorRGBA red(1.0f, 0.0f, 0.0f, 1.0f);
    queue->Add(Math::Segment3(Math::Point4(-1.0f, -1.0f, 0.0f, 1.0f),
                              Math::Point4(1.0f, 1.0f, 0.0f, 1.0f)),
               red, 3.0f, true);
    graphics->Update(1.0f / 60.0f);
    EXPECT_EQ(queue->GetCount(), 0u) << "the queue is emptied after the frame";

    constexpr float kOffCentre = 0.05f; // in device coordinates along the diagonal
    const int x = static_cast<int>(graphics->GetWindowWidth() * 0.5f * (1.0f + kOffCentre));
    const int y = static_cast<int>(graphics->GetWindowHeight() * 0.5f * (1.0f + kOffCentre));
    std::array<unsigned char, 4> pixel{};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(pixel[2], 0);

    // A frame that is not drawn drops what was queued for it.
    queue->Add(Math::Sphere3(Math::Point4(), 1.0f), red, 1.0f, true);
    graphics->IdleUpdate(1.0f / 60.0f);
    EXPECT_EQ(queue->GetCount(), 0u);
}

TEST_F(GraphicsSystemGlTest, NoVisualFramesDrawNothingButStillEmptyTheDebugQueue)
{
    const char* args[] = {"quillmere", "-no_vis"};
    engine->ParseCommandLine(2, args);
    auto* graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
    ASSERT_NE(graphics, nullptr);
    ASSERT_TRUE(graphics->IsNoVisual());
    Graphics::DebugDrawQueue* queue = Graphics::DebugDrawQueue::Instance();
    ASSERT_NE(queue, nullptr);
    queue->Add(Math::Sphere3(Math::Point4(), 1.0f), Math::ColorRGBA(1.0f, 0.0f, 0.0f, 1.0f), 1.0f,
               true);
    graphics->Update(1.0f / 60.0f);
    EXPECT_EQ(queue->GetCount(), 0u);
}
