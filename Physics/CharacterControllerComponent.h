#pragma once
// Steers a character through its object's rigid body: stick movement (InputMoveMessage)
// becomes a force, the first mouse button and input action 0 call functions of the shared
// "charAction" script, and every physics step the character is turned to face the way it
// moves. It acts only on messages delivered to its object and needs a RigidBodyComponent on
// that object (looked up each time; without one it does nothing).
//
// Script calls, all without arguments; the state picks the suffix (1 Trigger, 2 Press, any
// other Release):
// - mouse button 0: "CharacterAction1Trigger", "CharacterAction1Press", "CharacterAction1Release";
// - input action 0: "CharacterAction0Trigger", "CharacterAction0Press", "CharacterAction0Release".
// Input action 1 does nothing. Mouse button 1 pressed asks the physics system what lies under
// the cursor (the answer is not used yet).
// Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Vector4.h"
#include <string>

namespace Physics
{
class CharacterControllerComponent : public GameObjectComponent
{
public:
    // Stick deflection times this is the force.
    static constexpr f32 MoveForce = 150.0f;
    // The name under which the Lua system keeps the shared script.
    static constexpr const char* ScriptName = "charAction";

    // Registers with the physics and game-state systems when they exist.
    CharacterControllerComponent();
    CharacterControllerComponent(const CharacterControllerComponent&) = delete;
    CharacterControllerComponent& operator=(const CharacterControllerComponent&) = delete;
    ~CharacterControllerComponent() override;

    QUILL_COMPONENT_TYPE(CharacterControllerComponent)
    // A character faces +Z when unturned.
    static Math::Vector4 Forward() { return Math::Vector4(0.0f, 0.0f, 1.0f, 0.0f); }

    // Leaves both systems.
    void Shutdown() override;
    // Reads nothing.
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message* message) override;

    // Turns the object toward its rigid body's velocity; nothing while it does not move or its
    // archer stance is triggered.
    void FaceMovement();

private:
    void Move(f32 x, f32 y);
    // Calls prefix + "Trigger" / "Press" / "Release" by the key state.
    void CallScript(const char* prefix, u32 state);
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::CharacterControllerComponent)
