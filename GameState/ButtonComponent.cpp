#include "GameState/ButtonComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(GameState::ButtonComponent, &TypeRecordOf<GameState::HUDComponent>(),
                         false)

namespace GameState
{
namespace
{
constexpr u32 MaterialCategory = 0;
// Slides move in proportion to what is left, this many times per second.
constexpr f32 SlideRate = 5.25f;
// A delay or offset this close to its end counts as finished.
constexpr f32 SlideDone = 0.0005f;
// A button sliding out of a replaced page is gone at offset -1.
constexpr f32 SlideOut = -1.0f;
// Sliding out accelerates away from this offset.
constexpr f32 SlideOutPush = 0.3f;

const Graphics::Material* LookUpMaterial(const std::string& name)
{
    const Graphics::MaterialManager* materials = Graphics::MaterialManager::Instance();
    if (materials == nullptr)
        return nullptr;
    const Graphics::Material* material = materials->Find(name, MaterialCategory);
    return material != nullptr ? material
                               : materials->Find(HUDComponent::DefaultMaterial, MaterialCategory);
}
} // namespace

ButtonComponent::ButtonComponent()
    : gridIndex(0), scaleFactor(1.0f, 1.0f), m_hoverMaterial(nullptr), m_clickMaterial(nullptr),
      m_highlighted(false)
{
}

u32 ButtonComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void ButtonComponent::Deserialize(Serializer::XmlReader& reader)
{
    // Read by hand: the written form (the name alone) is not the read one, which a table needs.
    int cell = gridIndex;
    std::string hover;
    std::string click;
    Serializer::ReadValue(reader, functionName, "FunctionName");
    Serializer::ReadValue(reader, buttonName, "ButtonName");
    Serializer::ReadValue(reader, cell, "gridIndex");
    Serializer::ReadValue(reader, scaleFactor, "ScaleFactor");
    Serializer::ReadValue(reader, hover, "MaterialHover");
    Serializer::ReadValue(reader, click, "MaterialClick");
    // A cell outside the grid keeps the button out of it (the page says so when it files it).
    gridIndex = cell >= 0 && cell < GridCells ? static_cast<s16>(cell) : NoCell;
    SetHoverMaterial(hover);
    SetClickMaterial(click);
}

void ButtonComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, buttonName, "string");
}

const Graphics::Material* ButtonComponent::GetShownMaterial() const
{
    return m_highlighted && m_hoverMaterial != nullptr ? m_hoverMaterial : GetMaterial();
}

void ButtonComponent::SetHoverMaterial(const std::string& name)
{
    m_hoverMaterial = LookUpMaterial(name);
}

void ButtonComponent::SetClickMaterial(const std::string& name)
{
    m_clickMaterial = LookUpMaterial(name);
}

void ButtonComponent::Highlight()
{
    if (m_highlighted)
        return;
    m_highlighted = true;
    displayScale = Math::Vector2(scale.x * scaleFactor.x, scale.y * scaleFactor.y);
}

void ButtonComponent::Unhighlight()
{
    m_highlighted = false;
    displayScale = scale;
}

bool ButtonComponent::Slide(f32 seconds, bool pageIsCurrent)
{
    if (slide.y > SlideDone)
    {
        slide.y -= seconds * SlideRate;
        return true;
    }
    if (pageIsCurrent)
    {
        slide.x = slide.x > SlideDone ? slide.x - seconds * slide.x * SlideRate : 0.0f;
        return true;
    }
    if (slide.x > SlideOut + SlideDone)
    {
        slide.x += seconds * (slide.x - SlideOutPush) * SlideRate;
        return true;
    }
    slide.x = SlideOut;
    return false;
}
} // namespace GameState
