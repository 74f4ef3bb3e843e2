#pragma once
// How physics components reach their object's other components. They look them up each time
// they act rather than keeping pointers, so a component removed from the object in between is
// simply not found (and the acting component then does nothing).
#include <string>

class GameObject;
class GameObjectComponent;
class TransformComponent;

namespace Physics
{
class RigidBodyComponent;

// The object that owns the component, null when there is no engine or no such object.
GameObject* FindOwner(const GameObjectComponent& component);
TransformComponent* FindOwnerTransform(const GameObjectComponent& component);
RigidBodyComponent* FindOwnerRigidBody(const GameObjectComponent& component);
// "Name:id" of the component's owner for log lines, "object <id>" when it cannot be found.
std::string OwnerLabel(const GameObjectComponent& component);
} // namespace Physics
