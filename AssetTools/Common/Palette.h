#pragma once
// The colour swatches that character and enemy models are painted with. Every character has a
// small palette texture of its own name: a grid of flat swatches, one per shading role below.
// The model generator points each face's texture coordinates into the middle of its swatch and
// the texture generator paints the swatches, so both tools take the layout from here.
#include "Math/Types.h"

namespace AssetTools
{
// Shading roles; each is one swatch of a character's palette.
enum PaletteSlot : u32
{
    SkinSlot,
    PrimarySlot,   // torso
    SecondarySlot, // legs, sleeves
    TrimSlot,      // belts, collars, boots
    MetalSlot,     // blades, armour plates, pipes
    WoodSlot,      // handles, shafts
    GlowSlot,      // eyes, orbs, furnace
    HairSlot,      // hats, helmets, crests
    PaletteSlotCount,
};

struct Palette
{
    static constexpr u32 SwatchPixels = 4;
    static constexpr u32 SwatchesPerRow = 4;
    static constexpr u32 Rows = (PaletteSlotCount + SwatchesPerRow - 1) / SwatchesPerRow;
    static constexpr u32 Width = SwatchPixels * SwatchesPerRow;
    static constexpr u32 Height = SwatchPixels * SwatchesPerRow; // square, spare rows black

    // The swatch's top-left pixel, rows counted from the top of the image.
    static constexpr u32 PixelX(u32 slot) { return (slot % SwatchesPerRow) * SwatchPixels; }
    static constexpr u32 PixelY(u32 slot) { return (slot / SwatchesPerRow) * SwatchPixels; }
};

static_assert(Palette::Rows <= Palette::SwatchesPerRow, "the palette grid is square");
} // namespace AssetTools
