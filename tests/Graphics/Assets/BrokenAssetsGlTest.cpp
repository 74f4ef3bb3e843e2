// Covers: TextureManager, ModelManager, MaterialManager, FontManager, ShaderManager.
// Broken graphics assets on a real context (under Xvfb): each row writes one broken file into a
// scratch asset tree, loads it the way the game does, and checks that exactly one log line names
// the file and what is wrong, and that the engine kept its fallback (no program, no model, the
// default texture, the old frame count).
#include "Graphics/Assets/FontManager.h"
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
#include <cstdlib>
#include <functional>
#include <memory>

using namespace Graphics;
using Graphics::System::GraphicsSystem;

namespace
{
const char* const VertexShaderText = "in vec4 vertex;\n"
                                     "void main() { gl_Position = vertex; }\n";
const char* const FragmentShaderText = "out vec4 FragColor;\n"
                                       "void main() { FragColor = vec4(1.0); }\n";

std::string Program(const std::string& shaders)
{
    return "<P>Standard" + shaders + "</P>";
}

bool SavePng(const TempFolder& folder, const std::string& path)
{
    PngWriter::Description image;
    image.width = 2;
    image.height = 2;
    image.colorType = PngRgb;
    image.rows.assign(12, 0x80);
    return PngWriter::Save(image, folder.Path(path));
}

bool SaveModel(const TempFolder& folder, const std::string& path)
{
    ModelFile model;
    model.hasMesh = true;
    model.vertexType = StaticVertexType;
    model.stride = sizeof(StaticVertex);
    model.vertexCount = 3;
    model.triangleCount = 1;
    model.vertices.resize(3 * sizeof(StaticVertex));
    model.indices = {0, 1, 2};
    FbxBinWriter writer;
    writer.WriteMesh(model);
    writer.WriteEnd();
    return writer.Save(folder.Path(path));
}

std::string Sidecar(const std::string& count)
{
    return "<Sheet><TotalFrames>" + count + "</TotalFrames></Sheet>";
}

const ShaderProgram* FindProgram(const std::string& name)
{
    return ShaderProgramManager::Instance()->Find(name, ShaderProgramFile::Standard);
}
} // namespace

class BrokenAssetsGlTest : public GlEngineFixture
{
protected:
    void SetUp() override
    {
        GlEngineFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        folder = std::make_unique<TempFolder>("quill-broken-assets");
    }

    GraphicsSystem* graphics = nullptr;
};

TEST_F(BrokenAssetsGlTest, EachBrokenAssetIsNamedInOneLineAndFallsBack)
{
    graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
    ASSERT_TRUE(graphics != nullptr && graphics->IsRendererReady());
    // What the rows build on: two good shaders, the default texture and the font category.
    folder->Write("assets/Shaders/Basic.vs", VertexShaderText);
    folder->Write("assets/Shaders/Basic.fs", FragmentShaderText);
    ShaderManager::Instance()->LoadAll(0);
    folder->MakeFolder("assets/Textures/Fonts");
    ASSERT_TRUE(SavePng(*folder, "assets/Textures/White.png"));
    TextureManager::Instance()->Load("White", TextureManager::DefaultCategory);
    const Texture* white = TextureManager::Instance()->FindAny("White");
    ASSERT_NE(white, nullptr);

    TextureManager& textures = *TextureManager::Instance();
    auto loadPrograms = [] { ShaderProgramManager::Instance()->LoadAll(0); };
    auto noProgram = [this](const char* name)
    {
        return [this, name]
        { return FindProgram(name) == nullptr && graphics->UseShaderProgram(name) == 0u; };
    };
    auto sheetKeepsOneFrame = [&textures](const char* name)
    {
        return [&textures, name]
        {
            const Texture* sheet = textures.Find(name, TextureManager::DefaultCategory);
            return sheet != nullptr && sheet->GetTotalFrames() == 1u;
        };
    };
    auto loadSheet = [&textures](const char* name)
    { return [&textures, name] { textures.Load(name, TextureManager::DefaultCategory); }; };

    struct Row
    {
        const char* what;
        std::function<void()> write;
        std::function<void()> load;
        std::string line; // the one line expected
        std::function<bool()> fallback;
    };
    const Row rows[] = {
        {"a program naming a shader that does not exist",
         [&]
         {
             folder->Write("assets/ShaderPrograms/Missing.xml",
                           Program("<VertexShader>Basic.vs</VertexShader>"
                                   "<FragmentShader>Gone.fs</FragmentShader>"));
         },
         loadPrograms,
         "Error [ShaderProgram]: assets/ShaderPrograms/Missing.xml (Standard) not linked: it has "
         "no fragment shader; fragment shader \"Gone.fs\" does not exist",
         noProgram("Missing")},
        {"a fragment shader named as the vertex shader",
         [&]
         {
             folder->Write("assets/ShaderPrograms/Swapped.xml",
                           Program("<VertexShader>Basic.fs</VertexShader>"
                                   "<FragmentShader>Basic.fs</FragmentShader>"));
         },
         loadPrograms,
         "assets/ShaderPrograms/Swapped.xml (Standard) not linked: it has no vertex shader; "
         "vertex shader \"Basic.fs\" is a fragment shader",
         noProgram("Swapped")},
        {"a shader path leaving the shader folder",
         [&]
         {
             folder->Write("assets/ShaderPrograms/Climbing.xml",
                           Program("<VertexShader>../Shaders/Basic.vs</VertexShader>"
                                   "<FragmentShader>Basic.fs</FragmentShader>"));
         },
         loadPrograms,
         "assets/ShaderPrograms/Climbing.xml (Standard) not linked: it has no vertex shader; "
         "vertex shader \"../Shaders/Basic.vs\" leaves the shader folder",
         noProgram("Climbing")},
        {"a program naming no shaders",
         [&] { folder->Write("assets/ShaderPrograms/Hollow.xml", Program("")); }, loadPrograms,
         "assets/ShaderPrograms/Hollow.xml (Standard) not linked: it names no shaders",
         noProgram("Hollow")},
        {"a program with an extra missing header still links",
         [&]
         {
             folder->Write("assets/ShaderPrograms/Extra.xml",
                           Program("<VertexShader>Basic.vs</VertexShader>"
                                   "<VertexShader>Gone.vh</VertexShader>"
                                   "<FragmentShader>Basic.fs</FragmentShader>"));
         },
         loadPrograms,
         "assets/ShaderPrograms/Extra.xml (Standard): linked, but vertex shader \"Gone.vh\" "
         "does not exist",
         [] { return FindProgram("Extra") != nullptr && FindProgram("Extra")->IsLinked(); }},
        {"a zero-byte model", [&] { folder->Write("assets/Models/bin/Empty.fbxbin", ""); },
         [] { ModelManager::Instance()->Load("Empty", 0); },
         "Error [Model]: assets/Models/bin/Empty.fbxbin refused: it holds no vertices",
         [] { return ModelManager::Instance()->Find("Empty", 0) == nullptr; }},
        {"a model path leaving the model folder",
         [&] { ASSERT_TRUE(SaveModel(*folder, "assets/Models/Escaped.fbxbin")); },
         [] { ModelManager::Instance()->Load("../Escaped", 0); },
         "Error [AssetManager]: asset \"../Escaped\" refused: its path leaves the asset folder",
         [] { return ModelManager::Instance()->Find("../Escaped", 0) == nullptr; }},
        {"a texture path leaving the texture folder",
         [&] { ASSERT_TRUE(SavePng(*folder, "Outside.png")); },
         [&textures] { textures.Load("../../Outside", TextureManager::DefaultCategory); },
         "Error [AssetManager]: asset \"../../Outside\" refused: its path leaves the asset folder",
         [&textures] { return textures.FindAny("../../Outside") == nullptr; }},
        {"a material path leaving the material folder",
         [&] { folder->Write("Outside.xml", "<M><DiffuseMap>White</DiffuseMap></M>"); },
         [] { MaterialManager::Instance()->Load("../../Outside", 0); },
         "Error [AssetManager]: asset \"../../Outside\" refused: its path leaves the asset folder",
         [] { return MaterialManager::Instance()->Find("../../Outside", 0) == nullptr; }},
        {"a font of pixel size 2^32-1",
         [&]
         {
             ASSERT_TRUE(SavePng(*folder, "assets/Textures/Fonts/Huge.png"));
             textures.Load("Huge", TextureManager::FontCategory);
             folder->Write("assets/Fonts/Huge.xml",
                           "<Font a=\"0\" b=\"Sans\" c=\"4294967295\" d=\"Book\">"
                           "<Glyph a=\"9\" o=\"1 2\" r=\"0 0 1 1\" c=\"A\"/></Font>");
         },
         [] { FontManager::Instance()->LoadAll(0); },
         "Error [Font]: assets/Fonts/Huge.xml refused: its pixel size 4294967295 is outside the "
         "valid range 1 to 16384",
         []
         {
             const Font* font = FontManager::Instance()->Find("Huge", 0);
             return font == nullptr || font->GetGlyphs().empty();
         }},
        {"a material naming a missing texture",
         [&]
         { folder->Write("assets/Materials/Lost.xml", "<M><DiffuseMap>Nowhere</DiffuseMap></M>"); },
         [] { MaterialManager::Instance()->Load("Lost", 0); },
         "Error [Material]: assets/Materials/Lost.xml: DiffuseMap texture \"Nowhere\" is not "
         "loaded; White used instead",
         [white]
         {
             const Material* lost = MaterialManager::Instance()->Find("Lost", 0);
             return lost != nullptr && lost->GetTexture(0) == white;
         }},
        {"a sprite sheet of -1 frames",
         [&]
         {
             ASSERT_TRUE(SavePng(*folder, "assets/Textures/SheetA.png"));
             folder->Write("assets/Textures/SheetA.xml", Sidecar("-1"));
         },
         loadSheet("SheetA"),
         "Error [Texture]: assets/Textures/SheetA.xml: TotalFrames \"-1\" refused: the valid "
         "range is 1 to 16384; 1 is kept",
         sheetKeepsOneFrame("SheetA")},
        {"a sprite sheet of 0 frames",
         [&]
         {
             ASSERT_TRUE(SavePng(*folder, "assets/Textures/SheetB.png"));
             folder->Write("assets/Textures/SheetB.xml", Sidecar("0"));
         },
         loadSheet("SheetB"),
         "SheetB.xml: TotalFrames \"0\" refused: the valid range is 1 to 16384",
         sheetKeepsOneFrame("SheetB")},
        {"a sprite sheet of NaN frames",
         [&]
         {
             ASSERT_TRUE(SavePng(*folder, "assets/Textures/SheetC.png"));
             folder->Write("assets/Textures/SheetC.xml",
                           "<Sheet><TotalFrames>4</TotalFrames><WidthFrames>NaN</WidthFrames>"
                           "</Sheet>");
         },
         loadSheet("SheetC"),
         "SheetC.xml: WidthFrames \"NaN\" refused: the valid range is 1 to 16384",
         [&textures]
         {
             const Texture* sheet = textures.Find("SheetC", TextureManager::DefaultCategory);
             return sheet != nullptr && sheet->GetTotalFrames() == 4u &&
                    sheet->GetFramesPerRow() == 1u;
         }},
        {"a sprite sheet of 1e40 frames",
         [&]
         {
             ASSERT_TRUE(SavePng(*folder, "assets/Textures/SheetD.png"));
             folder->Write("assets/Textures/SheetD.xml", Sidecar("1e40"));
         },
         loadSheet("SheetD"),
         "SheetD.xml: TotalFrames \"1e40\" refused: the valid range is 1 to 16384",
         sheetKeepsOneFrame("SheetD")},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        row.write();
        const std::size_t before = log->Count(row.line);
        row.load();
        EXPECT_EQ(log->Count(row.line), before + 1) << log->Text();
        EXPECT_TRUE(row.fallback());
    }
}
