#include "GameState/HUDComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/UserInterface/SetHudVisibleMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "GameState/PageComponent.h"
#include "GameState/UISystem.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/Texture.h"
#include "Graphics/GraphicsSystem.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(GameState::HUDComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace GameState
{
namespace
{
constexpr u32 MaterialCategory = 0;
constexpr s32 Left = -1;
constexpr s32 Right = 1;
constexpr s32 Top = 1;
constexpr s32 Bottom = -1;
constexpr s32 Centre = 0;
// The diffuse texture gives an element its size.
constexpr u32 SizeTextureSlot = 0;
} // namespace

HUDComponent::HUDComponent()
    : GameObjectComponent(true), relativePosition(0.0f, 0.0f), scale(1.0f, 1.0f),
      displayScale(1.0f, 1.0f), alpha(1.0f), screenFlags(0), elementFlags(0), boundObject(0),
      pointerShown(false), colour(1.0f, 1.0f, 1.0f, 1.0f), m_page(nullptr), m_material(nullptr)
{
}

HUDComponent::~HUDComponent()
{
    Shutdown();
}

void HUDComponent::Shutdown()
{
    if (PageComponent* page = m_page)
    {
        m_page = nullptr;
        page->RemoveElement(this);
    }
}

Math::Vector2 HUDComponent::GetSize() const
{
    const Graphics::Material* material = GetShownMaterial();
    const Graphics::Texture* texture =
        material != nullptr ? material->GetTexture(SizeTextureSlot) : nullptr;
    if (texture == nullptr)
        return Math::Vector2(0.0f, 0.0f);
    return Math::Vector2(static_cast<f32>(texture->GetWidth()) * displayScale.x,
                         static_cast<f32>(texture->GetHeight()) * displayScale.y);
}

void HUDComponent::UpdateLayout()
{
    UpdateLayout(static_cast<f32>(Core::WindowWidth()), static_cast<f32>(Core::WindowHeight()));
}

void HUDComponent::UpdateLayout(f32 width, f32 height)
{
    // The anchor on the screen.
    f32 x = width / 2.0f + relativePosition.x * Graphics::ReferenceWidth;
    if (screenFlags & AlignLeft)
        x = relativePosition.x * Graphics::ReferenceWidth;
    else if (screenFlags & AlignRight)
        x = width - relativePosition.x * Graphics::ReferenceWidth;
    f32 y = height / 2.0f + relativePosition.y * Graphics::ReferenceHeight;
    if (screenFlags & AlignBottom)
        y = relativePosition.y * Graphics::ReferenceHeight;
    else if (screenFlags & AlignTop)
        y = height - relativePosition.y * Graphics::ReferenceHeight;
    AlignAt(Math::Vector2(x, y), width, height);
}

void HUDComponent::AlignAt(const Math::Vector2& anchor, f32 width, f32 height)
{
    f32 x = anchor.x;
    f32 y = anchor.y;
    const Math::Vector2 size = GetSize();
    if (elementFlags & AlignLeft)
        x += size.x / 2.0f;
    else if (elementFlags & AlignRight)
        x -= size.x / 2.0f;
    if (elementFlags & AlignTop)
        y -= size.y / 2.0f;
    else if (elementFlags & AlignBottom)
        y += size.y / 2.0f;

    pixelPosition = Math::Vector2(x, y);
    windowPosition =
        Math::Vector2(width > 0.0f ? x / width : 0.0f, height > 0.0f ? y / height : 0.0f);
}

u32 HUDComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

u16 HUDComponent::MakeAlignmentFlags(s32 horizontal, s32 vertical)
{
    u16 flags = 0;
    if (horizontal == Left)
        flags |= AlignLeft;
    else if (horizontal == Right)
        flags |= AlignRight;
    if (vertical == Top)
        flags |= AlignTop;
    else if (vertical == Bottom)
        flags |= AlignBottom;
    return flags;
}

s32 HUDComponent::HorizontalAlignment(u16 flags)
{
    if (flags & AlignLeft)
        return Left;
    return (flags & AlignRight) ? Right : Centre;
}

s32 HUDComponent::VerticalAlignment(u16 flags)
{
    if (flags & AlignBottom)
        return Bottom;
    return (flags & AlignTop) ? Top : Centre;
}

void HUDComponent::SetMaterial(const std::string& name)
{
    m_material = nullptr;
    if (const Graphics::MaterialManager* materials = Graphics::MaterialManager::Instance())
    {
        m_material = materials->Find(name, MaterialCategory);
        if (m_material == nullptr)
            m_material = materials->Find(DefaultMaterial, MaterialCategory);
    }
    // Assigned in place, not through a temporary: the icons of the health bars are set every
    // frame, and the name's room is kept.
    if (m_material != nullptr)
        m_materialName = m_material->GetName();
    else
        m_materialName.clear();
}

void HUDComponent::Deserialize(Serializer::XmlReader& reader)
{
    // Read by hand: alignments are read as numbers into flags and written back differently.
    s32 horizontalScreen = Centre;
    s32 verticalScreen = Centre;
    s32 horizontal = Centre;
    s32 vertical = Centre;
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
    UpdateLayout();

    // An element of a placed object (one with a transform: a health bar over a character)
    // joins the page shown now; page children carry no transform and are placed by their page.
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    System::UISystem* ui = System::UISystem::Instance();
    PageComponent* page = ui != nullptr ? ui->GetCurrentPage() : nullptr;
    if (owner != nullptr && page != nullptr && owner->GetComponent<TransformComponent>() != nullptr)
    {
        page->AppendElement(this);
        boundObject = m_owner;
    }
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
