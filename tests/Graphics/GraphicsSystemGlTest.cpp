// The graphics system with a real context (under Xvfb): the loader starts and a frame clears.
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Math/Shapes/Sphere3.h"
#include "Platform/Window.h"
#include "tests/Graphics/Support/GlEngineFixture.h"
#include <GL/glew.h>
#include <array>
#include <cstdlib>

using Graphics::System::GraphicsSystem;

class GraphicsSystemGlTest : public GlEngineFixture
{
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
