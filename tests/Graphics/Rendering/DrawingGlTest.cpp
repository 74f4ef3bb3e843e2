// Covers: GraphicsSystem, CameraSystem, RenderComponent, TextComponent.
// Drawing on a real context (under Xvfb): a queued quad reaches the window with its object's
// uniforms, overlay elements with their tint, texts get their buffers again after the switch to
// full screen, the cursor object a script makes follows the ground point under the mouse, and
// floating texts at one spot are drawn apart and clear of the bar there.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/InputSystem.h"
#include "Graphics/Assets/FontManager.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderManager.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Components/TextComponent.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/Formats/PngWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Graphics/Rendering/OverlayServices.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/MathUtils.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include "Platform/Window.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "Xml/XmlReader.h"
#include "tests/Graphics/Support/GlEngineFixture.h"
#include "tests/Support/TempFiles.h"
#include <GL/glew.h>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <tinyxml2.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

using namespace Graphics;
using Graphics::System::CameraSystem;
using Graphics::System::GraphicsSystem;

namespace
{
// The quad covers the whole clip space whatever the camera; it shows its object's intensity.
const char* const VertexShaderText = "in vec4 vertex;\n"
                                     "void main() { gl_Position = vec4(vertex.xy, 0.0, 1.0); }\n";
const char* const FragmentShaderText = "uniform vec3 Intensity;\n"
                                       "uniform float Alpha;\n"
                                       "out vec4 FragColor;\n"
                                       "void main() { FragColor = vec4(Intensity, Alpha); }\n";

void WriteQuad(TempFolder& folder)
{
    ModelFile model;
    model.hasMesh = true;
    model.vertexCount = 4;
    model.triangleCount = 2;
    std::vector<StaticVertex> vertices(4);
    const f32 corners[4][2] = {{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}};
    for (std::size_t i = 0; i < 4; ++i)
    {
        vertices[i] = StaticVertex{};
        vertices[i].position[0] = corners[i][0];
        vertices[i].position[1] = corners[i][1];
        // The composition samples the frame through the quad's texture coordinates.
        vertices[i].texcoord[0] = (corners[i][0] + 1.0f) * 0.5f;
        vertices[i].texcoord[1] = (corners[i][1] + 1.0f) * 0.5f;
    }
    model.vertices.resize(4 * sizeof(StaticVertex));
    std::memcpy(model.vertices.data(), vertices.data(), model.vertices.size());
    model.indices = {0, 1, 2, 0, 2, 3};
    folder.MakeFolder("assets/Models/bin");
    FbxBinWriter writer;
    writer.WriteMesh(model);
    writer.WriteEnd();
    writer.Save(folder.Path("assets/Models/bin/Quad.fbxbin"));
}

// Mesa's software rasterizer keeps two small blocks from the first draw of a process past the end
// of its context, which the leak checker would blame on the test. A first draw made while the
// checker looks away lets the frame under test be checked in full.
void WarmUpDriver(const RenderComponent& render)
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    render.GetProgram()->Use();
    render.GetModel()->BindVertexFormat();
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(render.GetModel()->GetIndexCount()),
                   GL_UNSIGNED_INT, nullptr);
    render.GetModel()->UnbindVertexFormat();
    ShaderProgram::UseNone();
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
}

std::string ReadRepositoryFile(const std::string& path)
{
    std::ifstream file(std::string(QUILL_ASSET_ROOT) + "/" + path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
} // namespace

class DrawingGlTest : public GlEngineFixture
{
protected:
    DrawingGlTest() : GlEngineFixture(Types::CoreAndGraphics) {}

    void SetUp() override
    {
        GlEngineFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        folder = std::make_unique<TempFolder>("quill-drawing-gl");
    }

    GraphicsSystem* Start()
    {
        graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
        EXPECT_TRUE(graphics != nullptr && graphics->IsRendererReady());
        cameras = static_cast<CameraSystem*>(engine->AddSystem("CameraSystem"));
        return graphics;
    }
    // The frame reaches the window through the composition's lit quad.
    void WriteComposition()
    {
        for (const char* file :
             {"assets/Shaders/Quad.vs", "assets/Shaders/TexturedBasicLighting.fs",
              "assets/ShaderPrograms/TexturedBasicLighting.xml"})
            folder->Write(file, ReadRepositoryFile(file));
        WriteQuad(*folder);
    }
    GameObject* MakeObject()
    {
        GameObject* object = engine->GetFactory()->CreateObject("Thing", Engine::GenerateId());
        object->AddComponent(engine->GetFactory()->CreateComponent("TransformComponent"));
        return object;
    }
    GameObjectComponent* Add(GameObject* object, const char* type, const std::string& xml)
    {
        GameObjectComponent* component = engine->GetFactory()->CreateComponent(type);
        object->AddComponent(component);
        tinyxml2::XMLDocument document;
        document.Parse(xml.c_str());
        Serializer::XmlReader reader(document.RootElement(), true);
        component->Deserialize(reader);
        return component;
    }

    GraphicsSystem* graphics = nullptr;
    CameraSystem* cameras = nullptr;
};

TEST_F(DrawingGlTest, AQueuedQuadColoursTheWindowAndIsCounted)
{
    folder->Write("assets/Shaders/Flat.vs", VertexShaderText);
    folder->Write("assets/Shaders/Flat.fs", FragmentShaderText);
    folder->Write("assets/ShaderPrograms/Default.xml",
                  "<P>Static<VertexShader>Flat.vs</VertexShader>"
                  "<FragmentShader>Flat.fs</FragmentShader></P>");
    folder->Write("assets/Materials/Default.xml", "<Material/>");
    WriteComposition();
    ASSERT_NE(Start(), nullptr);
    ShaderManager::Instance()->LoadAll(0);
    ShaderProgramManager::Instance()->LoadAll(0);
    MaterialManager::Instance()->LoadAll(0);
    ModelManager::Instance()->LoadAll(0);
    ModelManager::Instance()->Find("Quad", 0)->Finalize();

    auto* render =
        static_cast<RenderComponent*>(Add(MakeObject(), "RenderComponent",
                                          "<R><Model>Quad</Model><Material>Default</Material>"
                                          "<ShaderProgram>Default</ShaderProgram></R>"));
    ASSERT_NE(render->GetProgram(), nullptr);
    render->intensity = Math::Vector3(0.0f, 0.0f, 1.0f);
    WarmUpDriver(*render);
    graphics->Update(1.0f / 60.0f);

    std::array<unsigned char, 4> pixel{};
    glReadBuffer(GL_BACK);
    glReadPixels(graphics->GetWindowWidth() / 2, graphics->GetWindowHeight() / 2, 1, 1, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[2], 255) << "the object's intensity reached its shader";
    EXPECT_EQ(graphics->GetFrameStatistics().staticModels, 1u);
    EXPECT_EQ(graphics->GetFrameStatistics().polygons, 2u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawingGlTest, F2DrawsAQueuedSegmentAndEmptiesTheQueueAfterTheFrame)
{
    WriteComposition();
    graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
    ASSERT_TRUE(graphics != nullptr && graphics->IsRendererReady());
    ShaderManager::Instance()->LoadAll(0);
    ShaderProgramManager::Instance()->LoadAll(0);
    ModelManager::Instance()->LoadAll(0);
    ModelManager::Instance()->Find("Quad", 0)->Finalize();
    Graphics::DebugDrawQueue* queue = Graphics::DebugDrawQueue::Instance();
    ASSERT_NE(queue, nullptr);
    KeyboardMessage f2(0, GraphicsSystem::KeyF2, KS_TRIGGER, 0);
    graphics->HandleMessage(&f2);
    ASSERT_TRUE(graphics->IsDebugDrawOn());

    // Without a camera system the debug view draws in device coordinates: a diagonal through
    // the window centre. The world axes also cross the centre, so the pixel read lies on the
    // diagonal a little off it, where no axis or tick is drawn.
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

    constexpr float OffCentre = 0.05f; // in device coordinates along the diagonal
    const int x = static_cast<int>(graphics->GetWindowWidth() * 0.5f * (1.0f + OffCentre));
    const int y = static_cast<int>(graphics->GetWindowHeight() * 0.5f * (1.0f + OffCentre));
    std::array<unsigned char, 4> pixel{};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_GT(pixel[0], 200) << "the segment reached the window through the composition";
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(pixel[2], 0);

    // A frame that is not drawn drops what was queued for it.
    queue->Add(Math::Sphere3(Math::Point4(), 1.0f), red, 1.0f, true);
    graphics->IdleUpdate(1.0f / 60.0f);
    EXPECT_EQ(queue->GetCount(), 0u);
}

TEST_F(DrawingGlTest, TextsHaveBuffersAgainAfterTheSwitchToFullScreen)
{
    PngWriter::Description image;
    image.width = 16;
    image.height = 16;
    image.colorType = PngRgb;
    image.rows.assign(16 * 16 * 3, 0xFF);
    folder->MakeFolder("assets/Textures/Fonts");
    ASSERT_TRUE(PngWriter::Save(image, folder->Path("assets/Textures/Fonts/Mono.png")));
    folder->Write("assets/Fonts/Mono.xml", "<Font a='1' b='Mono' s='10' d='r'>"
                                           "<G a='10' o='0 0' r='0 0 8 8' c='A'/></Font>");
    ASSERT_NE(Start(), nullptr);
    TextureManager::Instance()->LoadAll(TextureManager::FontCategory);
    FontManager::Instance()->LoadAll(0);

    auto* text = static_cast<TextComponent*>(
        Add(MakeObject(), "TextComponent", "<T><Text>AAA</Text><Font>Mono</Font></T>"));
    ASSERT_TRUE(text->HasBuffers()) << "made as it registered";
    text->Construct("AAA");
    EXPECT_EQ(text->GetCapacity(), 3u);
    text->Construct("A");
    EXPECT_EQ(text->GetCapacity(), 3u) << "a shorter text reuses the buffers";
    graphics->ToggleFullScreen();
    ASSERT_TRUE(graphics->IsFullScreen());
    EXPECT_TRUE(text->HasBuffers());
    EXPECT_EQ(text->GetCapacity(), 1u) << "new buffers, laid out again";
    EXPECT_EQ(text->GetIndexCount(), 6u);
    GLint size = 0;
    text->Bind(0);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    text->Unbind();
    EXPECT_EQ(size, static_cast<GLint>(4 * sizeof(TextComponent::Vertex)));
    graphics->ToggleFullScreen();
    EXPECT_TRUE(text->HasBuffers());
}

TEST_F(DrawingGlTest, TheCursorObjectFollowsTheGroundPoint)
{
    folder->Write("assets/Objects/Cursor.xml", ReadRepositoryFile("assets/Objects/Cursor.xml"));
    Serializer::RegisterSerializer(*engine);
    engine->AddSystem("SerializerSystem");
    ASSERT_NE(Start(), nullptr);
    // Looking down at the origin from 45 degrees above the ground.
    cameras->GetDefaultCamera()->placement.phi = Math::PI / 4.0f;
    Scripting::RegisterScripting(*engine);
    engine->AddSystem("ScriptingSystem");
    Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
    ASSERT_NE(script, nullptr);
    const std::string text = "cursor = Camera.CreateCursor()";
    ASSERT_TRUE(script->LoadText("cursor", text.c_str(), text.size())) << log->Text();
    s32 scriptId = 0;
    EXPECT_TRUE(script->GetGlobalInt("cursor", scriptId));
    Scripting::LuaComponent::Destroy(script);
    const u32 id = static_cast<u32>(scriptId);
    GameObject* cursor = engine->GetFactory()->FindObject(id);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->GetName(), "Cursor");
    EXPECT_EQ(cameras->GetCursorObjectId(), id);

    const f32 width = static_cast<f32>(graphics->GetWindowWidth());
    const f32 height = static_cast<f32>(graphics->GetWindowHeight());
    Core::System::InputSystem::SetCursorPosition(Math::Vector2(width / 2.0f, height / 2.0f));
    cameras->Update(1.0f / 60.0f);
    const Math::Point4 ground = cameras->GetCursorGroundPoint();
    EXPECT_NEAR(ground.x, 0.0f, 1e-3f);
    EXPECT_NEAR(ground.z, 0.0f, 1e-3f);
    Core::System::InputSystem::SetCursorPosition(Math::Vector2(width / 4.0f, height / 3.0f));
    cameras->Update(1.0f / 60.0f);
    const Math::Point4 moved = cameras->GetCursorGroundPoint();
    EXPECT_LT(moved.x, -0.5f) << "left of the centre";
    EXPECT_NEAR(moved.y, 0.0f, 1e-3f);
    const Math::Point4& position = cursor->GetComponent<TransformComponent>()->GetPosition();
    EXPECT_NEAR(position.x, moved.x, 1e-4f);
    EXPECT_NEAR(position.y, 0.1f, 1e-4f);
    EXPECT_NEAR(position.z, moved.z, 1e-4f);
    Core::System::InputSystem::SetCursorPosition(Math::Vector2(0.0f, 0.0f));
}

namespace
{
// The user-interface system's part, played by the test: one page quad of the "Red" material,
// half the window wide and high, centred on the window, and a small one tinted to half its red
// at the middle of the left edge.
constexpr f32 Tint = 0.5f;
void CollectRedQuad(std::vector<OverlayQuad>& quads, f32, f32)
{
    OverlayQuad quad;
    quad.material = MaterialManager::Instance()->Find("Red", 0);
    quad.centre = Math::Vector2(0.5f, 0.5f);
    quad.size = Math::Vector2(0.5f, 0.5f);
    quads.push_back(quad);
    quad.centre = Math::Vector2(0.1f, 0.5f);
    quad.size = Math::Vector2(0.1f, 0.1f);
    quad.colour = Math::ColorRGBA(Tint, 1.0f, 1.0f, 1.0f);
    quads.push_back(quad);
}
} // namespace

TEST_F(DrawingGlTest, TheOverlayDrawsAPageQuadInWindowFractionsOnTopOfTheFrame)
{
    // The program's own vertex shader places the quads. Without the blur programs the bloom
    // targets, which the frame is screened with, are cleared and add nothing.
    for (const char* file : {"Shaders/Quad.vs", "Shaders/TexturedNoLighting.fs",
                             "ShaderPrograms/TexturedNoLighting.xml"})
        folder->Write(std::string("assets/") + file,
                      ReadRepositoryFile(std::string("assets/") + file));
    folder->MakeFolder("assets/Models/bin");
    folder->Write("assets/Models/bin/Quad.fbxbin",
                  ReadRepositoryFile("assets/Models/bin/Quad.fbxbin"));
    PngWriter::Description image;
    image.width = 4;
    image.height = 4;
    image.colorType = PngRgb;
    for (int pixel = 0; pixel < 16; ++pixel)
        image.rows.insert(image.rows.end(), {0xFF, 0x00, 0x00});
    folder->MakeFolder("assets/Textures");
    ASSERT_TRUE(PngWriter::Save(image, folder->Path("assets/Textures/Red.png")));
    folder->Write("assets/Materials/Red.xml", "<M><DiffuseMap>Red</DiffuseMap></M>");
    ASSERT_NE(Start(), nullptr);
    ShaderManager::Instance()->LoadAll(0);
    ShaderProgramManager::Instance()->LoadAll(0);
    TextureManager::Instance()->LoadAll(TextureManager::AllCategories);
    TextureManager::Instance()->FindAny("Red")->Finalize();
    MaterialManager::Instance()->LoadAll(0);
    ModelManager::Instance()->LoadAll(0);
    ModelManager::Instance()->Find("Quad", 0)->Finalize();

    GetOverlayServices().collectPageQuads.Install(&CollectRedQuad);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    // The first frame is the driver's first draw (see WarmUpDriver); the second is checked.
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    graphics->Update(1.0f / 60.0f);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
    graphics->Update(1.0f / 60.0f);
    GetOverlayServices().collectPageQuads.Remove(&CollectRedQuad);

    const int width = graphics->GetWindowWidth();
    const int height = graphics->GetWindowHeight();
    auto read = [](int x, int y)
    {
        std::array<unsigned char, 4> pixel{};
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
        return pixel;
    };
    EXPECT_EQ(read(width / 2, height / 2)[0], 255) << "the quad covers the centre";
    EXPECT_EQ(read(width / 2, height / 2)[1], 0);
    EXPECT_EQ(read(width * 3 / 10, height * 3 / 10)[0], 255) << "a quarter of a side from it";
    EXPECT_EQ(read(width / 5, height / 5)[0], 0) << "but not beyond";
    EXPECT_EQ(read(width * 4 / 5, height * 4 / 5)[0], 0);
    EXPECT_NEAR(read(width / 10, height / 2)[0], Tint * 255, 1) << "the element's tint shows";
    EXPECT_TRUE(log->Contains("Error [OverlayPass]: program \"Text2D\" is not loaded"));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << "depth testing is on again after the overlay";
}

namespace
{
// A bar over a world object, as the user-interface system hands it over: red, 40 x 10 pixels,
// centred where the test puts it (window fractions).
Math::Vector2 g_barCentre;
Math::Vector2 g_barSize;
void CollectRedBar(std::vector<OverlayQuad>& quads, f32, f32)
{
    OverlayQuad bar;
    bar.material = MaterialManager::Instance()->Find("Red", 0);
    bar.centre = g_barCentre;
    bar.size = g_barSize;
    bar.followsObject = true;
    quads.push_back(bar);
}
} // namespace

TEST_F(DrawingGlTest, FloatingTextsAtOneSpotStandApartAndClearOfTheBarUnderThem)
{
    for (const char* file : {"Shaders/Quad.vs", "Shaders/TexturedNoLighting.fs",
                             "ShaderPrograms/TexturedNoLighting.xml", "Shaders/Text2D.vs",
                             "Shaders/Text2D.fs", "ShaderPrograms/Text2D.xml"})
        folder->Write(std::string("assets/") + file,
                      ReadRepositoryFile(std::string("assets/") + file));
    folder->MakeFolder("assets/Models/bin");
    folder->Write("assets/Models/bin/Quad.fbxbin",
                  ReadRepositoryFile("assets/Models/bin/Quad.fbxbin"));
    PngWriter::Description red;
    red.width = 4;
    red.height = 4;
    red.colorType = PngRgb;
    for (int pixel = 0; pixel < 16; ++pixel)
        red.rows.insert(red.rows.end(), {0xFF, 0x00, 0x00});
    folder->MakeFolder("assets/Textures/Fonts");
    ASSERT_TRUE(PngWriter::Save(red, folder->Path("assets/Textures/Red.png")));
    folder->Write("assets/Materials/Red.xml", "<M><DiffuseMap>Red</DiffuseMap></M>");
    // A font whose one glyph is a solid white square.
    PngWriter::Description white;
    white.width = 16;
    white.height = 16;
    white.colorType = PngRgb;
    white.rows.assign(16 * 16 * 3, 0xFF);
    ASSERT_TRUE(PngWriter::Save(white, folder->Path("assets/Textures/Fonts/Mono.png")));
    folder->Write("assets/Fonts/Mono.xml", "<Font a='1' b='Mono' s='10' d='r'>"
                                           "<G a='10' o='0 0' r='0 0 8 8' c='A'/></Font>");
    ASSERT_NE(Start(), nullptr);
    ShaderManager::Instance()->LoadAll(0);
    ShaderProgramManager::Instance()->LoadAll(0);
    TextureManager::Instance()->LoadAll(TextureManager::AllCategories);
    TextureManager::Instance()->FindAny("Red")->Finalize();
    MaterialManager::Instance()->LoadAll(0);
    FontManager::Instance()->LoadAll(0);
    ModelManager::Instance()->LoadAll(0);
    ModelManager::Instance()->Find("Quad", 0)->Finalize();
    // The camera looks at the origin from 10 units along z, where both texts stand.
    CameraComponent* camera = cameras->GetDefaultCamera();
    camera->placement.phi = Math::HALF_PI;
    camera->placement.theta = 0.0f;
    camera->placement.radius = 10.0f;
    cameras->Update(0.0f);
    for (int i = 0; i < 2; ++i)
    {
        auto* text = static_cast<TextComponent*>(
            Add(MakeObject(), "TextComponent",
                "<T><Text>A</Text><Font>Mono</Font><WorldSpace>1</WorldSpace></T>"));
        text->Construct("A");
    }

    const int width = graphics->GetWindowWidth();
    const int height = graphics->GetWindowHeight();
    const Math::Vector2 origin = cameras->WorldToScreen(Math::Point4(0.0f, 0.0f, 0.0f, 1.0f));
    const int x = static_cast<int>(origin.x);
    const int barY = height - static_cast<int>(origin.y); // rows counted from the bottom
    g_barCentre = Math::Vector2(origin.x / width, static_cast<f32>(barY) / height);
    g_barSize = Math::Vector2(40.0f / width, 10.0f / height);
    GetOverlayServices().collectPageQuads.Install(&CollectRedBar);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    graphics->Update(1.0f / 60.0f);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
    graphics->Update(1.0f / 60.0f);
    GetOverlayServices().collectPageQuads.Remove(&CollectRedBar);

    // The column through the bar's centre, from the bottom up.
    std::vector<unsigned char> column(static_cast<std::size_t>(4 * height));
    glReadBuffer(GL_BACK);
    glReadPixels(x, 0, 1, height, GL_RGBA, GL_UNSIGNED_BYTE, column.data());
    auto isWhite = [&](int y) { return column[4 * y] > 200 && column[4 * y + 2] > 200; };
    EXPECT_GT(column[4 * barY], 200) << "the bar stays red where the texts stood";
    EXPECT_LT(column[4 * barY + 2], 60);
    std::vector<std::pair<int, int>> runs; // white runs, first and last row
    for (int y = 0; y < height; ++y)
    {
        if (!isWhite(y))
            continue;
        if (runs.empty() || runs.back().second != y - 1)
            runs.push_back({y, y});
        else
            runs.back().second = y;
    }
    ASSERT_EQ(runs.size(), 2u) << "two texts, apart";
    EXPECT_GT(runs[0].first, barY + 5) << "both above the bar";
    EXPECT_GE(runs[1].first - runs[0].second, 2) << "with a gap between them";
}
