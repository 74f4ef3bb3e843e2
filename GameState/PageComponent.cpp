#include "GameState/PageComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/TextConstructMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "GameState/ButtonComponent.h"
#include "GameState/HUDComponent.h"
#include "GameState/UISystem.h"
#include "Scripting/LuaComponent.h"
#include "Serializer/ObjectXml.h"
#include "Serializer/SerializerSystem.h"
#include "Xml/ValueXml.h"
#include "Xml/XmlReader.h"
#include <algorithm>

QUILL_DEFINE_TYPE_RECORD(GameState::PageComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace GameState
{
namespace
{
const char* const LogName = "PageComponent";
constexpr const char* UISystemName = "UISystem";
constexpr const char* TextComponentName = "TextComponent";
// A new page's buttons slide in from one window width to the right; the old page's start
// sliding out from just left of their place.
constexpr f32 SlideInOffset = 1.0f;
constexpr f32 SlideOutOffset = -0.05f;
constexpr f32 Hidden = 0.0f;
constexpr s32 Centre = 0;

GameObject* FindObject(u32 id)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr && id != 0 ? factory->FindObject(id) : nullptr;
}
} // namespace

PageComponent::PageComponent()
    : GameObjectComponent(true), m_script(nullptr), m_active(false), m_hovered(0)
{
    m_selection.fill(NoSelection);
    m_pointers.fill(nullptr);
}

PageComponent::~PageComponent()
{
    Shutdown();
    Scripting::LuaComponent::Destroy(m_script);
    m_script = nullptr;
}

void PageComponent::Shutdown()
{
    Core::UnregisterFromSystem(UISystemName, this);
    for (HUDComponent* element : m_elements)
        element->SetPage(nullptr);
    m_elements.clear();
    m_buttons.clear();
    m_pointers.fill(nullptr);
    for (std::string& cell : m_grid)
        cell.clear();
    m_hovered = 0;
    // Taken first: destroying an object shuts its element down, which comes back here.
    std::vector<u32> made;
    made.swap(m_madeObjects);
    GameFactory* factory = Engine::Factory();
    for (u32 id : made)
    {
        if (factory != nullptr)
            factory->DestroyObject(id); // one already gone is simply not found
    }
}

bool PageComponent::CallScript(const char* function)
{
    return m_script != nullptr && m_script->Call(function);
}

bool PageComponent::CallScript(const char* function, s32 argument)
{
    return m_script != nullptr && m_script->CallWithInt(function, argument);
}

void PageComponent::Deserialize(Serializer::XmlReader& reader)
{
    // Read by hand: a run of child objects, each with members for another object's components.
    Serializer::ReadValue(reader, m_pageName, "PageName");
    Serializer::ReadValue(reader, m_scriptFile, "ScriptFile");
    if (m_script == nullptr)
        m_script = Scripting::LuaComponent::Create();
    if (m_script != nullptr)
    {
        // A script that does not load leaves a working page whose callbacks are reported.
        m_script->Load(m_scriptFile);
        m_script->SetScriptName(m_scriptFile);
    }

    // One run of members per child object; the run ends at the first element that names no
    // object (or when the reader runs out).
    while (reader.CurrentElement() != nullptr &&
           Serializer::IsObjectElement(reader.CurrentElement()))
    {
        u32 objectId = 0;
        Serializer::ReadObject(reader, objectId);
        if (objectId != 0)
            m_madeObjects.push_back(objectId);
        GameObject* object = FindObject(objectId);
        ButtonComponent* button =
            object != nullptr ? object->GetComponent<ButtonComponent>() : nullptr;
        HUDComponent* element = button;
        if (element == nullptr && object != nullptr)
            element = object->GetComponent<HUDComponent>();

        Math::Vector2 position(0.0f, 0.0f);
        Math::Vector2 scale(1.0f, 1.0f);
        int screenH = Centre, screenV = Centre, elementH = Centre, elementV = Centre;
        std::string material;
        std::string text;
        Serializer::ReadValue(reader, position, "RelativePos_0-1");
        Serializer::ReadValue(reader, screenH, "HorizontalScreenAllignment");
        Serializer::ReadValue(reader, screenV, "VerticalScreenAllignment");
        Serializer::ReadValue(reader, elementH, "HorizontalAllignment");
        Serializer::ReadValue(reader, elementV, "VerticalAllignment");
        Serializer::ReadValue(reader, material, "Material");
        Serializer::ReadValue(reader, scale, "Scale");
        Serializer::ReadValue(reader, text, "Text");

        std::string function, name, hover, click;
        int cell = 0;
        Math::Vector2 scaleFactor(1.0f, 1.0f);
        if (button != nullptr)
        {
            function = button->functionName;
            name = button->buttonName;
            cell = button->gridIndex;
            scaleFactor = button->scaleFactor;
        }
        Serializer::ReadValue(reader, function, "FunctionName");
        Serializer::ReadValue(reader, name, "ButtonName");
        Serializer::ReadValue(reader, cell, "gridIndex");
        Serializer::ReadValue(reader, scaleFactor, "ScaleFactor");
        Serializer::ReadValue(reader, hover, "MaterialHover");
        Serializer::ReadValue(reader, click, "MaterialClick");
        f32 visibility = 1.0f;
        Serializer::ReadValue(reader, visibility, "Visibility");

        if (element == nullptr)
        {
            Core::Log() << "Error [" << LogName << "]: page " << m_pageName << ": child object "
                        << objectId << " has no screen element; skipped\n";
            continue;
        }
        element->relativePosition = position;
        element->scale = scale;
        element->displayScale = scale;
        element->screenFlags = HUDComponent::MakeAlignmentFlags(screenH, screenV);
        element->elementFlags = HUDComponent::MakeAlignmentFlags(elementH, elementV);
        element->SetMaterial(material);
        element->alpha = visibility;
        if (button != nullptr)
        {
            button->functionName = function;
            button->buttonName = name;
            button->scaleFactor = scaleFactor;
            button->gridIndex =
                cell >= 0 && cell < GridCells ? static_cast<s16>(cell) : ButtonComponent::NoCell;
            if (!hover.empty())
                button->SetHoverMaterial(hover);
            if (!click.empty())
                button->SetClickMaterial(click);
            if (cell < 0 || cell >= GridCells)
                Core::Log() << "Error [" << LogName << "]: page " << m_pageName << ": button "
                            << name << " has grid cell " << cell
                            << ", outside 0 to 11; it stays out of the grid\n";
        }
        element->UpdateLayout();
        AppendElement(element);
        if (button != nullptr)
            FileButton(button);
        SetText(objectId, text);
    }

    MakePointers();
    SelectFirstButton();
    Core::RegisterWithSystem(UISystemName, this);
}

void PageComponent::MakePointers()
{
    for (u32 k = 0; k < PlayerCount; ++k)
    {
        if (m_pointers[k] != nullptr)
            continue;
        GameObject* object = Serializer::System::SerializerSystem::CreateObject(
            m_id, PointerArchetype, Engine::GenerateId());
        if (object != nullptr)
            m_madeObjects.push_back(object->GetId());
        HUDComponent* pointer = object != nullptr ? object->GetComponent<HUDComponent>() : nullptr;
        if (pointer == nullptr)
        {
            Core::Log() << "Error [" << LogName << "]: page " << m_pageName << ": no "
                        << PointerArchetype << " element for player " << k << '\n';
            continue;
        }
        pointer->SetMaterial(PointerMaterial + std::to_string(k));
        pointer->UpdateLayout();
        AppendElement(pointer);
        m_pointers[k] = pointer;
    }
}

void PageComponent::SelectFirstButton()
{
    if (std::any_of(m_selection.begin(), m_selection.end(),
                    [](s16 cell) { return cell != NoSelection; }))
        return;
    for (s16 cell = 0; cell < GridCells; ++cell)
    {
        ButtonComponent* button = ButtonInCell(cell);
        if (button == nullptr)
            continue;
        m_selection.fill(cell);
        for (HUDComponent* pointer : m_pointers)
        {
            if (pointer != nullptr)
                pointer->boundObject = button->GetOwner();
        }
        return;
    }
}

void PageComponent::SetText(u32 objectId, const std::string& text)
{
    GameObject* object = FindObject(objectId);
    if (object == nullptr || text.empty() ||
        object->GetComponent(HashTypeName(TextComponentName)) == nullptr)
        return;
    if (g_Engine != nullptr)
        PostNew<TextConstructMessage>(m_id, text, objectId);
}

void PageComponent::AppendElement(HUDComponent* element)
{
    if (element == nullptr)
        return;
    if (element->GetPage() != nullptr && element->GetPage() != this)
        element->GetPage()->RemoveElement(element);
    element->SetPage(this);
    if (std::find(m_elements.begin(), m_elements.end(), element) == m_elements.end())
        m_elements.push_back(element);
}

void PageComponent::FileButton(ButtonComponent* button)
{
    m_buttons[button->buttonName] = button;
    if (button->gridIndex >= 0 && button->gridIndex < GridCells)
        m_grid[button->gridIndex] = button->buttonName;
}

void PageComponent::RemoveElement(HUDComponent* element)
{
    if (element == nullptr)
        return;
    if (element->GetPage() == this)
        element->SetPage(nullptr);
    m_elements.erase(std::remove(m_elements.begin(), m_elements.end(), element), m_elements.end());
    for (auto it = m_buttons.begin(); it != m_buttons.end();)
    {
        if (it->second == element)
        {
            for (std::string& cell : m_grid)
                cell = cell == it->first ? std::string() : cell;
            it = m_buttons.erase(it);
        }
        else
        {
            ++it;
        }
    }
    for (HUDComponent*& pointer : m_pointers)
        pointer = pointer == element ? nullptr : pointer;
    if (m_hovered == element->GetOwner())
        m_hovered = 0;
}

void PageComponent::RemoveHudElement(u32 objectId)
{
    GameObject* object = FindObject(objectId);
    // By the element's own type id: a button is not found this way.
    if (HUDComponent* element = object != nullptr ? object->GetComponent<HUDComponent>() : nullptr)
        RemoveElement(element);
}

ButtonComponent* PageComponent::AddButton(const std::string& material, const std::string& function,
                                          const std::string& name, const Math::Vector2& position,
                                          u16 screenFlags, u16 elementFlags, s16 cell)
{
    GameObject* object = Serializer::System::SerializerSystem::CreateObject(m_id, ButtonArchetype,
                                                                            Engine::GenerateId());
    if (object != nullptr)
        m_madeObjects.push_back(object->GetId());
    ButtonComponent* button = object != nullptr ? object->GetComponent<ButtonComponent>() : nullptr;
    if (button == nullptr)
    {
        Core::Log() << "Error [" << LogName << "]: page " << m_pageName << ": no "
                    << ButtonArchetype << " object for button " << name << '\n';
        return nullptr;
    }
    button->SetMaterial(material);
    button->relativePosition = position;
    button->functionName = function;
    button->buttonName = name;
    button->screenFlags = screenFlags;
    button->elementFlags = elementFlags;
    button->gridIndex = cell;
    button->UpdateLayout();
    AppendElement(button);
    FileButton(button);
    return button;
}

void PageComponent::AddHudElement(u32 objectId, const std::string& material,
                                  const std::string& text, const Math::Vector2& position,
                                  u16 screenFlags, u16 elementFlags)
{
    GameObject* object = FindObject(objectId);
    HUDComponent* element = object != nullptr ? object->GetComponent<HUDComponent>() : nullptr;
    if (element == nullptr)
    {
        Core::Log() << "Error [" << LogName << "]: page " << m_pageName << ": object " << objectId
                    << " has no screen element to add\n";
        return;
    }
    element->SetMaterial(material);
    element->relativePosition = position;
    element->screenFlags = screenFlags;
    element->elementFlags = elementFlags;
    element->UpdateLayout();
    SetText(objectId, text);
    AppendElement(element);
}

void PageComponent::LayOut(f32 width, f32 height)
{
    for (HUDComponent* element : m_elements)
        element->UpdateLayout(width, height);
}

void PageComponent::HidePointers()
{
    for (HUDComponent* pointer : m_pointers)
    {
        if (pointer != nullptr)
            pointer->alpha = Hidden;
    }
}

void PageComponent::Open()
{
    CallScript("Load");
    m_active = true;
    HidePointers();
    for (auto& [name, button] : m_buttons)
        button->slide = Math::Vector2(SlideInOffset, 1.0f - button->windowPosition.y);
}

void PageComponent::Close()
{
    m_active = false;
    HidePointers();
    for (auto& [name, button] : m_buttons)
        button->slide = Math::Vector2(SlideOutOffset, 1.0f - button->windowPosition.y);
}

ButtonComponent* PageComponent::FindButton(const std::string& name) const
{
    const auto found = m_buttons.find(name);
    return found != m_buttons.end() ? found->second : nullptr;
}

const std::string& PageComponent::GetCell(s16 cell) const
{
    static const std::string none;
    return cell >= 0 && cell < GridCells ? m_grid[cell] : none;
}

ButtonComponent* PageComponent::ButtonInCell(s16 cell) const
{
    const std::string& name = GetCell(cell);
    return name.empty() ? nullptr : FindButton(name);
}

s16 PageComponent::GetSelection(u32 player) const
{
    return player < PlayerCount ? m_selection[player] : NoSelection;
}

void PageComponent::SetSelection(u32 player, s16 cell)
{
    if (player < PlayerCount)
        m_selection[player] = cell >= 0 && cell < GridCells ? cell : NoSelection;
}

HUDComponent* PageComponent::GetPointer(u32 player) const
{
    return player < PlayerCount ? m_pointers[player] : nullptr;
}
} // namespace GameState
