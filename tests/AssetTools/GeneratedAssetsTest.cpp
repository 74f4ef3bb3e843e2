// Covers: ModelManager, TextureManager, MaterialManager, FontManager, Skeleton.
// Every model, texture, material and font committed under assets/ read back through the
// engine's asset managers (no OpenGL), and the properties the renderer and the game rely on.
#include "Core/Assets/FileSystem.h"
#include "Graphics/Assets/FontManager.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/Skeleton.h"
#include "Graphics/Assets/TextureManager.h"
#include "tests/Support/LogCapture.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Graphics;

namespace
{
constexpr f32 BindTolerance = 0.0001f;
constexpr u32 LargestTexture = 256;
constexpr u32 LargestFontAtlas = 512;
// How far a dead character may sink into the floor and stand above it, in model units.
constexpr f32 FloorTolerance = 0.05f;
constexpr f32 LyingHeight = 0.9f;
const char* const Characters[] = {"Golem",    "Mage",   "SteamKnight", "AIMelee",
                                  "AIRanged", "AITank", "AISpeedy",    "AIFlock"};
const char* const Tracks[] = {"Idle", "Run", "Attack", "Hit", "Death"};

StaticVertex VertexOf(const Model& model, u32 index)
{
    StaticVertex vertex;
    std::memcpy(&vertex, model.GetVertex(index), sizeof(vertex));
    return vertex;
}

struct Vec
{
    f32 x, y, z;
};
Vec Minus(const f32* a, const f32* b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec Cross(const Vec& a, const Vec& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
f32 Dot(const Vec& a, const f32* b)
{
    return a.x * b[0] + a.y * b[1] + a.z * b[2];
}

// The largest element-wise difference between two arrays of matrices.
f32 Difference(const std::vector<Math::Matrix4>& a, const std::vector<Math::Matrix4>& b)
{
    f32 largest = 0.0f;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t k = 0; k < 16; ++k)
            largest = std::fmax(largest, std::fabs(a[i].m[k] - b[i].m[k]));
    return largest;
}

std::vector<Math::Matrix4> PoseAt(const Skeleton& skeleton, const Animation& animation, f32 time)
{
    std::vector<Math::Matrix4> matrices(skeleton.GetBoneCount());
    std::vector<u32> hints(skeleton.GetBoneCount(), 0);
    skeleton.EvaluatePose(time, animation, matrices.data(), hints.data());
    return matrices;
}

std::size_t FilesIn(const char* folder, const char* extension)
{
    std::vector<std::string> files;
    Serializer::System::FileSystem::ListFiles(folder, files, extension);
    return files.size();
}

class GeneratedAssets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_textures.LoadAll(TextureManager::AllCategories);
        m_materials.LoadAll(0);
        m_fonts.LoadAll(0);
        m_models.LoadAll(0);
    }

    LogCapture m_log;
    TextureManager m_textures;
    MaterialManager m_materials;
    FontManager m_fonts;
    ModelManager m_models;
};
} // namespace

TEST_F(GeneratedAssets, EveryFileLoadsWithinItsSize)
{
    EXPECT_FALSE(m_log.Contains("Error")) << m_log.Text();
    for (u32 category = 0; category < TextureManager::CategoryCount; ++category)
    {
        const auto* textures = m_textures.GetCategory(category);
        EXPECT_EQ(textures->assets.size(),
                  FilesIn(TextureManager::Categories[category].folder, ".png"))
            << textures->name;
        const u32 largest =
            category == TextureManager::FontCategory ? LargestFontAtlas : LargestTexture;
        for (const Texture* texture : textures->assets)
        {
            EXPECT_LE(texture->GetWidth(), largest) << texture->GetName();
            EXPECT_LE(texture->GetHeight(), largest) << texture->GetName();
        }
    }
    EXPECT_EQ(m_models.GetCategory(0)->assets.size(), FilesIn(ModelManager::Folder, ".fbxbin"));
    EXPECT_EQ(m_materials.GetCategory(0)->assets.size(), FilesIn(MaterialManager::Folder, ".xml"));
    EXPECT_EQ(m_fonts.GetCategory(0)->assets.size(), FilesIn(FontManager::Folder, ".xml"));
}

TEST_F(GeneratedAssets, RendererModelsHaveTheirShapes)
{
    const Model* quad = m_models.Find("Quad", 0);
    ASSERT_NE(quad, nullptr);
    EXPECT_EQ(quad->GetVertexType(), u32(StaticVertexType));
    ASSERT_EQ(quad->GetVertexCount(), 4u);
    ASSERT_EQ(quad->GetIndexCount(), 6u);
    // Centred in XY, normal +z, uv (0, 0) at the bottom left, two triangles counter-clockwise.
    for (u32 i = 0; i < 4; ++i)
    {
        const StaticVertex v = VertexOf(*quad, i);
        EXPECT_EQ(std::fabs(v.position[0]), 0.5f) << i;
        EXPECT_EQ(std::fabs(v.position[1]), 0.5f) << i;
        EXPECT_EQ(v.position[2], 0.0f) << i;
        EXPECT_EQ(v.normal[2], 1.0f) << i;
        EXPECT_EQ(v.texcoord[0], v.position[0] + 0.5f) << i;
        EXPECT_EQ(v.texcoord[1], v.position[1] + 0.5f) << i;
        EXPECT_EQ(v.tangent[0], 1.0f) << "the tangent follows u";
        EXPECT_EQ(v.binormal[1], 1.0f) << "the binormal follows v";
    }
    for (u32 t = 0; t < quad->GetTriangleCount(); ++t)
    {
        const u32* tri = quad->GetTriangle(t);
        const StaticVertex a = VertexOf(*quad, tri[0]), b = VertexOf(*quad, tri[1]),
                           c = VertexOf(*quad, tri[2]);
        EXPECT_GT(Cross(Minus(b.position, a.position), Minus(c.position, a.position)).z, 0.0f);
    }

    // The point-light volume: unit radius, normals and faces outwards.
    const Model* sphere = m_models.Find("Sphere", 0);
    ASSERT_NE(sphere, nullptr);
    for (u32 i = 0; i < sphere->GetVertexCount(); ++i)
    {
        const StaticVertex v = VertexOf(*sphere, i);
        const Vec normal{v.normal[0], v.normal[1], v.normal[2]};
        EXPECT_NEAR(Dot(normal, v.position), 1.0f, 1e-5f) << "vertex " << i;
    }
    for (u32 t = 0; t < sphere->GetTriangleCount(); ++t)
    {
        const u32* tri = sphere->GetTriangle(t);
        const StaticVertex a = VertexOf(*sphere, tri[0]), b = VertexOf(*sphere, tri[1]),
                           c = VertexOf(*sphere, tri[2]);
        EXPECT_GT(
            Dot(Cross(Minus(b.position, a.position), Minus(c.position, a.position)), a.position),
            0.0f)
            << "triangle " << t;
    }
    for (const char* name : {"Default", "Skybox", "Ground"})
    {
        const Model* model = m_models.Find(name, 0);
        ASSERT_NE(model, nullptr) << name;
        EXPECT_EQ(model->GetVertexType(), u32(StaticVertexType)) << name;
    }
}

TEST_F(GeneratedAssets, CharactersAreSkinnedWithTheirTracksAndDressed)
{
    for (const char* name : Characters)
    {
        SCOPED_TRACE(name);
        const Model* model = m_models.Find(name, 0);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->GetVertexType(), u32(SkinnedVertexType));
        const Skeleton* skeleton = model->GetSkeleton();
        ASSERT_NE(skeleton, nullptr);
        for (const char* track : Tracks)
            EXPECT_NE(skeleton->FindAnimation(track), nullptr) << track;
        std::vector<Math::Matrix4> bind(skeleton->GetBoneCount());
        skeleton->BindPose(bind.data());
        EXPECT_LE(Difference(bind, std::vector<Math::Matrix4>(bind.size())), BindTolerance);
        // Its palette and material share its name; the material paints with the palette.
        const Material* material = m_materials.Find(name, 0);
        ASSERT_NE(material, nullptr);
        ASSERT_NE(material->GetTexture(0), nullptr);
        EXPECT_EQ(material->GetTexture(0)->GetName(), name);
    }

    // The death effect stops these models' Death at these times: the lying pose must hold.
    const std::pair<const char*, f32> playUntil[] = {
        {"Golem", 0.68f}, {"Mage", 1.25f}, {"SteamKnight", 0.68f}};
    for (const auto& [name, until] : playUntil)
    {
        SCOPED_TRACE(name);
        const Skeleton* skeleton = m_models.Find(name, 0)->GetSkeleton();
        const Animation& death = *skeleton->FindAnimation("Death");
        const std::vector<Math::Matrix4> lying = PoseAt(*skeleton, death, until);
        EXPECT_GT(Difference(lying, PoseAt(*skeleton, death, 0.0f)), 0.1f) << "it falls";
        for (const f32 later : {0.05f, 0.5f, 2.0f})
            EXPECT_LE(Difference(PoseAt(*skeleton, death, until + later), lying), 1e-6f) << later;
        EXPECT_LE(Difference(PoseAt(*skeleton, death, death.duration), lying), 1e-6f);
    }

    // Skinned by the lying pose, every character rests on the floor: nothing below it, nothing
    // standing far above it.
    for (const char* name : Characters)
    {
        SCOPED_TRACE(name);
        const Model* model = m_models.Find(name, 0);
        const Skeleton* skeleton = model->GetSkeleton();
        const Animation& death = *skeleton->FindAnimation("Death");
        const std::vector<Math::Matrix4> lying = PoseAt(*skeleton, death, death.duration);
        f32 lowest = 1e9f, highest = -1e9f;
        for (u32 i = 0; i < model->GetVertexCount(); ++i)
        {
            SkinnedVertex v;
            std::memcpy(&v, model->GetVertex(i), sizeof(v));
            const Math::Matrix4& bone = lying[static_cast<std::size_t>(v.index[0])];
            const f32 y = bone.m[4] * v.base.position[0] + bone.m[5] * v.base.position[1] +
                          bone.m[6] * v.base.position[2] + bone.m[7];
            lowest = std::fmin(lowest, y);
            highest = std::fmax(highest, y);
        }
        EXPECT_GT(lowest, -FloorTolerance);
        EXPECT_LT(highest, LyingHeight);
    }
}

TEST_F(GeneratedAssets, MaterialsSheetsAndFontResolve)
{
    const Material* fallback = m_materials.Find("Default", 0);
    ASSERT_NE(fallback, nullptr);
    std::vector<std::string> names;
    for (u32 slot = 0; slot < MaterialFile::SlotCount; ++slot)
        names.push_back(fallback->GetTexture(slot) ? fallback->GetTexture(slot)->GetName() : "");
    EXPECT_EQ(names,
              (std::vector<std::string>{"White", "Flat", "Black", "Black", "Black", "White"}));
    for (const char* name : {"Ground", "Sky"})
    {
        const Material* material = m_materials.Find(name, 0);
        ASSERT_NE(material, nullptr) << name;
        EXPECT_EQ(material->GetTexture(0)->GetName(), name);
    }

    const Texture* dot = m_textures.Find("SoftDot", TextureManager::ParticleCategory);
    ASSERT_NE(dot, nullptr);
    EXPECT_EQ(dot->GetTotalFrames(), 1u);
    const Texture* smoke = m_textures.Find("Smoke", TextureManager::ParticleCategory);
    ASSERT_NE(smoke, nullptr);
    EXPECT_EQ(smoke->GetTotalFrames(), 16u);
    EXPECT_EQ(smoke->GetFramesPerRow(), 4u);

    const Font* font = m_fonts.Find("arial_regular_12", 0);
    ASSERT_NE(font, nullptr);
    ASSERT_GT(font->GetPixelSize(), 0u);
    bool kerned = false;
    for (char c = ' '; c <= '~'; ++c)
    {
        const Glyph* glyph = font->GetGlyph(c);
        ASSERT_NE(glyph, nullptr) << "no glyph for '" << c << "'";
        for (char next = ' '; next <= '~'; ++next)
            kerned = kerned || Font::GetKerning(*glyph, next) != 0;
    }
    EXPECT_TRUE(kerned) << "the face's kerning pairs were not baked";
}
