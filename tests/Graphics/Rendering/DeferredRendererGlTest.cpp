// The deferred frame on a real context (under Xvfb), with the shipped shaders and models: the six
// targets have their formats and sizes, each pass leaves its target as the next one expects, the
// fade reaches the window, an object's intensity colours it in both passes, and a target that
// cannot be completed is reported.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/FrameBufferManager.h"
#include "Graphics/Assets/FrameBufferObject.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderManager.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Assets/Texture.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/DeferredRenderer.h"
#include "Graphics/Rendering/RenderTargets.h"
#include "Graphics/System/CameraSystem.h"
#include "Platform/Window.h"
#include "Xml/XmlReader.h"
#include "tests/Graphics/Support/GlEngineFixture.h"
#include <GL/glew.h>
#include <array>
#include <cstdlib>
#include <string>
#include <tinyxml2.h>
#include <vector>

using namespace Graphics;
using Graphics::System::GraphicsSystem;

class DeferredRendererGlTest : public GlEngineFixture
{
protected:
    // The shipped assets, from the repository root.
    DeferredRendererGlTest() : GlEngineFixture(Types::CoreAndGraphics, QUILL_ASSET_ROOT) {}

    void SetUp() override
    {
        GlEngineFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
        ASSERT_TRUE(graphics != nullptr && graphics->IsRendererReady());
        engine->AddSystem("CameraSystem");
        renderer = graphics->GetRenderer();
        targets = renderer->GetRenderTargets();
        ASSERT_NE(targets, nullptr);
        ShaderManager::Instance()->LoadAll(0);
        ShaderProgramManager::Instance()->LoadAll(0);
        for (const char* name : {"Quad", "Sphere"})
        {
            ModelManager::Instance()->Load(name, 0);
            ModelManager::Instance()->Find(name, 0)->Finalize();
        }
    }
    // The four channels of one texel of a colour attachment, as floats: near the corner, or at
    // the centre.
    static std::array<f32, 4> Texel(const FrameBufferObject& target, u32 attachment,
                                    bool centre = false)
    {
        std::array<f32, 4> texel{};
        const GLint x = centre ? static_cast<GLint>(target.GetWidth() / 2) : 1;
        const GLint y = centre ? static_cast<GLint>(target.GetHeight() / 2) : 1;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.GetFrameBuffer());
        glReadBuffer(GL_COLOR_ATTACHMENT0 + attachment);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_FLOAT, texel.data());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        return texel;
    }
    static GLint InternalFormat(u32 texture)
    {
        GLint format = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        glBindTexture(GL_TEXTURE_2D, 0);
        return format;
    }
    static std::array<GLint, 4> Viewport()
    {
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        return viewport;
    }
    std::array<unsigned char, 4> WindowCentre() const
    {
        std::array<unsigned char, 4> pixel{};
        glReadBuffer(GL_BACK);
        glReadPixels(graphics->GetWindowWidth() / 2, graphics->GetWindowHeight() / 2, 1, 1, GL_RGBA,
                     GL_UNSIGNED_BYTE, pixel.data());
        return pixel;
    }

    // An object with a transform and the component read from the xml (an element whose
    // children are the component's values).
    GameObject* MakeObject(const char* type, const std::string& xml)
    {
        GameFactory* factory = engine->GetFactory();
        GameObject* object = factory->CreateObject("Thing", Engine::GenerateId());
        object->AddComponent(factory->CreateComponent("TransformComponent"));
        GameObjectComponent* component = factory->CreateComponent(type);
        object->AddComponent(component);
        tinyxml2::XMLDocument document;
        document.Parse(xml.c_str());
        Serializer::XmlReader reader(document.RootElement(), true);
        component->Deserialize(reader);
        return object;
    }

    GraphicsSystem* graphics = nullptr;
    DeferredRenderer* renderer = nullptr;
    RenderTargets* targets = nullptr;
};

TEST_F(DeferredRendererGlTest, TheSixTargetsHaveTheirFormatsAndSizes)
{
    // The manager's own 1028 x 1028 shadow target is refused: the renderer's came first.
    FrameBufferManager::Instance()->LoadAll(0);
    const struct
    {
        const FrameBufferObject* target;
        std::vector<GLint> colors;
        bool depth;
        int size; // 0: the render size
    } expected[] = {
        {targets->GetGeometryBuffer(),
         {GL_R32F, GL_RGBA8, GL_RGBA8, GL_RGB10_A2, GL_RGBA8, GL_RGBA8},
         true,
         0},
        {targets->GetLightingBuffer(), {GL_RGBA8, GL_RGBA8, GL_RGBA8}, false, 0},
        {targets->GetFinalBuffer(), {GL_RGBA8, GL_RGBA8, GL_RGBA8}, true, 0},
        {targets->GetAuxiliary(RenderTargets::ShadowTarget), {}, true, 2048},
        {targets->GetAuxiliary(RenderTargets::BloomPrimaryTarget), {GL_RGBA8}, false, 256},
        {targets->GetAuxiliary(RenderTargets::BloomSecondaryTarget), {GL_RGBA8}, false, 256},
    };
    for (const auto& entry : expected)
    {
        ASSERT_NE(entry.target, nullptr);
        const std::string name = entry.target->GetName();
        glBindFramebuffer(GL_FRAMEBUFFER, entry.target->GetFrameBuffer());
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE))
            << name;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        ASSERT_EQ(entry.target->GetColorCount(), entry.colors.size()) << name;
        for (u32 i = 0; i < entry.colors.size(); ++i)
            EXPECT_EQ(InternalFormat(entry.target->GetColorTexture(i)), entry.colors[i])
                << name << " attachment " << i;
        if (entry.depth)
            EXPECT_EQ(InternalFormat(entry.target->GetDepthTexture()), GL_DEPTH_COMPONENT32)
                << name;
        else
            EXPECT_EQ(entry.target->GetDepthTexture(), 0u) << name;
        const int width = entry.size != 0 ? entry.size : graphics->GetRenderWidth();
        const int height = entry.size != 0 ? entry.size : graphics->GetRenderHeight();
        EXPECT_EQ(entry.target->GetWidth(), u32(width)) << name;
        EXPECT_EQ(entry.target->GetHeight(), u32(height)) << name;
    }
    for (u32 i = 0; i < RenderTargets::AuxiliaryCount; ++i)
    {
        targets->BindAuxiliaryTarget(i);
        const GLint size = i == RenderTargets::ShadowTarget ? 2048 : 256;
        EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, size, size})) << "auxiliary " << i;
    }
    targets->BeginGeometry();
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, graphics->GetRenderWidth(),
                                                graphics->GetRenderHeight()}));
    GLint drawBuffer = 0;
    glGetIntegerv(GL_DRAW_BUFFER5, &drawBuffer);
    EXPECT_EQ(drawBuffer, GL_COLOR_ATTACHMENT5) << "every attachment is drawn into, in order";
    FrameBufferObject::BindDefault();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(DeferredRendererGlTest, AnEmptyFrameLeavesEachTargetAsTheNextPassExpects)
{
    graphics->Update(1.0f / 60.0f);
    const std::array<f32, 4> depth = Texel(*targets->GetGeometryBuffer(), 0);
    EXPECT_EQ(depth[0], FrameBufferObject::ClearValue) << "no geometry: the largest float";
    EXPECT_EQ(Texel(*targets->GetGeometryBuffer(), RenderTargets::GlowAttachment),
              (std::array<f32, 4>{0.0f, 0.0f, 0.0f, 0.0f}));
    const f32 base = 26.0f / 255.0f;
    const std::array<f32, 4> light = Texel(*targets->GetLightingBuffer(), 0);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(light[channel], base, 1.0f / 255.0f) << "no point light: the base grey";
    for (u32 attachment : {1u, 2u})
    {
        EXPECT_EQ(Texel(*targets->GetLightingBuffer(), attachment),
                  (std::array<f32, 4>{0.0f, 0.0f, 0.0f, 0.0f}));
        EXPECT_EQ(Texel(*targets->GetFinalBuffer(), attachment),
                  (std::array<f32, 4>{0.0f, 0.0f, 0.0f, 0.0f}))
            << "no particles: the layer stays empty";
    }
    for (GLuint buffer = 0; buffer < RenderTargets::FinalAttachments; ++buffer)
    {
        std::array<GLboolean, 4> mask{};
        glGetBooleani_v(GL_COLOR_WRITEMASK, buffer, mask.data());
        EXPECT_EQ(mask, (std::array<GLboolean, 4>{GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE}))
            << "the forward pass leaves draw buffer " << buffer << " open";
    }

    glDisable(GL_BLEND);
    renderer->GeometryPass();
    GLint bound = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0) << "the window's framebuffer again";
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(DeferredRendererGlTest, TheFadeColourReachesTheWindow)
{
    // The scene attachment turned white where the debug shapes would be drawn.
    renderer->drawDebugShapes = []()
    {
        const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        glClearBufferfv(GL_COLOR, 0, white);
    };
    graphics->Update(1.0f / 60.0f);
    EXPECT_EQ(WindowCentre(), (std::array<unsigned char, 4>{255, 255, 255, 255}));
    graphics->SetFade(0.0f, 0.0f, 0.0f);
    graphics->Update(1.0f / 60.0f);
    const std::array<unsigned char, 4> faded = WindowCentre();
    EXPECT_EQ(faded[0], 0);
    EXPECT_EQ(faded[1], 0);
    EXPECT_EQ(faded[2], 0);
}

// A hit flash drives the object's intensity: the forward pass's colour (what the window shows)
// and the geometry pass's diffuse colour are scaled by it, and what it asks beyond white adds
// to the glow. At (1, 1, 1) the object looks as it always did.
TEST_F(DeferredRendererGlTest, AnObjectsIntensityScalesItsColourAndBeyondWhiteGlows)
{
    // The shipped default material: white diffuse, flat normals, no emission.
    for (const char* name : {"White", "Flat", "Black"})
    {
        TextureManager::Instance()->Load(name, 0);
        ASSERT_NE(TextureManager::Instance()->Find(name, 0), nullptr) << name;
        TextureManager::Instance()->Find(name, 0)->Finalize();
    }
    MaterialManager::Instance()->Load("Default", 0);
    GameObject* view = MakeObject(
        "CameraComponent", "<C><vec4 X=\"1\" Y=\"0\" Z=\"0\"/><vec4 X=\"0\" Y=\"1\" Z=\"0\"/>"
                           "<vec4 X=\"0\" Y=\"0\" Z=\"-1\"/>"
                           "<sphr perspective=\"1\" radius=\"12\" phi=\"65\" theta=\"20\"/>"
                           "<bool>0</bool><f32>1</f32><vec2 X=\"0.5\" Y=\"200\"/>"
                           "<pnt4 X=\"0\" Y=\"0\" Z=\"0\"/><f32>45</f32></C>");
    System::CameraSystem::Instance()->SetActiveCamera(view->GetComponent<CameraComponent>());
    // A large sphere at the point the camera looks at covers the middle of the frame.
    GameObject* ball = MakeObject("RenderComponent", "<R><Model>Sphere</Model>"
                                                     "<Material>Default</Material>"
                                                     "<ShaderProgram>Default</ShaderProgram></R>");
    ball->GetComponent<TransformComponent>()->SetScale(Math::Vector3(4.0f, 4.0f, 4.0f));
    auto* render = ball->GetComponent<RenderComponent>();
    ASSERT_NE(render->GetProgram(), nullptr);
    ASSERT_NE(render->GetMaterial(), nullptr);

    const auto frame = [&](f32 r, f32 g, f32 b)
    {
        render->intensity = Math::Vector3(r, g, b);
        // The camera's matrices are made by the camera system's update.
        System::CameraSystem::Instance()->Update(1.0f / 60.0f);
        graphics->Update(1.0f / 60.0f);
        return std::array<std::array<f32, 4>, 3>{
            Texel(*targets->GetFinalBuffer(), 0, true),
            Texel(*targets->GetGeometryBuffer(), 1, true),
            Texel(*targets->GetGeometryBuffer(), RenderTargets::GlowAttachment, true)};
    };
    constexpr int Scene = 0;
    constexpr int Diffuse = 1;
    constexpr int Glow = 2;
    const auto plain = frame(1.0f, 1.0f, 1.0f);
    ASSERT_GT(plain[Scene][0], 0.2f) << "the lit white sphere fills the centre";
    EXPECT_NEAR(plain[Diffuse][0], 1.0f, 0.01f);
    EXPECT_EQ(plain[Glow][0], 0.0f) << "no glow without an intensity beyond white";

    // The lit white sphere is brighter than the frame can hold: dimmed channels compare
    // with each other.
    const auto dimmed = frame(0.2f, 0.6f, 1.0f);
    EXPECT_LT(dimmed[Scene][0], plain[Scene][0] * 0.5f);
    EXPECT_NEAR(dimmed[Scene][1], dimmed[Scene][0] * 3.0f, 0.02f);
    EXPECT_NEAR(dimmed[Diffuse][0], 0.2f, 0.01f);
    EXPECT_NEAR(dimmed[Diffuse][1], 0.6f, 0.01f);
    EXPECT_NEAR(dimmed[Diffuse][2], 1.0f, 0.01f);
    EXPECT_EQ(dimmed[Glow][0], 0.0f);

    const auto flashed = frame(3.0f, 3.0f, 3.0f);
    EXPECT_GE(flashed[Scene][0], plain[Scene][0]);
    EXPECT_NEAR(flashed[Glow][0], 1.0f, 0.01f) << "what white cannot hold glows";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(DeferredRendererGlTest, ATargetThatCannotBeCompletedIsReportedAndUnbound)
{
    FrameBufferParam size;
    size.width = 16;
    size.height = 16;
    FrameBufferObject* broken = FrameBufferManager::Instance()->Add("Broken", size, 0);
    ASSERT_NE(broken, nullptr);
    // A depth format cannot be a colour attachment.
    broken->AddColorAttachment(GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_FLOAT);
    broken->Complete();
    while (glGetError() != GL_NO_ERROR)
    {
    }
    EXPECT_TRUE(log->Contains("FBO Error: ")) << log->Text();
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
}
