#pragma once
// One element of the heads-up display: a textured quad anchored to an edge or the centre of the
// window, with its own scale, visibility (alpha) and tint. Health bars and skill icons are
// objects carrying such elements; game logic writes their width, alpha and colour.
//
// Conventions: positions are in units of the 1366 x 768 reference size; alignment values in
// files are -1, 0, +1 per axis and become flag words (horizontal -1 left = 1, +1 right = 2;
// vertical +1 top = 4, -1 bottom = 8; 0 centre = no bit).
//
// Layout, with W x H the window and 1366 x 768 the reference size: the anchor is the left edge
// (x = rx * 1366), the right edge (W - rx * 1366) or the centre (W / 2 + rx * 1366), likewise
// bottom, top or middle in y (y grows upwards); the element's own edge or centre then sits on
// the anchor, measured with its size (texture size times display scale). An element without
// material or texture has size 0 and is not drawn. Layout runs when the element is read or
// placed and when the window changes size, not when a highlight changes its display scale.
//
// An element held by a page remembers the page and leaves it in Shutdown, whichever page is
// current then; the page forgets its elements when it goes first.
//
// Written form, read in this order under these names: "RelativePos_0-1" (two numbers), the
// four alignments "HorizontalScreenAllignment", "VerticalScreenAllignment",
// "HorizontalAllignment", "VerticalAllignment" (integers), "Material" (a material name),
// "Scale" (two numbers). Written back: the element's two alignments and its material.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/ColorRGBA.h"
#include "Math/Vector2.h"
#include <string>

namespace Graphics
{
class Material;
}

namespace GameState
{
class PageComponent;

class HUDComponent : public GameObjectComponent
{
public:
    // Alignment flag bits.
    static constexpr u16 AlignLeft = 1;
    static constexpr u16 AlignRight = 2;
    static constexpr u16 AlignTop = 4;
    static constexpr u16 AlignBottom = 8;
    // The material used when the named one is not loaded.
    static constexpr const char* DefaultMaterial = "Default";

    HUDComponent();
    ~HUDComponent() override;

    static const std::string& GetTypeName()
    {
        static const std::string name = "HUDComponent";
        return name;
    }
    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
    // A health bar or a page holds several elements.
    bool MayRepeat() const override { return true; }
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // Visibility (type 19) sets alpha.
    void HandleMessage(Message* message) override;
    // Leaves the page that holds the element.
    void Shutdown() override;

    // The named material from the material manager, else "Default", else none.
    void SetMaterial(const std::string& name);
    const Graphics::Material* GetMaterial() const { return m_material; }
    // The name of the material in use; empty for none.
    const std::string& GetMaterialName() const { return m_materialName; }
    // The material the element is drawn and measured with (buttons: the hover material while
    // highlighted).
    virtual const Graphics::Material* GetShownMaterial() const { return m_material; }

    // Width and height in pixels: the shown material's diffuse texture times the display
    // scale; (0, 0) without material or texture.
    Math::Vector2 GetSize() const;
    // Pixel and window positions from the relative position, the flags and the size, for a
    // window of the given size; the second form uses the current window.
    void UpdateLayout(f32 windowWidth, f32 windowHeight);
    void UpdateLayout();
    // The second half of the layout: the element's own edge or centre on an anchor given in
    // window pixels (an element that follows an object is anchored where the object is seen).
    void AlignAt(const Math::Vector2& anchor, f32 windowWidth, f32 windowHeight);

    // The page holding the element (null for none); set by the page.
    PageComponent* GetPage() const { return m_page; }
    void SetPage(PageComponent* page) { m_page = page; }

    // Flags from alignment values; and back (left wins over right, bottom over top).
    static u16 MakeAlignmentFlags(s32 horizontal, s32 vertical);
    static s32 HorizontalAlignment(u16 flags);
    static s32 VerticalAlignment(u16 flags);

    Math::Vector2 relativePosition;
    // The element's centre in window pixels (y upwards) and as a fraction of the window.
    Math::Vector2 pixelPosition;
    Math::Vector2 windowPosition;
    // A button's slide: x the offset, y the delay before it moves.
    Math::Vector2 slide;
    // The drawn size as a fraction of the window, stored by the overlay when it draws.
    Math::Vector2 hitSize;
    Math::Vector2 scale;
    // The scale the element is drawn with: its scale, or wider or narrower as game logic sets.
    Math::Vector2 displayScale;
    f32 alpha;
    u16 screenFlags;
    u16 elementFlags;
    // The object the element follows (0 for none): its own placed object when it joined a
    // page at reading time (a health bar, drawn where that object is seen), or for a pointer
    // the object of the button it stands on.
    u32 boundObject;
    // A pointer element stands on a button (boundObject is that button's object).
    bool pointerShown;
    Math::ColorRGBA colour;

private:
    PageComponent* m_page;
    const Graphics::Material* m_material; // owned by the material manager
    std::string m_materialName;
};
} // namespace GameState

QUILL_DECLARE_TYPE_RECORD(GameState::HUDComponent)
