// texgen <asset folder>: paints every generated texture into <asset folder>/Textures (and its
// Particles folder): the default textures materials fall back to, the arena floor, the sky, one
// palette per character and enemy, the menus' panels, buttons and player pointers, the mouse
// cursor, the health bars, skill icons and health pick-up, and the particle images. Noise comes
// from Math::Rand with a fixed seed per texture, so running it again gives the same bytes.
#include "AssetTools/Common/Palette.h"
#include "AssetTools/Common/ToolFolder.h"
#include "AssetTools/TexGen/Image.h"
#include "Math/MathUtils.h"
#include "Platform/AtomicFile.h"
#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using namespace AssetTools;

constexpr const char* Tool = "texgen";
constexpr u32 Rgb = 3;
constexpr u32 RgbaBytes = 4;
constexpr u32 DefaultSize = 4;
constexpr u32 GroundSize = 256;
constexpr u32 GroundSlabs = 4; // slabs per side of one texture repeat
constexpr u32 GroutPixels = 2;
constexpr u32 SkyWidth = 8;
constexpr u32 SkyHeight = 256;
constexpr u32 DotSize = 64;
constexpr u32 SheetFrames = 16;
constexpr u32 SheetFramesPerRow = 4;
constexpr u32 FramePixels = 64;
// The menus: buttons and title panels are rounded frames, pointers are arrows.
constexpr u32 ButtonWidth = 256;
constexpr u32 ButtonHeight = 64;
constexpr u32 PanelWidth = 256;
constexpr u32 PanelHeight = 48;
constexpr f32 FrameCorner = 14.0f;
constexpr f32 FrameBorder = 3.0f;
constexpr u32 PointerSize = 32;
// The mouse cursor: an arrow whose tip is the picture's top left corner, where the heads-up
// element is anchored to the mouse. In fractions of the picture, its head runs from the tip down
// the left edge to (0, CursorLength), across to the shoulder (CursorShoulder,
// CursorShoulder) and back up to the tip; its tail is a bar of half width CursorTailHalfWidth
// from CursorTailStart to CursorTailEnd.
constexpr u32 CursorSize = 32;
constexpr f32 CursorLength = 0.8f;
constexpr f32 CursorShoulder = 0.58f;
constexpr f32 CursorTailStart[2] = {0.2f, 0.55f};
constexpr f32 CursorTailEnd[2] = {0.4f, 0.84f};
constexpr f32 CursorTailHalfWidth = 0.11f;
constexpr f32 CursorOutline = 0.07f;
// The health bars and the skill icons of the characters' bars.
constexpr u32 BarWidth = 128;
constexpr u32 BarHeight = 16;
constexpr u32 BarBorder = 2;
constexpr u32 IconSize = 64;
// One seed per noisy texture, so that adding a texture never changes another.
constexpr u32 GroundSeed = 1901;
constexpr u32 SmokeSeed = 1902;

struct CharacterPalette
{
    const char* name;
    std::array<Rgba, PaletteSlotCount> colours; // in PaletteSlot order
};

// Skin, primary, secondary, trim, metal, wood, glow, hair.
const CharacterPalette Palettes[] = {
    {"Golem",
     {{{120, 110, 100},
       {105, 98, 90},
       {88, 82, 76},
       {82, 112, 70},
       {140, 140, 150},
       {100, 80, 60},
       {255, 160, 60},
       {70, 65, 60}}}},
    {"Mage",
     {{{235, 200, 170},
       {60, 70, 170},
       {48, 54, 128},
       {220, 190, 80},
       {180, 180, 190},
       {120, 85, 50},
       {120, 220, 255},
       {45, 50, 140}}}},
    {"SteamKnight",
     {{{225, 190, 160},
       {176, 124, 62},
       {82, 72, 66},
       {60, 50, 45},
       {150, 152, 162},
       {90, 60, 40},
       {255, 120, 40},
       {200, 60, 40}}}},
    {"AIMelee",
     {{{110, 150, 80},
       {120, 80, 50},
       {90, 70, 50},
       {60, 45, 35},
       {130, 130, 135},
       {110, 75, 45},
       {255, 60, 40},
       {230, 220, 190}}}},
    {"AIRanged",
     {{{200, 170, 140},
       {62, 112, 62},
       {72, 62, 46},
       {50, 40, 30},
       {160, 160, 165},
       {140, 100, 60},
       {255, 230, 120},
       {45, 85, 45}}}},
    {"AITank",
     {{{150, 130, 120},
       {110, 110, 122},
       {70, 70, 80},
       {50, 50, 55},
       {172, 172, 182},
       {100, 70, 45},
       {255, 80, 40},
       {122, 40, 40}}}},
    {"AISpeedy",
     {{{210, 180, 150},
       {162, 40, 40},
       {50, 45, 50},
       {30, 30, 30},
       {200, 200, 210},
       {110, 80, 50},
       {255, 255, 150},
       {240, 200, 40}}}},
    {"AIFlock",
     {{{150, 60, 120},
       {122, 50, 100},
       {100, 40, 80},
       {70, 30, 60},
       {160, 150, 170},
       {90, 60, 50},
       {255, 240, 80},
       {80, 30, 70}}}},
};

bool Flat(const std::string& folder, const char* name, const Rgba& colour)
{
    Image image(DefaultSize, DefaultSize, RgbaBytes);
    image.Fill(colour);
    return image.Save(folder + '/' + name + ".png");
}

// Sandstone slabs with dark grout; every slab has its own shade, all of it repeating seamlessly.
bool Ground(const std::string& folder)
{
    Math::SeedRand(GroundSeed);
    const TileableNoise coarse(8, GroundSize), medium(32, GroundSize), fine(128, GroundSize);
    std::array<f32, GroundSlabs * GroundSlabs> shade;
    for (f32& value : shade)
        value = 0.9f + 0.2f * Math::RandUnit();
    const u32 slab = GroundSize / GroundSlabs;
    Image image(GroundSize, GroundSize, Rgb);
    for (u32 y = 0; y < GroundSize; ++y)
    {
        for (u32 x = 0; x < GroundSize; ++x)
        {
            const f32 fx = static_cast<f32>(x), fy = static_cast<f32>(y);
            const f32 noise =
                0.5f * coarse.At(fx, fy) + 0.3f * medium.At(fx, fy) + 0.2f * fine.At(fx, fy);
            const bool grout = x % slab < GroutPixels || y % slab < GroutPixels;
            const f32 light =
                grout ? 0.45f + 0.1f * noise
                      : shade[(y / slab) * GroundSlabs + x / slab] * (0.75f + 0.35f * noise);
            image.Set(
                x, y,
                Rgba{ToByte(178.0f * light), ToByte(160.0f * light), ToByte(128.0f * light), 255});
        }
    }
    return image.Save(folder + "/Ground.png");
}

// Zenith blue at the top, pale haze at the horizon (the middle row), dusk below it.
bool Sky(const std::string& folder)
{
    struct Stop
    {
        f32 at;
        f32 r, g, b;
    };
    const Stop stops[] = {{0.0f, 38, 72, 140},
                          {0.42f, 110, 160, 215},
                          {0.5f, 205, 220, 230},
                          {0.56f, 150, 150, 160},
                          {1.0f, 40, 40, 52}};
    Image image(SkyWidth, SkyHeight, Rgb);
    for (u32 y = 0; y < SkyHeight; ++y)
    {
        const f32 t = (static_cast<f32>(y) + 0.5f) / static_cast<f32>(SkyHeight);
        std::size_t k = 0;
        while (k + 2 < sizeof(stops) / sizeof(stops[0]) && t > stops[k + 1].at)
            ++k;
        const Stop& a = stops[k];
        const Stop& b = stops[k + 1];
        const f32 u = (t - a.at) / (b.at - a.at);
        const Rgba colour{ToByte(a.r + (b.r - a.r) * u), ToByte(a.g + (b.g - a.g) * u),
                          ToByte(a.b + (b.b - a.b) * u), 255};
        for (u32 x = 0; x < SkyWidth; ++x)
            image.Set(x, y, colour);
    }
    return image.Save(folder + "/Sky.png");
}

bool PaletteTexture(const std::string& folder, const CharacterPalette& palette)
{
    Image image(Palette::Width, Palette::Height, Rgb);
    for (u32 slot = 0; slot < PaletteSlotCount; ++slot)
        for (u32 y = 0; y < Palette::SwatchPixels; ++y)
            for (u32 x = 0; x < Palette::SwatchPixels; ++x)
                image.Set(Palette::PixelX(slot) + x, Palette::PixelY(slot) + y,
                          palette.colours[slot]);
    return image.Save(folder + '/' + palette.name + ".png");
}

// How far the pixel centre (x, y) lies outside a rectangle of width x height pixels with
// corners rounded by FrameCorner; negative inside.
f32 OutsideFrame(u32 x, u32 y, u32 width, u32 height)
{
    const f32 halfWidth = static_cast<f32>(width) * 0.5f;
    const f32 halfHeight = static_cast<f32>(height) * 0.5f;
    const f32 qx = std::fabs(static_cast<f32>(x) + 0.5f - halfWidth) - (halfWidth - FrameCorner);
    const f32 qy = std::fabs(static_cast<f32>(y) + 0.5f - halfHeight) - (halfHeight - FrameCorner);
    return std::sqrt(std::fmax(qx, 0.0f) * std::fmax(qx, 0.0f) +
                     std::fmax(qy, 0.0f) * std::fmax(qy, 0.0f)) +
           std::fmin(std::fmax(qx, qy), 0.0f) - FrameCorner;
}

// A frame with rounded corners: its fill, a border of its own colour, clear outside; the edges
// are smoothed over one pixel.
bool Frame(const std::string& folder, const char* name, u32 width, u32 height, const Rgba& fill,
           const Rgba& border)
{
    Image image(width, height, RgbaBytes);
    for (u32 y = 0; y < height; ++y)
    {
        for (u32 x = 0; x < width; ++x)
        {
            const f32 outside = OutsideFrame(x, y, width, height);
            const f32 cover = std::fmin(1.0f, std::fmax(0.0f, 0.5f - outside));
            const Rgba& colour = outside > -FrameBorder ? border : fill;
            image.Set(x, y, Rgba{colour.r, colour.g, colour.b, ToByte(colour.a * cover)});
        }
    }
    return image.Save(folder + '/' + name + ".png");
}

// An arrow pointing right in a player's colour with a dark outline, clear around it.
bool Pointer(const std::string& folder, u32 player, const Rgba& colour)
{
    Image image(PointerSize, PointerSize, RgbaBytes);
    image.Fill(Rgba{0, 0, 0, 0});
    const f32 size = static_cast<f32>(PointerSize);
    for (u32 y = 0; y < PointerSize; ++y)
    {
        for (u32 x = 0; x < PointerSize; ++x)
        {
            const f32 fx = (static_cast<f32>(x) + 0.5f) / size;
            const f32 fy = std::fabs((static_cast<f32>(y) + 0.5f) / size - 0.5f);
            // Inside the triangle (0.1, 0.1), (0.9, 0.5), (0.1, 0.9), by its half height here.
            const f32 reach = 0.4f * (0.9f - fx) / 0.8f;
            if (fx < 0.1f || fy > reach)
                continue;
            const bool edge = fx < 0.16f || fy > reach - 0.06f;
            image.Set(x, y, edge ? Rgba{20, 20, 24, 255} : colour);
        }
    }
    return image.Save(folder + "/MenuCharacterPointer" + std::to_string(player) + ".png");
}

// How far a point lies inside the bar of half width CursorTailHalfWidth around the segment from
// a to b; negative outside.
f32 InsideBar(f32 x, f32 y, const f32 (&a)[2], const f32 (&b)[2])
{
    const f32 dx = b[0] - a[0];
    const f32 dy = b[1] - a[1];
    const f32 along =
        std::fmin(1.0f, std::fmax(0.0f, ((x - a[0]) * dx + (y - a[1]) * dy) / (dx * dx + dy * dy)));
    const f32 ex = x - (a[0] + along * dx);
    const f32 ey = y - (a[1] + along * dy);
    return CursorTailHalfWidth - std::sqrt(ex * ex + ey * ey);
}

// The mouse cursor: a light arrow with a dark outline, clear around it. Rows run from the top,
// so the tip is pixel (0, 0). The head and the tail are one shape: a point is as far inside as
// it is inside the deeper of the two, so no outline runs between them.
bool Cursor(const std::string& folder)
{
    Image image(CursorSize, CursorSize, RgbaBytes);
    image.Fill(Rgba{0, 0, 0, 0});
    const f32 size = static_cast<f32>(CursorSize);
    // The lower edge, from (0, CursorLength) to the shoulder: fy = CursorLength - slope x fx.
    const f32 slope = (CursorLength - CursorShoulder) / CursorShoulder;
    const f32 lowerNorm = std::sqrt(1.0f + slope * slope);
    const f32 diagonalNorm = std::sqrt(2.0f);
    for (u32 y = 0; y < CursorSize; ++y)
    {
        for (u32 x = 0; x < CursorSize; ++x)
        {
            const f32 fx = (static_cast<f32>(x) + 0.5f) / size;
            const f32 fy = (static_cast<f32>(y) + 0.5f) / size;
            // Distances inside the head's three edges: the left edge, the diagonal from the tip
            // to the shoulder and the lower edge.
            const f32 left = fx;
            const f32 diagonal = (fy - fx) / diagonalNorm;
            const f32 lower = (CursorLength - slope * fx - fy) / lowerNorm;
            const f32 head = std::fmin(left, std::fmin(diagonal, lower));
            const f32 inside = std::fmax(head, InsideBar(fx, fy, CursorTailStart, CursorTailEnd));
            if (inside < 0.0f)
                continue;
            image.Set(x, y,
                      inside < CursorOutline ? Rgba{20, 20, 24, 255} : Rgba{245, 240, 225, 255});
        }
    }
    return image.Save(folder + "/Cursor.png");
}

bool MenuTextures(const std::string& folder)
{
    bool written = Frame(folder, "Button", ButtonWidth, ButtonHeight, Rgba{40, 48, 64, 225},
                         Rgba{196, 176, 120, 255});
    written = Frame(folder, "ButtonHover", ButtonWidth, ButtonHeight, Rgba{72, 86, 116, 235},
                    Rgba{255, 222, 140, 255}) &&
              written;
    written = Frame(folder, "ButtonClick", ButtonWidth, ButtonHeight, Rgba{120, 100, 60, 240},
                    Rgba{255, 240, 200, 255}) &&
              written;
    written = Frame(folder, "Panel", PanelWidth, PanelHeight, Rgba{20, 24, 32, 200},
                    Rgba{160, 140, 90, 255}) &&
              written;
    // Player colours: red, blue, green, yellow.
    const Rgba players[] = {
        {220, 60, 50, 255}, {60, 110, 230, 255}, {70, 190, 80, 255}, {240, 210, 60, 255}};
    for (u32 player = 0; player < sizeof(players) / sizeof(players[0]); ++player)
        written = Pointer(folder, player, players[player]) && written;
    return Cursor(folder) && written;
}

// A plain rectangle: its fill inside a border of BarBorder pixels.
bool Bar(const std::string& folder, const char* name, const Rgba& fill, const Rgba& border)
{
    Image image(BarWidth, BarHeight, RgbaBytes);
    for (u32 y = 0; y < BarHeight; ++y)
    {
        for (u32 x = 0; x < BarWidth; ++x)
        {
            const bool edge = x < BarBorder || y < BarBorder || x >= BarWidth - BarBorder ||
                              y >= BarHeight - BarBorder;
            image.Set(x, y, edge ? border : fill);
        }
    }
    return image.Save(folder + '/' + name + ".png");
}

// The skill icons. Each slot's icon carries the numeral of the key that selects it (1 to 4, the
// same for every character), drawn as strokes: runs of segments between points given in
// fractions of the icon, y downwards; the arcs are runs of short segments. A ready icon is its
// slot's colour with a white numeral outlined in a dark shade of that colour, under a light
// border; a cooling one is slate grey, striped across, with a dim numeral and a dull border.
// None of the cooling colours is a neutral grey: the play-through's screen probe
// (tests/Game/FightProbe.py) reads neutral greys as rock chips and smoke.
constexpr u32 SkillSlots = 4;
constexpr f32 NumeralHalfWidth = 0.065f; // of the icon's side
constexpr f32 NumeralOutline = 0.04f;
constexpr f32 OutlineShade = 0.3f; // of the slot colour
constexpr u32 StripePeriod = 12;   // pixels, across the diagonal
constexpr u32 StripeWidth = 5;
constexpr u32 ArcSteps = 16;
const Rgba ReadyBorder{255, 236, 170, 255};
const Rgba ReadyNumeral{255, 255, 255, 255};
const Rgba CoolingFill{46, 50, 66, 225};
const Rgba CoolingStripe{66, 72, 94, 225};
const Rgba CoolingBorder{112, 118, 140, 255};
const Rgba CoolingNumeral{142, 150, 176, 255};

struct SkillSlot
{
    const char* name;
    Rgba colour;
};

struct StrokePoint
{
    f32 x, y;
};
using Stroke = std::vector<StrokePoint>;

// Points on the circle about (cx, cy) of radius r, from angle `from` to angle `to` (degrees,
// counter-clockwise as seen, 0 pointing right), appended to the stroke.
void AddArc(Stroke& stroke, f32 cx, f32 cy, f32 r, f32 from, f32 to)
{
    for (u32 step = 0; step <= ArcSteps; ++step)
    {
        const f32 angle =
            (from + (to - from) * static_cast<f32>(step) / static_cast<f32>(ArcSteps)) * Math::PI /
            180.0f;
        stroke.push_back({cx + r * std::cos(angle), cy - r * std::sin(angle)});
    }
}

std::vector<Stroke> Numeral(u32 slot)
{
    std::vector<Stroke> strokes;
    switch (slot)
    {
    case 0: // 1: a flag, the stem and a foot
        strokes.push_back({{0.38f, 0.33f}, {0.53f, 0.22f}, {0.53f, 0.78f}});
        strokes.push_back({{0.38f, 0.78f}, {0.68f, 0.78f}});
        break;
    case 1: // 2: a hook over the top, a slant down to the left and the base
    {
        Stroke hook;
        AddArc(hook, 0.5f, 0.37f, 0.15f, 160.0f, -30.0f);
        hook.push_back({0.34f, 0.78f});
        hook.push_back({0.67f, 0.78f});
        strokes.push_back(hook);
        break;
    }
    case 2: // 3: two bowls open to the left, meeting in the middle
    {
        Stroke upper;
        AddArc(upper, 0.49f, 0.35f, 0.13f, 160.0f, -90.0f);
        strokes.push_back(upper);
        Stroke lower;
        AddArc(lower, 0.49f, 0.635f, 0.155f, 90.0f, -160.0f);
        strokes.push_back(lower);
        strokes.push_back({{0.42f, 0.48f}, {0.49f, 0.48f}});
        break;
    }
    default: // 4: the slant from the top down to the bar, the bar and the stem
        strokes.push_back({{0.56f, 0.22f}, {0.31f, 0.62f}, {0.70f, 0.62f}});
        strokes.push_back({{0.58f, 0.40f}, {0.58f, 0.78f}});
        break;
    }
    return strokes;
}

// The distance from (x, y) to the nearest segment of the strokes, in the strokes' units.
f32 StrokeDistance(const std::vector<Stroke>& strokes, f32 x, f32 y)
{
    f32 nearest = 1.0f;
    for (const Stroke& stroke : strokes)
    {
        for (std::size_t i = 0; i + 1 < stroke.size(); ++i)
        {
            const StrokePoint& a = stroke[i];
            const StrokePoint& b = stroke[i + 1];
            const f32 dx = b.x - a.x;
            const f32 dy = b.y - a.y;
            const f32 length = dx * dx + dy * dy;
            const f32 along =
                length > 0.0f
                    ? std::fmin(1.0f, std::fmax(0.0f, ((x - a.x) * dx + (y - a.y) * dy) / length))
                    : 0.0f;
            const f32 ex = x - (a.x + along * dx);
            const f32 ey = y - (a.y + along * dy);
            nearest = std::fmin(nearest, std::sqrt(ex * ex + ey * ey));
        }
    }
    return nearest;
}

Rgba Mix(const Rgba& under, const Rgba& over, f32 share)
{
    const f32 keep = 1.0f - share;
    return Rgba{ToByte(under.r * keep + over.r * share), ToByte(under.g * keep + over.g * share),
                ToByte(under.b * keep + over.b * share), under.a};
}

bool SkillIcon(const std::string& folder, const std::string& name, u32 slot, const Rgba& colour,
               bool ready)
{
    const std::vector<Stroke> numeral = Numeral(slot);
    const Rgba outline{ToByte(colour.r * OutlineShade), ToByte(colour.g * OutlineShade),
                       ToByte(colour.b * OutlineShade), 255};
    const f32 size = static_cast<f32>(IconSize);
    Image image(IconSize, IconSize, RgbaBytes);
    for (u32 y = 0; y < IconSize; ++y)
    {
        for (u32 x = 0; x < IconSize; ++x)
        {
            const f32 outside = OutsideFrame(x, y, IconSize, IconSize);
            const f32 cover = std::fmin(1.0f, std::fmax(0.0f, 0.5f - outside));
            Rgba pixel;
            if (outside > -FrameBorder)
                pixel = ready ? ReadyBorder : CoolingBorder;
            else if (ready)
                pixel = colour;
            else
                pixel = (x + y) % StripePeriod < StripeWidth ? CoolingStripe : CoolingFill;
            // Pixels from the numeral's centre line, smoothed over one pixel at each edge.
            const f32 distance = StrokeDistance(numeral, (static_cast<f32>(x) + 0.5f) / size,
                                                (static_cast<f32>(y) + 0.5f) / size) *
                                 size;
            const f32 body = NumeralHalfWidth * size;
            if (ready)
                pixel = Mix(pixel, outline,
                            std::fmin(1.0f, std::fmax(0.0f, body + NumeralOutline * size + 0.5f -
                                                                distance)));
            pixel = Mix(pixel, ready ? ReadyNumeral : CoolingNumeral,
                        std::fmin(1.0f, std::fmax(0.0f, body + 0.5f - distance)));
            pixel.a = ToByte(pixel.a * cover);
            image.Set(x, y, pixel);
        }
    }
    return image.Save(folder + '/' + name + ".png");
}

// The bars (a white fill the game tints, the enemies' red fill and the dark frame behind both),
// two icons per ability slot (ready and cooling down, SkillIcon) and the health pick-up.
bool HudTextures(const std::string& folder)
{
    bool written = Bar(folder, "HealthBar", Rgba{255, 255, 255, 255}, Rgba{255, 255, 255, 255});
    written =
        Bar(folder, "HealthBarEnemy", Rgba{210, 40, 30, 255}, Rgba{210, 40, 30, 255}) && written;
    written =
        Bar(folder, "HealthBarFrame", Rgba{16, 16, 20, 160}, Rgba{220, 210, 180, 255}) && written;
    const SkillSlot slots[] = {{"One", {200, 70, 50, 235}},
                               {"Two", {60, 120, 210, 235}},
                               {"Three", {70, 170, 80, 235}},
                               {"Four", {220, 180, 60, 235}}};
    for (u32 slot = 0; slot < SkillSlots; ++slot)
    {
        const std::string name = std::string("HealthBarSkill") + slots[slot].name;
        written = SkillIcon(folder, name + "On", slot, slots[slot].colour, true) && written;
        written = SkillIcon(folder, name + "Off", slot, slots[slot].colour, false) && written;
    }
    return Flat(folder, "HealthPickup", Rgba{230, 60, 70, 255}) && written;
}

// A white dot whose alpha falls smoothly from the centre to nothing at the edge.
bool SoftDot(const std::string& folder)
{
    Image image(DotSize, DotSize, RgbaBytes);
    const f32 half = static_cast<f32>(DotSize) * 0.5f;
    for (u32 y = 0; y < DotSize; ++y)
    {
        for (u32 x = 0; x < DotSize; ++x)
        {
            const f32 dx = (static_cast<f32>(x) + 0.5f - half) / half;
            const f32 dy = (static_cast<f32>(y) + 0.5f - half) / half;
            const f32 fall = std::fmax(0.0f, 1.0f - (dx * dx + dy * dy));
            image.Set(x, y, Rgba{255, 255, 255, ToByte(255.0f * fall * fall)});
        }
    }
    return image.Save(folder + "/SoftDot.png");
}

// A spark: a short streak, brightest at its middle, thinning and fading toward both ends, with
// a faint round glow about it.
bool Spark(const std::string& folder)
{
    Image image(DotSize, DotSize, RgbaBytes);
    const f32 half = static_cast<f32>(DotSize) * 0.5f;
    for (u32 y = 0; y < DotSize; ++y)
    {
        for (u32 x = 0; x < DotSize; ++x)
        {
            const f32 dx = (static_cast<f32>(x) + 0.5f - half) / half;
            const f32 dy = (static_cast<f32>(y) + 0.5f - half) / half;
            const f32 along = std::fmax(0.0f, 1.0f - std::fabs(dy));
            const f32 width = 0.08f + 0.12f * along;
            const f32 streak = along * std::fmax(0.0f, 1.0f - std::fabs(dx) / width);
            const f32 glow = 0.25f * std::fmax(0.0f, 1.0f - (dx * dx + dy * dy));
            image.Set(x, y, Rgba{255, 255, 255, ToByte(255.0f * std::fmin(1.0f, streak + glow))});
        }
    }
    return image.Save(folder + "/Spark.png");
}

// A bolt of lightning from the top edge to the bottom: a thin bright core along a zig-zag of fixed
// corners, a faint glow about it, both fading out toward the two ends.
bool Zap(const std::string& folder)
{
    // The corners, x across and y down the picture, each from -1 to 1.
    constexpr f32 corners[][2] = {{0.05f, -1.0f}, {0.3f, -0.55f}, {-0.2f, -0.2f},
                                  {0.25f, 0.15f}, {-0.25f, 0.5f}, {0.0f, 1.0f}};
    constexpr u32 cornerCount = sizeof(corners) / sizeof(corners[0]);
    constexpr f32 core = 0.07f;
    constexpr f32 glow = 0.35f;
    constexpr f32 glowStrength = 0.35f;
    Image image(DotSize, DotSize, RgbaBytes);
    const f32 half = static_cast<f32>(DotSize) * 0.5f;
    for (u32 y = 0; y < DotSize; ++y)
    {
        for (u32 x = 0; x < DotSize; ++x)
        {
            const f32 px = (static_cast<f32>(x) + 0.5f - half) / half;
            const f32 py = (static_cast<f32>(y) + 0.5f - half) / half;
            f32 nearest = 2.0f;
            for (u32 i = 0; i + 1 < cornerCount; ++i)
            {
                const f32 ax = corners[i][0], ay = corners[i][1];
                const f32 bx = corners[i + 1][0] - ax, by = corners[i + 1][1] - ay;
                const f32 t = std::fmin(
                    1.0f, std::fmax(0.0f, ((px - ax) * bx + (py - ay) * by) / (bx * bx + by * by)));
                const f32 dx = px - (ax + t * bx), dy = py - (ay + t * by);
                nearest = std::fmin(nearest, std::sqrt(dx * dx + dy * dy));
            }
            const f32 ends = std::fmin(1.0f, 4.0f * (1.0f - std::fabs(py)));
            const f32 bright = std::fmax(0.0f, 1.0f - nearest / core);
            const f32 soft = std::fmax(0.0f, 1.0f - nearest / glow);
            const f32 alpha = ends * std::fmin(1.0f, bright + glowStrength * soft * soft);
            image.Set(x, y, Rgba{255, 255, 255, ToByte(255.0f * alpha)});
        }
    }
    return image.Save(folder + "/Zap.png");
}

// A five-pointed star with soft edges: its outline's radius swings between the points and the
// notches as the angle goes round.
bool Star(const std::string& folder)
{
    constexpr f32 points = 5.0f;
    constexpr f32 notch = 0.45f;
    constexpr f32 edge = 0.08f;
    Image image(DotSize, DotSize, RgbaBytes);
    const f32 half = static_cast<f32>(DotSize) * 0.5f;
    for (u32 y = 0; y < DotSize; ++y)
    {
        for (u32 x = 0; x < DotSize; ++x)
        {
            const f32 dx = (static_cast<f32>(x) + 0.5f - half) / half;
            const f32 dy = (static_cast<f32>(y) + 0.5f - half) / half;
            const f32 angle = std::atan2(dx, dy);
            // 1 at a point, 0 at a notch.
            const f32 swing = 0.5f + 0.5f * std::cos(angle * points);
            const f32 outline = 0.9f * (notch + (1.0f - notch) * swing * swing);
            const f32 inside = (outline - std::sqrt(dx * dx + dy * dy)) / edge;
            const f32 alpha = std::fmin(1.0f, std::fmax(0.0f, inside));
            image.Set(x, y, Rgba{255, 255, 255, ToByte(255.0f * alpha)});
        }
    }
    return image.Save(folder + "/Star.png");
}

// A thin ring, brightest on its circle and fading to nothing inside and outside.
bool Ring(const std::string& folder)
{
    constexpr f32 radius = 0.7f;
    constexpr f32 thickness = 0.18f;
    Image image(DotSize, DotSize, RgbaBytes);
    const f32 half = static_cast<f32>(DotSize) * 0.5f;
    for (u32 y = 0; y < DotSize; ++y)
    {
        for (u32 x = 0; x < DotSize; ++x)
        {
            const f32 dx = (static_cast<f32>(x) + 0.5f - half) / half;
            const f32 dy = (static_cast<f32>(y) + 0.5f - half) / half;
            const f32 off = std::fabs(std::sqrt(dx * dx + dy * dy) - radius) / thickness;
            const f32 alpha = std::fmax(0.0f, 1.0f - off * off);
            image.Set(x, y, Rgba{255, 255, 255, ToByte(255.0f * alpha)});
        }
    }
    return image.Save(folder + "/Ring.png");
}

// A puff of smoke in 16 frames, read left to right and top to bottom: it swells, its ragged
// edge churns and it fades away. The sidecar beside it gives the frame layout.
bool Smoke(const std::string& folder)
{
    Math::SeedRand(SmokeSeed);
    const u32 size = FramePixels * SheetFramesPerRow;
    const TileableNoise churn(8, size), grain(32, size);
    Image image(size, size, RgbaBytes);
    image.Fill(Rgba{255, 255, 255, 0});
    const f32 half = static_cast<f32>(FramePixels) * 0.5f;
    for (u32 frame = 0; frame < SheetFrames; ++frame)
    {
        const f32 age = static_cast<f32>(frame) / static_cast<f32>(SheetFrames - 1);
        const f32 radius = 0.35f + 0.55f * age;
        const f32 opacity = 1.0f - age * age;
        const u32 left = (frame % SheetFramesPerRow) * FramePixels;
        const u32 top = (frame / SheetFramesPerRow) * FramePixels;
        for (u32 y = 0; y < FramePixels; ++y)
        {
            for (u32 x = 0; x < FramePixels; ++x)
            {
                const f32 dx = (static_cast<f32>(x) + 0.5f - half) / half;
                const f32 dy = (static_cast<f32>(y) + 0.5f - half) / half;
                // Each frame reads the noise at its own place, so the edge changes over time.
                const f32 nx = static_cast<f32>(x + left), ny = static_cast<f32>(y + top);
                const f32 rough = 0.7f * churn.At(nx, ny) + 0.3f * grain.At(nx, ny);
                const f32 distance = std::sqrt(dx * dx + dy * dy) / radius + 0.35f * (rough - 0.5f);
                const f32 density = std::fmax(0.0f, 1.0f - distance * distance);
                const f32 grey = 200.0f + 55.0f * rough;
                image.Set(left + x, top + y,
                          Rgba{ToByte(grey), ToByte(grey), ToByte(grey),
                               ToByte(255.0f * density * opacity)});
            }
        }
    }
    if (!image.Save(folder + "/Smoke.png"))
        return false;
    const std::string sidecar = folder + "/Smoke.xml";
    std::ostringstream text;
    text << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SpriteSheet>\n    <TotalFrames>"
         << SheetFrames << "</TotalFrames>\n    <WidthFrames>" << SheetFramesPerRow
         << "</WidthFrames>\n</SpriteSheet>\n";
    std::string reason;
    if (!Platform::WriteFileAtomically(sidecar, text.str(), reason))
    {
        std::fprintf(stderr, "Error [%s]: %s could not be written (%s)\n", Tool, sidecar.c_str(),
                     reason.c_str());
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    std::string root;
    if (!ReadToolArguments(Tool, argc, argv, root))
        return 2;
    const std::string textures = MakeToolFolder(Tool, root, "Textures");
    const std::string particles = MakeToolFolder(Tool, root, "Textures/Particles");
    if (textures.empty() || particles.empty())
        return 1;

    bool written = Flat(textures, "White", Rgba{255, 255, 255, 255});
    written = Flat(textures, "Black", Rgba{0, 0, 0, 255}) && written;
    // A flat normal map: every normal straight out of the surface.
    written = Flat(textures, "Flat", Rgba{128, 128, 255, 255}) && written;
    written = Ground(textures) && written;
    written = Sky(textures) && written;
    for (const CharacterPalette& palette : Palettes)
        written = PaletteTexture(textures, palette) && written;
    written = MenuTextures(textures) && written;
    written = HudTextures(textures) && written;
    written = SoftDot(particles) && written;
    written = Smoke(particles) && written;
    written = Spark(particles) && written;
    written = Star(particles) && written;
    written = Ring(particles) && written;
    written = Zap(particles) && written;
    std::printf("%s: textures %s in %s\n", Tool, written ? "written" : "NOT all written",
                textures.c_str());
    return written ? 0 : 1;
}
