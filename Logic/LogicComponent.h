#pragma once
// Base of every game-logic component: health and other containers, effects, modifiers,
// abilities, movement and controllers. A logic component joins the logic system when it is
// constructed (once, whatever its class) and leaves it in Shutdown or, at the latest, in its
// destructor; while it is in, the system calls its Update every frame and hands it every
// message dispatched to all systems. Messages addressed to its object reach it directly.
//
// Family type ids: the base of a family declares `using ComponentFamily = Base;` and answers
// the family's id from GetType, so that a look-up of the family's id on an object finds any
// member (Core/Objects/ComponentTypeId.h). A test for one exact kind compares GetName.
//
// Main thread only.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Types.h"
#include <string>
#include <string_view>

class GameObject;
namespace Math
{
class ColorRGBA;
}

namespace Logic
{
class LogicComponent : public GameObjectComponent
{
public:
    LogicComponent();
    ~LogicComponent() override;
    LogicComponent(const LogicComponent&) = delete;
    LogicComponent& operator=(const LogicComponent&) = delete;

    // Leaves the logic system.
    void Shutdown() override;
    // Logic components have no editor entries of their own yet.
    void BuildEditor(Tools::PropertyGroup&) override {}
    // The per-frame step, in seconds; nothing unless the kind has one.
    virtual void Update(f32) {}

protected:
    // A new component of the named type from the game factory, or null with a log line naming
    // this component when the factory does not make that type or has no room left.
    GameObjectComponent* MakeComponent(std::string_view typeName) const;
    // The same for class T (by T's type name); anything else the factory made is discarded.
    template <typename T> T* Make() const;
    // Shuts down and destroys a component that no object took.
    static void Discard(GameObjectComponent* component);
    // The object with that id, or null.
    static GameObject* FindObject(u32 objectId);
    // True when one of the object's components calls itself that (an exact-class test).
    static bool HoldsComponentNamed(const GameObject& object, std::string_view name);
    // A floating text on the object, shown for that many seconds (the logic system's
    // CreateDamageText); nothing without a logic system.
    static void ShowText(const std::string& text, const Math::ColorRGBA& colour, GameObject& target,
                         f32 seconds);
};

template <typename T> T* LogicComponent::Make() const
{
    GameObjectComponent* component = MakeComponent(T::GetTypeName());
    if (auto* made = dynamic_cast<T*>(component))
        return made;
    Discard(component);
    return nullptr;
}
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::LogicComponent)
