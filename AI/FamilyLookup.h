#pragma once
// The AI's per-frame look-ups of an object's components. GameObject::GetComponent<T> confirms
// each candidate with a dynamic_cast; the AI looks up the same few kinds for hundreds of
// objects every frame, where those casts were most of the cost. A component is stored under
// its class's id, or under its family's id for a family member (Core/Objects/ComponentTypeId.h),
// and only a T or a member of T's family answers that id, so the entry found is a T.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObject.h"

namespace AI
{
// The object's first component stored under T's id, or null. T must be the class that defines
// the id: a family base or a class outside any family.
template <typename T> T* FindFamilyComponent(const GameObject& object)
{
    return static_cast<T*>(object.GetComponent(ComponentTypeId<T>()));
}
} // namespace AI
