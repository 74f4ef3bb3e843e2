// Text layout headless: lines, alignment, breaks, skipped characters and list reuse, with a
// font whose glyphs are one unit square and one unit apart ("A" kerns -0.2 before "B").
#include "Graphics/Components/TextComponent.h"
#include "Graphics/Assets/FontManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Formats/PngWriter.h"
#include "tests/Graphics/Rendering/DrawingWorld.h"
#include <algorithm>

using Graphics::TextComponent;

namespace
{
constexpr f32 Tolerance = 1e-5f;
}

class TextComponentTest : public DrawingWorld
{
protected:
    void SetUp() override
    {
        DrawingWorld::SetUp();
        Graphics::PngWriter::Description image;
        image.width = 64;
        image.height = 16;
        image.colorType = Graphics::PngRgb;
        image.rows.assign(static_cast<std::size_t>(image.width) * image.height * 3, 0xFF);
        folder->MakeFolder("assets/Textures/Fonts");
        ASSERT_TRUE(
            Graphics::PngWriter::Save(image, folder->Path("assets/Textures/Fonts/Mono.png")));
        std::string glyphs;
        for (const char* c : {"A", "B", "C", "D"})
        {
            const std::string kerning = std::string(c) == "A" ? "<K a='-2' c='B'/>" : "";
            glyphs +=
                std::string("<G a='10' o='0 0' r='0 0 10 10' c='") + c + "'>" + kerning + "</G>";
        }
        folder->Write("assets/Fonts/Mono.xml",
                      "<Font a='1' b='Mono' s='10' d='r'>" + glyphs + "</Font>");
        textures = std::make_unique<Graphics::TextureManager>();
        textures->LoadAll(Graphics::TextureManager::FontCategory);
        fonts = std::make_unique<Graphics::FontManager>();
        fonts->LoadAll(0);
    }
    void TearDown() override
    {
        fonts.reset();
        textures.reset();
        DrawingWorld::TearDown();
    }

    TextComponent* MakeText(int horizontal = 0, int vertical = 0)
    {
        auto* text = Add<TextComponent>(MakeObject());
        text->SetFont(fonts->Find("Mono", 0));
        text->SetAlignment(horizontal, vertical);
        return text;
    }
    // The smallest and largest x and y of character i's quad.
    static std::array<f32, 4> Bounds(const TextComponent& text, std::size_t i)
    {
        std::array<f32, 4> bounds = {1e9f, -1e9f, 1e9f, -1e9f};
        for (std::size_t v = 4 * i; v < 4 * i + 4; ++v)
        {
            const TextComponent::Vertex& vertex = text.GetVertices()[v];
            bounds[0] = std::min(bounds[0], vertex.position[0]);
            bounds[1] = std::max(bounds[1], vertex.position[0]);
            bounds[2] = std::min(bounds[2], vertex.position[1]);
            bounds[3] = std::max(bounds[3], vertex.position[1]);
        }
        return bounds;
    }

    std::unique_ptr<Graphics::TextureManager> textures;
    std::unique_ptr<Graphics::FontManager> fonts;
};

TEST_F(TextComponentTest, CentresEachLineAndLiftsTheBlockByHalfALinePerBreak)
{
    TextComponent* text = MakeText();
    ASSERT_NE(text->GetFont(), nullptr);
    text->Construct("AB#CD");
    ASSERT_EQ(text->GetIndexCount(), 30u);
    // "AB": 1 + 1 - 0.2 kerning = 1.8 wide; "CD": 2 wide; each centred on x = 0.
    EXPECT_NEAR(Bounds(*text, 0)[0], -0.9f, Tolerance);
    EXPECT_NEAR(Bounds(*text, 1)[1], 0.9f, Tolerance);
    EXPECT_NEAR(Bounds(*text, 3)[0], -1.0f, Tolerance);
    EXPECT_NEAR(Bounds(*text, 4)[1], 1.0f, Tolerance);
    // Middle alignment starts at -0.5, the second line a line lower, all lifted by 0.5.
    EXPECT_NEAR(Bounds(*text, 0)[2], 0.0f, Tolerance);
    EXPECT_NEAR(Bounds(*text, 3)[2], -1.0f, Tolerance);
    // The break's slot is zeroed; quads use the fixed index pattern.
    for (std::size_t v = 8; v < 12; ++v)
        EXPECT_EQ(text->GetVertices()[v].position[0], 0.0f);
    const std::vector<u32> indices(text->GetIndices().begin(), text->GetIndices().begin() + 24);
    EXPECT_EQ(indices, (std::vector<u32>{0, 2, 1, 2, 0, 3, 4,  6,  5,  6,  4,  7,
                                         0, 0, 0, 0, 0, 0, 12, 14, 13, 14, 12, 15}));
    EXPECT_FLOAT_EQ(text->GetVertices()[0].normal[2], 1.0f);

    // A trailing break ends the text without an empty line or a lift.
    TextComponent* trailing = MakeText(-1, 1);
    trailing->Construct("AB#");
    EXPECT_EQ(trailing->GetIndexCount(), 18u);
    EXPECT_NEAR(Bounds(*trailing, 0)[0], 0.0f, Tolerance) << "left aligned";
    EXPECT_NEAR(Bounds(*trailing, 0)[2], -1.0f, Tolerance) << "top: one line down, no lift";
    TextComponent* right = MakeText(1, -1);
    right->Construct("CD");
    EXPECT_NEAR(Bounds(*right, 1)[1], 0.0f, Tolerance) << "right aligned lines end at 0";
}

TEST_F(TextComponentTest, SkipsUnknownCharactersAndReusesItsLists)
{
    TextComponent* text = MakeText(-1, 0);
    text->Construct("A?B");
    EXPECT_EQ(text->GetIndices()[6 + 1], 0u) << "no glyph: a zeroed slot";
    EXPECT_NEAR(Bounds(*text, 2)[0], 0.8f, Tolerance) << "no advance for it; A kerns B";
    const std::string high(1, static_cast<char>(0xE9));
    text->Construct("A" + high);
    EXPECT_EQ(text->GetIndexCount(), 12u) << "bytes above 127 are looked up, not crashed on";

    text->Construct("ABCD");
    EXPECT_EQ(text->GetVertices().size(), 16u);
    text->Construct("AB");
    EXPECT_EQ(text->GetVertices().size(), 16u) << "a shorter text reuses the lists";
    EXPECT_EQ(text->GetIndexCount(), 12u);
    text->Construct("ABCDAB");
    EXPECT_EQ(text->GetVertices().size(), 24u);
    text->Construct("");
    EXPECT_EQ(text->GetIndexCount(), 0u);

    TextComponent* fontless = MakeText();
    fontless->SetFont(nullptr);
    fontless->Construct("AB");
    EXPECT_EQ(fontless->GetIndexCount(), 0u) << "no font lays nothing out";
}
