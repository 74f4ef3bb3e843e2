#include "Tools/PropertyEditor.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/PropertyModel/PropertyMember.h"
#include "Core/System/InputSystem.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/Intersection.h"
#include "Math/Shapes/AABB3.h"
#include "Physics/ColliderComponent.h"
#include "Physics/PhysicsSystem.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyBarManager.h"
#include "TweakBar/BarInspector.h"
#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace Tools
{
namespace
{
constexpr const char* BarLabel = "EditorBar";
constexpr const char* BarHelp = "Testing AntTweakBar Implementation.";
constexpr const char* RootLabel = "Components";
constexpr f32 BarWidth = 400.0f;
constexpr f32 BarHeight = 512.0f;
constexpr f32 BarColour[4] = {32.0f, 32.0f, 64.0f, 255.0f};

GameFactory* Factory()
{
    return Engine::Factory();
}

GameObject* FindObject(u32 id)
{
    GameFactory* factory = Factory();
    return factory != nullptr && id != 0 ? factory->FindObject(id) : nullptr;
}

// The group of the bar that shows the component; null when none does.
PropertyGroup* ShownGroup(PropertyBar& bar, const void* component)
{
    for (PropertyGroup* group : bar.GetChildGroups())
    {
        if (group->GetKey() == component)
            return group;
    }
    return nullptr;
}

// Whether the bar layer shows the entry (a group only while it holds something) as an open
// group.
bool IsShownOpen(const PropertyBar& bar, const std::string& name)
{
    TweakBar::EntryView view;
    return TweakBar::InspectEntry(bar.GetTweakName(), name, view) && view.opened;
}

// A component's rows at the end of the bar: its group, which its BuildEditor fills, and a
// separator after it when it shows anything.
void AddRows(PropertyBar& bar, GameObjectComponent& component)
{
    PropertyGroup* group = bar.AddGroup(component.GetName());
    group->SetKey(static_cast<const void*>(&component));
    component.BuildEditor(*group);
    if (group->HasMembers())
    {
        group->ApplyDefinition();
        bar.AddSeparator("");
    }
}

// Takes a component's group and the separator after it out of the bar; the other rows stay.
void RemoveRows(PropertyBar& bar, const PropertyGroup& group)
{
    const PropertyDefinition* separator = nullptr;
    const auto& entries = bar.GetEntries();
    for (std::size_t i = 0; i + 1 < entries.size(); ++i)
    {
        if (entries[i].get() != &group)
            continue;
        const auto* next = dynamic_cast<const PropertyMember*>(entries[i + 1].get());
        if (next != nullptr && next->GetKind() == PropertyMember::Separator)
            separator = next;
        break;
    }
    bar.RemoveEntry(&group);
    if (separator != nullptr)
        bar.RemoveEntry(separator);
}

// Whether the ray meets the box around the model the object is drawn with, placed as the
// renderer places it (translation x rotation x scale). A character's collider is a small sphere
// about its feet; the figure drawn above it is what a click aims at.
bool MeetsDrawnModel(const GameObject& object, const Math::Ray3& ray)
{
    const auto* render = object.GetComponent<Graphics::RenderComponent>();
    const auto* transform = object.GetComponent<TransformComponent>();
    const Graphics::Model* model = render != nullptr ? render->GetModel() : nullptr;
    if (model == nullptr || transform == nullptr || !render->visible ||
        model->GetVertexCount() == 0 || model->GetStride() < 3 * sizeof(f32))
        return false;
    f32 low[3] = {std::numeric_limits<f32>::max(), std::numeric_limits<f32>::max(),
                  std::numeric_limits<f32>::max()};
    f32 high[3] = {-low[0], -low[1], -low[2]};
    for (u32 i = 0; i < model->GetVertexCount(); ++i)
    {
        f32 position[3];
        std::memcpy(position, model->GetVertex(i), sizeof(position));
        for (int axis = 0; axis < 3; ++axis)
        {
            low[axis] = std::min(low[axis], position[axis]);
            high[axis] = std::max(high[axis], position[axis]);
        }
    }
    const Math::Matrix4 placement = transform->GetTranslationMatrix() *
                                    transform->GetRotationMatrix() *
                                    Math::Matrix4::Scale(transform->GetScale());
    // The world box around the eight placed corners.
    Math::AABB3 box;
    for (int corner = 0; corner < 8; ++corner)
    {
        const Math::Vector4 local((corner & 1) != 0 ? high[0] : low[0],
                                  (corner & 2) != 0 ? high[1] : low[1],
                                  (corner & 4) != 0 ? high[2] : low[2], 1.0f);
        const Math::Vector4 world = placement * local;
        const Math::Point4 point(world.x, world.y, world.z, 1.0f);
        if (corner == 0)
            box.min = box.max = point;
        box.min = Math::Point4(std::min(box.min.x, point.x), std::min(box.min.y, point.y),
                               std::min(box.min.z, point.z), 1.0f);
        box.max = Math::Point4(std::max(box.max.x, point.x), std::max(box.max.y, point.y),
                               std::max(box.max.z, point.z), 1.0f);
    }
    Math::IntersectRay3AABB3 query(ray, box);
    return query.Test();
}

// The object nearest the ray's origin, in front of it, whose collider or drawn model the ray
// meets; null when there is none. Nearness is measured along the ray to the object's position.
GameObject* FindNearestAlong(const Math::Ray3& ray, const Physics::System::PhysicsSystem& physics)
{
    const f32 lengthSquared = ray.direction.Dot(ray.direction);
    if (!(lengthSquared > 0.0f))
        return nullptr;
    GameObject* nearest = nullptr;
    f32 nearestDistance = std::numeric_limits<f32>::max();
    for (const Physics::ColliderComponent* collider : physics.GetColliders())
    {
        GameObject* object = FindObject(collider->GetOwner());
        const auto* transform =
            object != nullptr ? object->GetComponent<TransformComponent>() : nullptr;
        if (transform == nullptr)
            continue;
        const f32 distance =
            (transform->GetPosition() - ray.origin).Dot(ray.direction) / lengthSquared;
        if (!(distance > 0.0f) || distance >= nearestDistance)
            continue;
        if (collider->IntersectsRay(ray) || MeetsDrawnModel(*object, ray))
        {
            nearest = object;
            nearestDistance = distance;
        }
    }
    return nearest;
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
    m_shownListVersion = object.GetComponentListVersion();
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
        AddRows(*bar, *entry.component);
    TwDefine(bar->GetBarDefinition().c_str());
    bar->ApplyDefinition();
}

void PropertyEditor::Refresh(GameObject& object)
{
    // The open groups by the component they show: a rebuilt group starts closed.
    std::vector<const void*> open;
    if (PropertyBar* bar = FindBar())
    {
        for (const PropertyGroup* group : bar->GetChildGroups())
        {
            if (IsShownOpen(*bar, group->GetName()))
                open.push_back(group->GetKey());
        }
    }
    AttachTo(object, true);
    PropertyBar* bar = FindBar();
    if (bar == nullptr)
        return;
    for (PropertyGroup* group : bar->GetChildGroups())
    {
        if (group->HasMembers() &&
            std::find(open.begin(), open.end(), group->GetKey()) != open.end())
        {
            group->SetKey("opened", "1");
            group->ApplyDefinition();
        }
    }
}

void PropertyEditor::ShowAddedComponents(GameObject& object)
{
    if (object.GetComponentListVersion() == m_shownListVersion)
        return;
    m_shownListVersion = object.GetComponentListVersion();
    PropertyBar* bar = FindBar();
    if (bar == nullptr)
        return;
    // The root group leaves the bar layer with its last row and comes back with the next one,
    // closed and unlabelled: its definition is applied again then, and only then, so a root the
    // user closed stays closed.
    TweakBar::EntryView root;
    const bool rootShown = TweakBar::InspectEntry(
        bar->GetTweakName(), static_cast<const PropertyGroup&>(*bar).GetName(), root);
    bool added = false;
    // A copy of the list, as in AttachTo.
    const GameObject::ComponentList components = object.GetComponentList();
    for (const GameObject::ComponentEntry& entry : components)
    {
        if (ShownGroup(*bar, entry.component) != nullptr)
            continue;
        AddRows(*bar, *entry.component);
        added = true;
    }
    if (added && !rootShown)
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
    // The ray through where the pointer is now, with the matrices of the frame on the screen. The
    // cursor's own ray is made in the camera system's update: a click that arrives together with
    // the move onto an object would be cast from where the pointer was before.
    Math::Ray3 ray;
    if (!camera->GetScreenRay(Core::System::InputSystem::GetCursorPosition(), ray))
        return;
    GameObject* hit = FindNearestAlong(ray, *physics);
    if (hit != nullptr && hit->GetId() != m_editedId)
        AttachTo(*hit, false);
}

void PropertyEditor::ComponentDestroyed(const GameObjectComponent* component, u32 ownerId)
{
    // Every shown component belongs to the edited object: the common case leaves here.
    if (m_editedId == 0 || ownerId != m_editedId)
        return;
    PropertyBar* bar = FindBar();
    const PropertyGroup* group = bar != nullptr ? ShownGroup(*bar, component) : nullptr;
    if (group == nullptr)
        return;
    // The bar layer keeps removed entries until a running drawing pass or callback ends and
    // skips their queued actions, so this is safe from inside a bar callback too (a component's
    // own "Delete"). No refresh follows: the other rows stay as the user left them, and the bar
    // is not kept open by it.
    GameFactory* factory = Factory();
    if (factory != nullptr && factory->IsBeingDestroyed(ownerId))
    {
        bar->RemoveEntries();
        bar->SetBarKey("label", DetachedLabel);
        return;
    }
    RemoveRows(*bar, *group);
}

void PropertyEditor::Update()
{
    if (m_editedId == 0)
        return;
    GameObject* object = FindObject(m_editedId);
    if (object == nullptr)
    {
        Detach();
        return;
    }
    if (m_refreshPending)
        Refresh(*object);
    else
        ShowAddedComponents(*object);
}
} // namespace Tools
