// The graphics assets on a real context (under Xvfb): the shipped shader set compiles and links,
// textures and models upload what they hold, materials bind their units, and F10 relinks
// programs from edited shader files while a broken one is reported and the others keep working.
#include "Core/Assets/FileSystem.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderManager.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/Formats/PngWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Platform/Window.h"
#include "tests/Graphics/Support/GlEngineFixture.h"
#include "tests/Support/TempFiles.h"
#include <GL/glew.h>
#include <cstdlib>
#include <memory>

using namespace Graphics;
using Graphics::System::GraphicsSystem;

namespace
{
const char* const VertexShaderText = "in vec4 vertex;\n"
                                     "uniform mat4 ModelMatrix;\n"
                                     "void main() { gl_Position = ModelMatrix * vertex; }\n";
const char* const FragmentShaderText = "out vec4 FragColor;\n"
                                       "void main() { FragColor = vec4(1.0); }\n";
// Samples the six material roles, so each has a uniform.
const char* const MaterialShader =
    "uniform sampler2D DiffuseMap; uniform sampler2D NormalMap; uniform sampler2D SpecularMap;\n"
    "uniform sampler2D GlossMap; uniform sampler2D EmissiveMap; uniform sampler2D OpacityMap;\n"
    "out vec4 FragColor;\n"
    "void main() { vec2 c = vec2(0.5); FragColor = texture(DiffuseMap, c) + texture(NormalMap, c)"
    " + texture(SpecularMap, c) + texture(GlossMap, c) + texture(EmissiveMap, c)"
    " + texture(OpacityMap, c); }\n";

// Enters the repository root, where the shipped assets are, for as long as it lives.
class InRepositoryRoot
{
public:
    InRepositoryRoot() : m_previous(boost::filesystem::current_path())
    {
        boost::filesystem::current_path(QUILL_ASSET_ROOT);
    }
    ~InRepositoryRoot()
    {
        boost::system::error_code error;
        boost::filesystem::current_path(m_previous, error);
    }

private:
    boost::filesystem::path m_previous;
};

std::string Program(const char* category, const char* vertex, const char* fragment)
{
    return std::string("<P>") + category + "<VertexShader>" + vertex +
           "</VertexShader><FragmentShader>" + fragment + "</FragmentShader></P>";
}
} // namespace

class GraphicsAssetsGlTest : public GlEngineFixture
{
protected:
    // Starts the graphics system, in a fresh asset tree when one was made.
    GraphicsSystem* Start()
    {
        graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
        EXPECT_TRUE(graphics != nullptr && graphics->IsRendererReady());
        return graphics;
    }
    void PressF10()
    {
        engine->SendMessage(new KeyboardMessage(0, GraphicsSystem::KeyF10, KS_TRIGGER, 0), 0.0f);
        messages->Update(0.0f);
    }
    void LoadShaders()
    {
        ShaderManager::Instance()->LoadAll(0);
        ShaderProgramManager::Instance()->LoadAll(0);
    }

    GraphicsSystem* graphics = nullptr;
};

TEST_F(GraphicsAssetsGlTest, TheShippedShaderSetCompilesAndLinks)
{
    InRepositoryRoot root;
    ASSERT_NE(Start(), nullptr);
    EXPECT_TRUE(log->Contains("Shader Program Assets Loaded."));
    LoadShaders();
    std::vector<std::string> files;
    for (const char* extension : {".vs", ".vh", ".fs"})
    {
        Serializer::System::FileSystem::ListFiles(ShaderManager::Folder, files, extension);
        for (const std::string& file : files)
            EXPECT_EQ(log->Count(file), 1u) << file << " announced once";
    }
    EXPECT_FALSE(log->Contains("Compiler Error")) << log->Text();
    EXPECT_FALSE(log->Contains("Link Error")) << log->Text();

    const struct
    {
        const char* name;
        u32 category;
    } expected[] = {{"Default", 1},
                    {"Default", 2},
                    {"GeometryBuffer", 1},
                    {"GeometryBuffer", 2},
                    {"DepthBuffer", 1},
                    {"DepthBuffer", 2},
                    {"PointLight", 0},
                    {"BlurHorizontal", 0},
                    {"BlurVertical", 0},
                    {"Text2D", 0},
                    {"TexturedBasicLighting", 1},
                    {"TexturedNoLighting", 1},
                    {"Skybox", 1}};
    for (const auto& entry : expected)
    {
        const ShaderProgram* program =
            ShaderProgramManager::Instance()->Find(entry.name, entry.category);
        ASSERT_NE(program, nullptr) << entry.name << " " << entry.category;
        EXPECT_TRUE(program->IsLinked()) << entry.name;
    }
    EXPECT_NE(graphics->UseShaderProgram("Text2D"), 0u);
    EXPECT_EQ(graphics->GetCurrentProgramHandle(),
              ShaderProgramManager::Instance()->Find("Text2D", 0)->GetHandle());
    EXPECT_EQ(graphics->UseShaderProgram("Skybox"), 0u) << "Skybox has no Standard variant";
    EXPECT_EQ(graphics->GetCurrentProgram(), nullptr);
}

TEST_F(GraphicsAssetsGlTest, TexturesAndModelsUploadWhatTheyHold)
{
    folder = std::make_unique<TempFolder>("quill-gl-assets");
    PngWriter::Description rgb;
    rgb.width = 5;
    rgb.height = 3;
    rgb.colorType = PngRgb;
    for (u32 i = 0; i < 45; ++i)
        rgb.rows.push_back(static_cast<u08>(i * 5));
    folder->MakeFolder("assets/Textures");
    ASSERT_TRUE(PngWriter::Save(rgb, folder->Path("assets/Textures/Odd.png")));

    ModelFile skinned;
    skinned.hasMesh = true;
    skinned.vertexType = SkinnedVertexType;
    skinned.stride = sizeof(SkinnedVertex);
    skinned.vertexCount = 4;
    skinned.triangleCount = 2;
    skinned.vertices.resize(4 * sizeof(SkinnedVertex));
    skinned.indices = {0, 1, 2, 2, 3, 0};
    ModelFile plain = skinned;
    plain.vertexType = StaticVertexType;
    plain.stride = sizeof(StaticVertex);
    plain.vertices.resize(4 * sizeof(StaticVertex));
    folder->MakeFolder("assets/Models/bin");
    FbxBinWriter skinnedWriter;
    skinnedWriter.WriteMesh(skinned);
    skinnedWriter.WriteEnd();
    ASSERT_TRUE(skinnedWriter.Save(folder->Path("assets/Models/bin/Skinned.fbxbin")));
    FbxBinWriter plainWriter;
    plainWriter.WriteMesh(plain);
    plainWriter.WriteEnd();
    ASSERT_TRUE(plainWriter.Save(folder->Path("assets/Models/bin/Plain.fbxbin")));

    ASSERT_NE(Start(), nullptr);
    TextureManager::Instance()->LoadAll(TextureManager::AllCategories);
    Texture* odd = TextureManager::Instance()->Find("Odd", 0);
    ASSERT_NE(odd, nullptr);
    odd->Finalize();
    ASSERT_NE(odd->GetHandle(), 0xFFFFFFFFu);
    std::vector<u08> readBack(45, 0);
    glBindTexture(GL_TEXTURE_2D, odd->GetHandle());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, readBack.data());
    EXPECT_EQ(readBack, odd->GetImage().pixels);
    EXPECT_EQ(readBack[0], 150) << "the file's bottom row is texture row 0";

    ModelManager::Instance()->LoadAll(0);
    for (const char* name : {"Plain", "Skinned"})
    {
        SCOPED_TRACE(name);
        Model* model = ModelManager::Instance()->Find(name, 0);
        ASSERT_NE(model, nullptr);
        model->Finalize();
        GLint size = 0;
        glBindBuffer(GL_ARRAY_BUFFER, model->GetVertexBuffer());
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
        EXPECT_EQ(size, static_cast<GLint>(4 * model->GetStride()));
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model->GetIndexBuffer());
        glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
        EXPECT_EQ(size, 6 * 4);

        model->BindVertexFormat();
        const GLuint lastLocation = model->GetVertexType() == SkinnedVertexType ? 6 : 4;
        for (GLuint location = 0; location <= lastLocation; ++location)
        {
            GLint stride = 0;
            GLint enabled = 0;
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
            glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
            EXPECT_EQ(stride, model->GetVertexType() == SkinnedVertexType ? 88 : 56) << location;
            EXPECT_EQ(enabled, GL_TRUE) << location;
        }
        model->UnbindVertexFormat();
        GLint enabled = 1;
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        EXPECT_EQ(enabled, GL_FALSE);
        EXPECT_TRUE(model->Reload()) << "uploads again from memory";
        EXPECT_NE(model->GetVertexBuffer(), 0xFFFFFFFFu);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GraphicsAssetsGlTest, MaterialBindLeavesEachRoleOnItsUnit)
{
    folder = std::make_unique<TempFolder>("quill-gl-material");
    folder->Write("assets/Shaders/Plain.vs", VertexShaderText);
    folder->Write("assets/Shaders/Material.fs", MaterialShader);
    folder->Write("assets/ShaderPrograms/Material.xml",
                  Program("Standard", "Plain.vs", "Material.fs"));
    folder->Write("assets/Materials/Bare.xml", "<Material/>");
    ASSERT_NE(Start(), nullptr);
    LoadShaders();
    MaterialManager::Instance()->LoadAll(0);
    const u32 program = graphics->UseShaderProgram("Material");
    ASSERT_NE(program, 0u);
    MaterialManager::Instance()->Find("Bare", 0)->Bind(program);
    GLint value = -1;
    glGetUniformiv(program, glGetUniformLocation(program, "OpacityMap"), &value);
    EXPECT_EQ(value, 5);
    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    EXPECT_EQ(unit, GL_TEXTURE5);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GraphicsAssetsGlTest, F10RelinksEditedShadersAndReportsABrokenOne)
{
    folder = std::make_unique<TempFolder>("quill-gl-f10");
    folder->Write("assets/Shaders/Basic.vs", VertexShaderText);
    folder->Write("assets/Shaders/Basic.fs", FragmentShaderText);
    folder->Write("assets/Shaders/Bad.fs", FragmentShaderText);
    folder->Write("assets/Shaders/Broken.fs", "void main( {");
    folder->Write("assets/ShaderPrograms/Basic.xml", Program("Standard", "Basic.vs", "Basic.fs"));
    folder->Write("assets/ShaderPrograms/Bad.xml", Program("Standard", "Basic.vs", "Bad.fs"));
    ASSERT_NE(Start(), nullptr);
    LoadShaders();
    EXPECT_TRUE(log->Contains("Compiler Error [Broken.fs][FRAGMENT]:"));
    EXPECT_EQ(ShaderManager::Instance()->Find("Broken.fs", ShaderManager::FragmentCategory),
              nullptr)
        << "a shader that fails its first compile is refused";
    ShaderProgram* basic = ShaderProgramManager::Instance()->Find("Basic", 0);
    ASSERT_NE(basic, nullptr);
    ASSERT_TRUE(basic->IsLinked());
    EXPECT_EQ(glGetUniformLocation(basic->GetHandle(), "Tint"), -1);

    folder->Write("assets/Shaders/Basic.fs", "uniform vec4 Tint;\nout vec4 FragColor;\n"
                                             "void main() { FragColor = Tint; }\n");
    folder->Write("assets/Shaders/Bad.fs", "void main() { this is not GLSL }\n");
    PressF10();
    EXPECT_TRUE(log->Contains("GraphicsSystem handling keyboard key 'F10'"));
    const std::string text = log->Text();
    const std::size_t error = text.find("Compiler Error [Bad.fs][FRAGMENT]:\n");
    ASSERT_NE(error, std::string::npos) << text;
    EXPECT_GT(text.size(), error + 40) << "the driver's text follows";

    EXPECT_TRUE(basic->IsLinked()) << "the program after the broken shader relinked too";
    EXPECT_NE(glGetUniformLocation(basic->GetHandle(), "Tint"), -1) << "the edit is in";
    EXPECT_EQ(
        ShaderManager::Instance()->Find("Bad.fs", ShaderManager::FragmentCategory)->GetHandle(), 0u)
        << "the broken shader has no object to attach";
    EXPECT_EQ(graphics->UseShaderProgram("Basic"), basic->GetHandle());
    glDrawArrays(GL_POINTS, 0, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GraphicsAssetsGlTest, AFullScreenSwitchMakesEveryAssetObjectAgain)
{
    folder = std::make_unique<TempFolder>("quill-gl-toggle");
    folder->Write("assets/Shaders/Basic.vs", VertexShaderText);
    folder->Write("assets/Shaders/Basic.fs", FragmentShaderText);
    folder->Write("assets/ShaderPrograms/Basic.xml", Program("Standard", "Basic.vs", "Basic.fs"));
    PngWriter::Description grey;
    grey.width = 2;
    grey.height = 2;
    grey.colorType = PngGrey;
    grey.rows = {1, 2, 3, 4};
    folder->MakeFolder("assets/Textures");
    ASSERT_TRUE(PngWriter::Save(grey, folder->Path("assets/Textures/Grey.png")));
    ASSERT_NE(Start(), nullptr);
    LoadShaders();
    TextureManager::Instance()->LoadAll(TextureManager::AllCategories);
    Texture* texture = TextureManager::Instance()->Find("Grey", 0);
    ASSERT_NE(texture, nullptr);
    texture->Finalize();
    ASSERT_NE(graphics->UseShaderProgram("Basic"), 0u);

    graphics->ToggleFullScreen();
    ASSERT_TRUE(graphics->IsWindowOpen());
    EXPECT_EQ(graphics->GetCurrentProgramHandle(), 0u) << "the old program went with its context";
    const ShaderProgram* basic = ShaderProgramManager::Instance()->Find("Basic", 0);
    EXPECT_TRUE(basic->IsLinked());
    EXPECT_EQ(glIsProgram(basic->GetHandle()), GL_TRUE);
    EXPECT_EQ(glIsTexture(texture->GetHandle()), GL_TRUE);
    std::vector<u08> readBack(4, 0);
    glBindTexture(GL_TEXTURE_2D, texture->GetHandle());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, readBack.data());
    EXPECT_EQ(readBack, (std::vector<u08>{3, 4, 1, 2}));
    EXPECT_EQ(graphics->UseShaderProgram("Basic"), basic->GetHandle());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
