#include "Tools/PropertyEditor.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/System/CameraSystem.h"
#include "Physics/PhysicsSystem.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyBarManager.h"

namespace Tools
{
namespace
{
constexpr const char* BarLabel = "EditorBar";
constexpr const char* BarHelp = "Testing AntTweakBar Implementation.";
constexpr const char* RootLabel = "Components";
constexpr f32 BarWidth = 256.0f;
constexpr f32 BarHeight = 512.0f;
constexpr f32 BarColour[4] = {32.0f, 32.0f, 64.0f, 255.0f};

GameObject* FindObject(u32 id)
{
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
    return factory != nullptr && id != 0 ? factory->FindObject(id) : nullptr;
}
} // namespace

std::string& PropertyEditor::SaveName()
{
    return SharedSaveName();
}

void PropertyEditor::CreateBar(System::PropertyBarManager& manager)
{
    m_manager = &manager;
    PropertyBarParam param;
    param.position[0] = 0.0f;
    param.position[1] = 0.0f;
    param.size[0] = BarWidth;
    param.size[1] = BarHeight;
    param.label = BarLabel;
    param.help = BarHelp;
    for (std::size_t i = 0; i < std::size(BarColour); ++i)
        param.colour[i] = BarColour[i];
    param.horizontalAlignment = 0;
    param.verticalAlignment = 1;
    if (manager.Add(BarName, param, System::PropertyBarManager::BarCategory) == nullptr)
        Core::Log() << "Error [PropertyEditor]: the bar " << BarName << " could not be made\n";
}

PropertyBar* PropertyEditor::FindBar() const
{
    return m_manager != nullptr ? m_manager->Find(BarName, System::PropertyBarManager::BarCategory)
                                : nullptr;
}

void PropertyEditor::AttachTo(u32 objectId, bool keepOpen)
{
    GameObject* object = FindObject(objectId);
    if (object == nullptr)
    {
        Core::Log() << "Warning [PropertyEditor]: no object " << objectId
                    << " to attach to; the bar is left as it was\n";
        return;
    }
    AttachTo(*object, keepOpen);
}

void PropertyEditor::AttachTo(GameObject& object, bool keepOpen)
{
    m_editedId = object.GetId();
    m_keepOpen = keepOpen;
    m_refreshPending = false;
    PropertyBar* bar = FindBar();
    if (bar == nullptr)
        return;
    bar->RemoveEntries();
    bar->SetBarKey("label", object.GetName());
    bar->SetKey("label", RootLabel);
    bar->SetKey("opened", "1");
    bar->SetBarKey("visible", "true");

    // A copy of the list: a BuildEditor may not change it, but nothing here relies on that.
    const GameObject::ComponentList components = object.GetComponentList();
    for (const GameObject::ComponentEntry& entry : components)
    {
        PropertyGroup* group = bar->AddGroup(entry.component->GetName());
        group->SetKey(static_cast<const void*>(entry.component));
        entry.component->BuildEditor(*group);
        if (group->HasMembers())
        {
            group->ApplyDefinition();
            bar->AddSeparator("");
        }
    }
    TwDefine(bar->GetBarDefinition().c_str());
    bar->ApplyDefinition();
}

void PropertyEditor::Detach()
{
    m_editedId = 0;
    m_keepOpen = false;
    m_refreshPending = false;
    PropertyBar* bar = FindBar();
    if (bar == nullptr)
        return;
    bar->RemoveEntries();
    bar->SetBarKey("visible", "false");
    bar->SetBarKey("label", DetachedLabel);
}

void PropertyEditor::Pick()
{
    const Graphics::System::CameraSystem* camera = Graphics::System::CameraSystem::Instance();
    const Physics::System::PhysicsSystem* physics = Physics::System::PhysicsSystem::Instance();
    if (camera == nullptr || physics == nullptr)
        return;
    GameObject* hit = physics->RayCast(camera->GetCursorRay());
    if (hit != nullptr && hit->GetId() != m_editedId)
        AttachTo(*hit, false);
}

void PropertyEditor::ComponentDestroyed(const GameObjectComponent* component, u32 ownerId)
{
    // Every shown component belongs to the edited object: the common case leaves here.
    if (m_editedId == 0 || ownerId != m_editedId)
        return;
    PropertyBar* bar = FindBar();
    if (bar == nullptr || !bar->HasMembers())
        return;
    bool shown = false;
    for (const PropertyGroup* group : bar->GetChildGroups())
        shown = shown || group->GetKey() == static_cast<const void*>(component);
    if (!shown)
        return;
    // The bar layer keeps removed entries until a running drawing pass or callback ends and
    // skips their queued actions, so this is safe from inside a bar callback too.
    bar->RemoveEntries();
    m_refreshPending = true;
}

void PropertyEditor::Update()
{
    if (m_editedId == 0)
        return;
    if (FindObject(m_editedId) == nullptr)
    {
        m_editedId = 0;
        m_refreshPending = false;
        if (PropertyBar* bar = FindBar())
            bar->RemoveEntries();
        return;
    }
    if (m_refreshPending)
        AttachTo(m_editedId, true);
}
} // namespace Tools
