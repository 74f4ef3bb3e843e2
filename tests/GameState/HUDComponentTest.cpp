// Screen elements and buttons on their own: layout at several window sizes with a measured
// texture, the alignment words both ways, the material fall-back, highlights and slides.
#include "GameState/HUDComponent.h"
#include "GameState/ButtonComponent.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Formats/PngWriter.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>

using GameState::ButtonComponent;
using GameState::HUDComponent;

namespace
{
constexpr f32 ReferenceWidth = 1366.0f;
constexpr f32 ReferenceHeight = 768.0f;
constexpr u32 BoxWidth = 100;
constexpr u32 BoxHeight = 40;

// A material "Box" whose diffuse texture is 100 x 40 and a "Big" one of 200 x 80 (the hover
// look), loaded into live managers.
struct Materials
{
    Materials()
    {
        WritePng("Box", BoxWidth, BoxHeight);
        WritePng("BigBox", 2 * BoxWidth, 2 * BoxHeight);
        folder.Write("assets/Materials/Box.xml", "<M><DiffuseMap>Box</DiffuseMap></M>");
        folder.Write("assets/Materials/Big.xml", "<M><DiffuseMap>BigBox</DiffuseMap></M>");
        textures.LoadAll(Graphics::TextureManager::AllCategories);
        materials.LoadAll(0);
    }
    void WritePng(const std::string& name, u32 width, u32 height)
    {
        Graphics::PngWriter::Description image;
        image.width = width;
        image.height = height;
        image.colorType = Graphics::PngRgb;
        image.rows.assign(static_cast<std::size_t>(width) * height * 3, 0x7F);
        folder.MakeFolder("assets/Textures");
        ASSERT_TRUE(
            Graphics::PngWriter::Save(image, folder.Path("assets/Textures/" + name + ".png")));
    }

    TempFolder folder{"quill-hud"};
    LogCapture log;
    Graphics::TextureManager textures;
    Graphics::MaterialManager materials;
};

HUDComponent Element(u16 screenFlags, u16 elementFlags, f32 x, f32 y)
{
    HUDComponent element;
    element.SetMaterial("Box");
    element.screenFlags = screenFlags;
    element.elementFlags = elementFlags;
    element.relativePosition = Math::Vector2(x, y);
    return element;
}
} // namespace

TEST(HUDComponent, LayoutHoldsAtAnyWindowSize)
{
    Materials materials;
    const f32 w = BoxWidth;
    const f32 h = BoxHeight;
    for (const auto& [width, height] :
         {std::pair<f32, f32>{1366.0f, 768.0f}, {800.0f, 600.0f}, {1920.0f, 1080.0f}})
    {
        // No flags at (0, 0): centred.
        HUDComponent centred = Element(0, 0, 0.0f, 0.0f);
        centred.UpdateLayout(width, height);
        EXPECT_FLOAT_EQ(centred.pixelPosition.x, width / 2.0f);
        EXPECT_FLOAT_EQ(centred.pixelPosition.y, height / 2.0f);
        EXPECT_FLOAT_EQ(centred.windowPosition.x, 0.5f);

        // Anchored right and aligned right at x 0: its right edge on the window's.
        const u16 right = HUDComponent::AlignRight;
        HUDComponent edge = Element(right, right, 0.0f, 0.0f);
        edge.UpdateLayout(width, height);
        EXPECT_FLOAT_EQ(edge.pixelPosition.x + w / 2.0f, width);

        // Anchored top-left, aligned top-left: its corner in the window's (y grows upwards).
        const u16 topLeft = HUDComponent::AlignLeft | HUDComponent::AlignTop;
        HUDComponent corner = Element(topLeft, topLeft, 0.0f, 0.0f);
        corner.UpdateLayout(width, height);
        EXPECT_FLOAT_EQ(corner.pixelPosition.x, w / 2.0f);
        EXPECT_FLOAT_EQ(corner.pixelPosition.y, height - h / 2.0f);

        // Offsets are in reference units whatever the window.
        HUDComponent offset = Element(0, 0, 0.1f, -0.2f);
        offset.UpdateLayout(width, height);
        EXPECT_FLOAT_EQ(offset.pixelPosition.x, width / 2.0f + 0.1f * ReferenceWidth);
        EXPECT_FLOAT_EQ(offset.pixelPosition.y, height / 2.0f - 0.2f * ReferenceHeight);
    }

    // At the reference size, anchored bottom-left: the relative position times the reference.
    const u16 bottomLeft = HUDComponent::AlignLeft | HUDComponent::AlignBottom;
    HUDComponent anchored = Element(bottomLeft, 0, 0.25f, 0.5f);
    anchored.UpdateLayout(ReferenceWidth, ReferenceHeight);
    EXPECT_FLOAT_EQ(anchored.pixelPosition.x, 0.25f * ReferenceWidth);
    EXPECT_FLOAT_EQ(anchored.pixelPosition.y, 0.5f * ReferenceHeight);
}

TEST(HUDComponent, AlignmentWordsBothWaysAndTheMaterialFallBack)
{
    EXPECT_EQ(HUDComponent::MakeAlignmentFlags(-1, 1), 5);
    EXPECT_EQ(HUDComponent::MakeAlignmentFlags(1, -1), 10);
    EXPECT_EQ(HUDComponent::MakeAlignmentFlags(0, 0), 0);
    EXPECT_EQ(HUDComponent::MakeAlignmentFlags(2, -7), 0);
    for (s32 horizontal : {-1, 0, 1})
    {
        for (s32 vertical : {-1, 0, 1})
        {
            const u16 flags = HUDComponent::MakeAlignmentFlags(horizontal, vertical);
            EXPECT_EQ(HUDComponent::HorizontalAlignment(flags), horizontal);
            EXPECT_EQ(HUDComponent::VerticalAlignment(flags), vertical);
        }
    }
    // Both bits of an axis: left wins over right, bottom over top.
    EXPECT_EQ(HUDComponent::HorizontalAlignment(3), -1);
    EXPECT_EQ(HUDComponent::VerticalAlignment(12), -1);

    Materials materials;
    HUDComponent element;
    element.SetMaterial("Nothing");
    EXPECT_EQ(element.GetMaterial(), nullptr) << "no Default material either";
    EXPECT_EQ(element.GetSize().x, 0.0f) << "without material an element has no size";
    materials.folder.Write("assets/Materials/Default.xml", "<M><DiffuseMap>Box</DiffuseMap></M>");
    materials.materials.LoadAll(0);
    element.SetMaterial("Nothing");
    EXPECT_EQ(element.GetMaterialName(), "Default");
    EXPECT_EQ(element.GetSize().x, static_cast<f32>(BoxWidth));
}

TEST(HUDComponent, HighlightsScaleWithoutNewLayoutAndSlidesConverge)
{
    Materials materials;
    ButtonComponent button;
    button.SetMaterial("Box");
    button.SetHoverMaterial("Big");
    button.scale = button.displayScale = Math::Vector2(1.0f, 1.0f);
    button.scaleFactor = Math::Vector2(1.5f, 1.5f);
    button.UpdateLayout(800.0f, 600.0f);
    const Math::Vector2 placed = button.pixelPosition;
    button.Highlight();
    EXPECT_EQ(button.displayScale.x, 1.5f);
    EXPECT_EQ(button.GetShownMaterial(), button.GetHoverMaterial());
    EXPECT_FLOAT_EQ(button.GetSize().x, 2.0f * BoxWidth * 1.5f) << "measured at display scale";
    EXPECT_EQ(button.pixelPosition.x, placed.x);
    button.Unhighlight();
    EXPECT_EQ(button.displayScale.x, 1.0f);

    // Sliding in: the delay runs out first, then the offset approaches 0.
    button.slide = Math::Vector2(1.0f, 0.5f);
    button.Slide(0.05f, true);
    EXPECT_EQ(button.slide.x, 1.0f);
    for (int frame = 0; frame < 600; ++frame)
        button.Slide(1.0f / 60.0f, true);
    EXPECT_EQ(button.slide.x, 0.0f);

    // Sliding out of a replaced page accelerates away and stops at -1.
    button.slide = Math::Vector2(-0.05f, 0.0f);
    int frames = 0;
    while (button.Slide(1.0f / 60.0f, false) && frames < 600)
        ++frames;
    EXPECT_LT(frames, 600);
    EXPECT_EQ(button.slide.x, -1.0f);
}
