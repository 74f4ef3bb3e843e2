#include "Physics/OwnerLookup.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Physics/RigidBodyComponent.h"

namespace Physics
{
GameObject* FindOwner(const GameObjectComponent& component)
{
    return component.GetOwnerObject();
}

TransformComponent* FindOwnerTransform(const GameObjectComponent& component)
{
    GameObject* owner = FindOwner(component);
    return owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
}

RigidBodyComponent* FindOwnerRigidBody(const GameObjectComponent& component)
{
    GameObject* owner = FindOwner(component);
    return owner != nullptr ? owner->GetComponent<RigidBodyComponent>() : nullptr;
}

std::string OwnerLabel(const GameObjectComponent& component)
{
    if (GameObject* owner = FindOwner(component))
        return owner->GetName() + ":" + std::to_string(owner->GetId());
    return "object " + std::to_string(component.GetOwner());
}
} // namespace Physics
