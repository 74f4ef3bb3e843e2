#include "GameState/HUDComponent.h"
#include "Core/Messages/UserInterface/SetHudVisibleMessage.h"
#include "Core/Reflection/HashTypeName.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Serializer/Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(GameState::HUDComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace GameState
{
namespace
{
constexpr u32 kMaterialCategory = 0;
constexpr s32 kLeft = -1;
constexpr s32 kRight = 1;
constexpr s32 kTop = 1;
constexpr s32 kBottom = -1;
constexpr s32 kCentre = 0;
} // namespace

HUDComponent::HUDComponent()
    : GameObjectComponent(true), relativePosition(0.0f, 0.0f), scale(1.0f, 1.0f),
      displayScale(1.0f, 1.0f), alpha(1.0f), screenFlags(0), elementFlags(0), boundObject(0),
      colour(1.0f, 1.0f, 1.0f, 1.0f), m_material(nullptr)
{
}

u32 HUDComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

u16 HUDComponent::MakeAlignmentFlags(s32 horizontal, s32 vertical)
{
    u16 flags = 0;
    if (horizontal == kLeft)
        flags |= AlignLeft;
    else if (horizontal == kRight)
        flags |= AlignRight;
    if (vertical == kTop)
        flags |= AlignTop;
    else if (vertical == kBottom)
        flags |= AlignBottom;
    return flags;
}

s32 HUDComponent::HorizontalAlignment(u16 flags)
{
    if (flags & AlignLeft)
        return kLeft;
    return (flags & AlignRight) ? kRight : kCentre;
}

s32 HUDComponent::VerticalAlignment(u16 flags)
{
    if (flags & AlignBottom)
        return kBottom;
    return (flags & AlignTop) ? kTop : kCentre;
}

void HUDComponent::SetMaterial(const std::string& name)
{
    m_material = nullptr;
    if (const Graphics::MaterialManager* materials = Graphics::MaterialManager::Instance())
    {
        m_material = materials->Find(name, kMaterialCategory);
        if (m_material == nullptr)
            m_material = materials->Find(DefaultMaterial, kMaterialCategory);
    }
    m_materialName = m_material != nullptr ? m_material->GetName() : std::string();
}

void HUDComponent::Deserialize(Serializer::XmlReader& reader)
{
    s32 horizontalScreen = kCentre;
    s32 verticalScreen = kCentre;
    s32 horizontal = kCentre;
    s32 vertical = kCentre;
    std::string material;
    Serializer::ReadValue(reader, relativePosition, "RelativePos_0-1");
    Serializer::ReadValue(reader, horizontalScreen, "HorizontalScreenAllignment");
    Serializer::ReadValue(reader, verticalScreen, "VerticalScreenAllignment");
    Serializer::ReadValue(reader, horizontal, "HorizontalAllignment");
    Serializer::ReadValue(reader, vertical, "VerticalAllignment");
    Serializer::ReadValue(reader, material, "Material");
    Serializer::ReadValue(reader, scale, "Scale");
    displayScale = scale;
    SetMaterial(material);
    screenFlags = MakeAlignmentFlags(horizontalScreen, verticalScreen);
    elementFlags = MakeAlignmentFlags(horizontal, vertical);
    boundObject = 0;
}

void HUDComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, HorizontalAlignment(elementFlags), "HorizontalAllignment");
    Serializer::WriteValue(writer, VerticalAlignment(elementFlags), "VerticalAllignment");
    Serializer::WriteValue(writer, m_materialName, "Material");
}

void HUDComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != SetHudVisibleMessage::Type)
        return;
    if (const auto* visible = dynamic_cast<const SetHudVisibleMessage*>(message))
        alpha = visible->visibility;
}
} // namespace GameState
