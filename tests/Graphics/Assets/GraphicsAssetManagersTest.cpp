// Covers: TextureManager, FontManager, MaterialManager, ModelManager, GraphicsAssetSection.
// The graphics asset managers on temporary asset trees, without OpenGL: which files each loads,
// how assets are named, the fallbacks of materials and fonts, and staged loading where
// materials and fonts find the textures of their own batch.
#include "Graphics/Assets/FontManager.h"
#include "Graphics/Assets/GraphicsAssetSection.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/Formats/PngWriter.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/TempFiles.h"
#include <GL/glew.h>
#include <gtest/gtest.h>

using namespace Graphics;

namespace
{
void WritePng(const TempFolder& folder, const std::string& path, u32 width = 1, u32 height = 1)
{
    PngWriter::Description image;
    image.width = width;
    image.height = height;
    image.colorType = PngRgb;
    image.rows.assign(static_cast<std::size_t>(width) * height * 3, 0x7F);
    folder.MakeFolder(path.substr(0, path.find_last_of('/')));
    ASSERT_TRUE(PngWriter::Save(image, folder.Path(path)));
}

std::string NameOf(const Texture* texture)
{
    return texture != nullptr ? texture->GetName() : "(none)";
}
} // namespace

TEST(TextureManager, LoadsOneCategoryAndNamesTexturesByTheirFiles)
{
    TempFolder folder("quill-textures");
    WritePng(folder, "assets/Textures/Stone.png");
    folder.Write("assets/Textures/Stone.xml",
                 "<Sheet><TotalFrames>16</TotalFrames><WidthFrames>4</WidthFrames></Sheet>");
    WritePng(folder, "assets/Textures/Rock.PNG");
    WritePng(folder, "assets/Textures/Moss.Png");
    folder.Write("assets/Textures/Brick.bmp", "BM");
    WritePng(folder, "assets/Textures/Fonts/Sans.png");
    WritePng(folder, "assets/Textures/Particles/Spark.png");

    LogCapture log;
    TextureManager textures;
    textures.LoadAll(TextureManager::FontCategory);
    EXPECT_EQ(textures.GetCategory(TextureManager::DefaultCategory)->assets.size(), 0u);
    EXPECT_EQ(textures.GetCategory(TextureManager::ParticleCategory)->assets.size(), 0u);
    ASSERT_EQ(textures.GetCategory(TextureManager::FontCategory)->assets.size(), 1u);
    EXPECT_EQ(textures.GetCategory(TextureManager::FontCategory)->name, "TextureFont");
    EXPECT_EQ(textures.GetCategory(TextureManager::DefaultCategory)->editorValueCount, 0u);

    textures.LoadAll(TextureManager::AllCategories);
    const auto& defaults = textures.GetCategory(TextureManager::DefaultCategory)->assets;
    ASSERT_EQ(defaults.size(), 2u) << "Rock.PNG and Stone.png; not Moss.Png, Brick.bmp, Stone.xml";
    const Texture* stone = textures.Find("Stone", TextureManager::DefaultCategory);
    ASSERT_NE(stone, nullptr);
    EXPECT_EQ(stone->GetTotalFrames(), 16u);
    EXPECT_EQ(stone->GetFramesPerRow(), 4u);
    EXPECT_EQ(stone->GetFormat(), u32(GL_RGB));
    EXPECT_NE(textures.Find("Rock", TextureManager::DefaultCategory), nullptr);
    EXPECT_EQ(NameOf(textures.FindAny("Spark")), "Spark");
    EXPECT_EQ(log.Count("Brick.bmp"), 1u);
    EXPECT_EQ(log.Count("Moss"), 0u) << "a file that is no image is skipped without a line";
    EXPECT_EQ(log.Count("Stone.xml"), 0u);
}

TEST(ModelManager, LoadsByNameOnceAndRefusesMissingFiles)
{
    TempFolder folder("quill-models");
    ModelFile model;
    model.hasMesh = true;
    model.vertexCount = 3;
    model.triangleCount = 1;
    model.vertices.resize(3 * sizeof(StaticVertex));
    model.indices = {0, 1, 2};
    folder.MakeFolder("assets/Models/bin");
    FbxBinWriter writer;
    writer.WriteMesh(model);
    writer.WriteEnd();
    ASSERT_TRUE(writer.Save(folder.Path("assets/Models/bin/Rock.fbxbin")));

    LogCapture log;
    ModelManager models;
    models.Load("Rock", 0);
    models.Load("Rock", 0);
    ASSERT_EQ(models.GetCategory(0)->assets.size(), 1u);
    const Model* rock = models.Find("Rock", 0);
    EXPECT_EQ(rock->GetStride(), 56u);
    EXPECT_EQ(rock->GetSkeleton(), nullptr);
    EXPECT_EQ(rock->GetVertexBuffer(), 0xFFFFFFFFu) << "no buffer before Upload";
    models.Load("Boulder", 0);
    EXPECT_EQ(models.Find("Boulder", 0), nullptr);
    EXPECT_EQ(log.Count("Boulder.fbxbin"), 2u)
        << "the reader's failure line and its reason, nothing more";
}

TEST(MaterialManager, FallsBackToTheDefaultTexturesOfEachRole)
{
    TempFolder folder("quill-materials");
    for (const char* name : {"White", "Flat", "Black", "Rock", "RockSpec"})
        WritePng(folder, std::string("assets/Textures/") + name + ".png");
    folder.Write("assets/Materials/Empty.xml", "<Material/>");
    folder.Write("assets/Materials/Rock.xml",
                 "<M><DiffuseMap>Rock</DiffuseMap><SpecularMap>RockSpec</SpecularMap>"
                 "<GlossMap>Missing</GlossMap></M>");
    folder.Write("assets/Materials/Swapped.xml",
                 "<M><NormalMap>Rock</NormalMap><DiffuseMap>Rock</DiffuseMap></M>");

    LogCapture log;
    TextureManager textures;
    textures.LoadAll(TextureManager::AllCategories);
    MaterialManager materials;
    materials.LoadAll(0);
    materials.Load("Gone", 0);
    auto names = [&](const char* material)
    {
        std::vector<std::string> out;
        const Material* found = materials.Find(material, 0);
        for (u32 slot = 0; found != nullptr && slot < MaterialFile::SlotCount; ++slot)
            out.push_back(NameOf(found->GetTexture(slot)));
        return out;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(names("Empty"), (Names{"White", "Flat", "Black", "Black", "Black", "White"}));
    EXPECT_EQ(names("Rock"), (Names{"Rock", "Flat", "RockSpec", "Black", "Black", "White"}));
    EXPECT_EQ(names("Swapped"), (Names{"White", "Rock", "Black", "Black", "Black", "White"}));
    EXPECT_EQ(names("Gone"), (Names{"White", "Flat", "Black", "Black", "Black", "White"}))
        << "a missing file still makes a material";
    EXPECT_EQ(log.Count("Gone.xml"), 2u)
        << "the reader's failure line and its reason, nothing more";
}

TEST(FontManager, ComputesGlyphQuadsAndKerningAgainstItsTexture)
{
    TempFolder folder("quill-fonts");
    WritePng(folder, "assets/Textures/Fonts/Sans.png", 256, 128);
    folder.Write("assets/Fonts/Sans.xml",
                 "<Font a='1' b='Sans' s='16' d='r'>"
                 "<G a='10' o='1 2' r='10 20 8 12' c='AB'><K a='-2' c='V'/></G>"
                 "<G a='9' o='0 0' r='0 0 8 8' c='V'/></Font>");
    folder.Write("assets/Fonts/Orphan.xml", "<Font a='1' b='x' s='16' d='r'/>");

    LogCapture log;
    TextureManager textures;
    textures.LoadAll(TextureManager::FontCategory);
    FontManager fonts;
    fonts.Load("Sans", 0);
    EXPECT_EQ(fonts.GetCategory(0)->assets.size(), 0u) << "fonts load only with their folder";
    fonts.LoadAll(0);
    EXPECT_EQ(fonts.Find("Orphan", 0), nullptr) << "no texture Orphan";
    EXPECT_EQ(log.Count("Orphan"), 1u);
    const Font* sans = fonts.Find("Sans", 0);
    ASSERT_NE(sans, nullptr);
    const Glyph* a = sans->GetGlyph('A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(sans->GetGlyph('B'), nullptr);
    const Math::Vector3 corners[] = {
        {0.0625f, 0.875f, 0}, {0.5625f, 0.875f, 0}, {0.5625f, 0.125f, 0}, {0.0625f, 0.125f, 0}};
    const Math::Vector2 texcoords[] = {
        {0.0390625f, 0.84375f}, {0.0703125f, 0.84375f}, {0.0703125f, 0.75f}, {0.0390625f, 0.75f}};
    for (std::size_t i = 0; i < Glyph::CornerCount; ++i)
    {
        EXPECT_FLOAT_EQ(a->corners[i].x, corners[i].x) << i;
        EXPECT_FLOAT_EQ(a->corners[i].y, corners[i].y) << i;
        EXPECT_FLOAT_EQ(a->texcoords[i].x, texcoords[i].x) << i;
        EXPECT_FLOAT_EQ(a->texcoords[i].y, texcoords[i].y) << i;
    }
    EXPECT_EQ(Font::GetKerning(*a, 'V'), -2);
    EXPECT_EQ(Font::GetKerning(*sans->GetGlyph('V'), 'A'), 0);
}

TEST(GraphicsAssetSection, StagedMaterialsAndFontsFindTexturesOfTheirOwnBatch)
{
    TempFolder folder("quill-staged");
    WritePng(folder, "assets/Textures/Rock.png");
    WritePng(folder, "assets/Textures/Fonts/Sans.png", 16, 16);
    folder.Write("assets/Materials/Rock.xml", "<M><DiffuseMap>Rock</DiffuseMap></M>");
    folder.Write("assets/Fonts/Sans.xml", "<Font a='1' b='x' s='16' d='r'/>");

    TextureManager textures;
    MaterialManager materials;
    FontManager fonts;
    GraphicsAssetSection<TextureManager, true, true> textureSection;
    GraphicsAssetSection<MaterialManager, true, true> materialSection;
    GraphicsAssetSection<FontManager, true, true> fontSection;
    // Read as the loader's worker would, in the batch's section order, with nothing added yet.
    Core::StagedAssetList staged;
    ASSERT_TRUE(textureSection.StageAll(TextureManager::DefaultCategory, staged));
    ASSERT_TRUE(textureSection.StageAll(TextureManager::FontCategory, staged));
    ASSERT_TRUE(materialSection.StageAll(0, staged));
    ASSERT_TRUE(fontSection.StageAll(0, staged));
    EXPECT_EQ(textures.GetCategory(0)->assets.size(), 0u) << "staging leaves the manager alone";

    for (auto& asset : staged)
        asset->Commit();
    ASSERT_NE(materials.Find("Rock", 0), nullptr);
    EXPECT_EQ(NameOf(materials.Find("Rock", 0)->GetTexture(0)), "Rock");
    EXPECT_NE(fonts.Find("Sans", 0), nullptr);
}
