// Covers: ParticleEffectSystem, GraphicsSystem.
// The particle pass on a real context (under Xvfb), as the forward pass will run it: a frame
// buffer of three colour attachments, the "Alpha" layer drawn with writes to attachment 2 only,
// then the "Additive" layer with writes to attachment 1 only. The shipped "Sparks" (additive)
// and "DustCloud" (alpha) effects light their own attachment and nothing else.
#include "Core/CoreRegistration.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/ShaderManager.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Platform/Window.h"
#include "tests/Graphics/Support/GlEngineFixture.h"
#include <GL/glew.h>
#include <cstdlib>
#include <tinyxml2.h>
#include <vector>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

using namespace Graphics;
using Graphics::System::GraphicsSystem;
using Graphics::System::ParticleEffectSystem;

namespace
{
constexpr int Width = 64;
constexpr int Height = 48;
constexpr u32 Attachments = 3;
// The scene's view depth where nothing was drawn, as the geometry pass leaves it.
constexpr f32 NothingDrawn = 3.4028235e38f;

// The GL driver keeps two small blocks from a process's first real draw until the process ends;
// the leak checker of sanitizer builds is told not to count what is allocated while this lives.
class DriverAllocations
{
public:
#if defined(__SANITIZE_ADDRESS__)
    DriverAllocations()
    {
        __lsan_disable();
    }
    ~DriverAllocations()
    {
        __lsan_enable();
    }
#endif
};

// The sum of one channel's bytes over a colour attachment of the bound frame buffer.
u64 Lit(u32 attachment)
{
    std::vector<unsigned char> pixels(Width * Height * 4);
    glReadBuffer(GL_COLOR_ATTACHMENT0 + attachment);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    u64 sum = 0;
    for (unsigned char byte : pixels)
        sum += byte;
    return sum;
}
} // namespace

class ParticlePassGlTest : public GlEngineFixture
{
protected:
    ParticlePassGlTest() : GlEngineFixture(Types::CoreAndGraphics, QUILL_ASSET_ROOT) {}

    void SetUp() override
    {
        GlEngineFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
        ASSERT_TRUE(graphics != nullptr && graphics->IsRendererReady());
        particles =
            static_cast<ParticleEffectSystem*>(engine->AddSystem(ParticleEffectSystem::SystemName));
        ASSERT_NE(particles, nullptr);
        particles->Initialize(0);
        ShaderManager::Instance()->LoadAll(0);
        ShaderProgramManager::Instance()->LoadAll(0);
        AddSoftDot();
    }
    void TearDown() override
    {
        if (m_frameBuffer != 0)
        {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glDeleteFramebuffers(1, &m_frameBuffer);
            glDeleteTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
        }
        GlEngineFixture::TearDown();
    }

    // A white texture with full alpha under the name the shipped effects use.
    void AddSoftDot()
    {
        constexpr u32 side = 4;
        constexpr u32 channels = 4;
        TextureParam param;
        param.staged = std::make_shared<TextureData>();
        param.staged->format = GL_RGBA;
        param.staged->image.width = side;
        param.staged->image.height = side;
        param.staged->image.bitDepth = 8;
        param.staged->image.rowBytes = side * channels;
        param.staged->image.pixels.assign(side * side * channels, 255);
        Texture* texture =
            TextureManager::Instance()->Add("SoftDot", param, TextureManager::ParticleCategory);
        ASSERT_NE(texture, nullptr);
        texture->Finalize();
    }

    // An object made from a shipped effect definition.
    GameObject* Effect(const std::string& name)
    {
        tinyxml2::XMLDocument document;
        const std::string path = "assets/ParticleEffects/" + name + ".xml";
        EXPECT_EQ(document.LoadFile(path.c_str()), tinyxml2::XML_SUCCESS) << path;
        GameObject* object = engine->GetFactory()->CreateObject(name, Engine::GenerateId());
        object->Deserialize(document.RootElement()->FirstChildElement());
        return object;
    }

    // Three cleared colour attachments, a depth buffer, and the scene's depth texture.
    void MakeFrameBuffer()
    {
        m_textures.resize(Attachments + 2);
        glGenTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
        glGenFramebuffers(1, &m_frameBuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, m_frameBuffer);
        GLenum buffers[Attachments];
        for (u32 i = 0; i < Attachments; ++i)
        {
            glBindTexture(GL_TEXTURE_2D, m_textures[i]);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, Width, Height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         nullptr);
            glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_TEXTURE_2D,
                                   m_textures[i], 0);
            buffers[i] = GL_COLOR_ATTACHMENT0 + i;
        }
        glBindTexture(GL_TEXTURE_2D, m_textures[Attachments]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, Width, Height, 0, GL_DEPTH_COMPONENT,
                     GL_FLOAT, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D,
                               m_textures[Attachments], 0);
        glDrawBuffers(Attachments, buffers);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));

        const std::vector<f32> depth(Width * Height, NothingDrawn);
        glBindTexture(GL_TEXTURE_2D, m_textures[Attachments + 1]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R32F, Width, Height, 0, GL_RED, GL_FLOAT, depth.data());
        glBindTexture(GL_TEXTURE_2D, 0);

        glViewport(0, 0, Width, Height);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        for (u32 i = 0; i < Attachments; ++i)
            glColorMaski(i, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    }

    u32 SceneDepth() const { return m_textures[Attachments + 1]; }

    GraphicsSystem* graphics = nullptr;
    ParticleEffectSystem* particles = nullptr;

private:
    GLuint m_frameBuffer = 0;
    std::vector<GLuint> m_textures;
};

TEST_F(ParticlePassGlTest, EachLayerLightsItsOwnAttachmentAndCountsItsParticles)
{
    Effect("Sparks");
    Effect("DustCloud");
    // Two steps: every particle is still close to the origin, which the default camera (view
    // and projection the identity) puts in the middle of the frame.
    particles->Update(1.0f / 30.0f);
    particles->Update(1.0f / 30.0f);
    MakeFrameBuffer();
    while (glGetError() != GL_NO_ERROR)
    {
    }

    {
        [[maybe_unused]] DriverAllocations driver;
        glColorMaski(2, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        particles->Draw(ParticleEffectSystem::AlphaLayer, SceneDepth());
        glColorMaski(2, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        particles->Draw(ParticleEffectSystem::AdditiveLayer, SceneDepth());
        glFinish();
    }
    for (u32 i = 0; i < Attachments; ++i)
        glColorMaski(i, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    EXPECT_EQ(Lit(0), 0u) << "the scene's attachment takes no particles";
    EXPECT_GT(Lit(1), 0u) << "Sparks draw into the additive layer";
    EXPECT_GT(Lit(2), 0u) << "DustCloud draws into the alpha layer";
    const GraphicsSystem::FrameStatistics& statistics = graphics->GetFrameStatistics();
    EXPECT_EQ(statistics.effects, 2u);
    EXPECT_GT(statistics.particles, 32u);
    EXPECT_FALSE(log->Contains("Link Error")) << log->Text();
    EXPECT_EQ(graphics->GetCurrentProgramHandle(), 0u);
}
