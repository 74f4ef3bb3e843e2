#include "Tools/PropertyEditor.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/PropertyModel/PropertyGroup.h"
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
#include <algorithm>
#include <cstring>
#include <limits>

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

GameObject* FindObject(u32 id)
{
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
    return factory != nullptr && id != 0 ? factory->FindObject(id) : nullptr;
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
    bar->SetBarKey("label", DetachedLabel);
    m_refreshPending = true;
}

void PropertyEditor::Update()
{
    if (m_editedId == 0)
        return;
    if (FindObject(m_editedId) == nullptr)
    {
        Detach();
        return;
    }
    if (m_refreshPending)
        AttachTo(m_editedId, true);
}
} // namespace Tools
