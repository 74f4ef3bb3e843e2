#pragma once
// One element of the heads-up display: a textured quad anchored to an edge or the centre of the
// window, with its own scale, visibility (alpha) and tint. Health bars and skill icons are
// objects carrying such elements; game logic writes their width, alpha and colour.
//
// Conventions: positions are in units of the 1366 x 768 reference size; alignment values in
// files are -1, 0, +1 per axis and become flag words (horizontal -1 left = 1, +1 right = 2;
// vertical +1 top = 4, -1 bottom = 8; 0 centre = no bit). Layout and pages come with the user
// interface.
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

    static std::string GetTypeName() { return "HUDComponent"; }
    u32 GetType() const override;
    std::string GetName() const override { return GetTypeName(); }
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // Visibility (type 19) sets alpha.
    void HandleMessage(Message* message) override;

    // The named material from the material manager, else "Default", else none.
    void SetMaterial(const std::string& name);
    const Graphics::Material* GetMaterial() const { return m_material; }
    // The name of the material in use; empty for none.
    const std::string& GetMaterialName() const { return m_materialName; }

    // Flags from alignment values; and back (left wins over right, bottom over top).
    static u16 MakeAlignmentFlags(s32 horizontal, s32 vertical);
    static s32 HorizontalAlignment(u16 flags);
    static s32 VerticalAlignment(u16 flags);

    Math::Vector2 relativePosition;
    Math::Vector2 scale;
    // The scale the element is drawn with: its scale, or wider or narrower as game logic sets.
    Math::Vector2 displayScale;
    f32 alpha;
    u16 screenFlags;
    u16 elementFlags;
    u32 boundObject;
    Math::ColorRGBA colour;

private:
    const Graphics::Material* m_material; // owned by the material manager
    std::string m_materialName;
};
} // namespace GameState

QUILL_DECLARE_TYPE_RECORD(GameState::HUDComponent)
