#include "Physics/CharacterControllerComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Math/Quaternion.h"
#include "Physics/OwnerLookup.h"
#include "Physics/PhysicsServices.h"
#include "Physics/PhysicsSystem.h"
#include "Physics/RigidBodyComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include <string>

QUILL_DEFINE_TYPE_RECORD(Physics::CharacterControllerComponent,
                         &TypeRecordOf<GameObjectComponent>(), false)

namespace Physics
{
namespace
{
constexpr const char* GameStateSystemName = "GameStateSystem";
// The beacon stance state that also drops the pending forces.
constexpr u32 BeaconHolding = 1;
constexpr u32 PrimaryButton = 0;
constexpr u32 SecondaryButton = 1;
constexpr u32 PrimaryAction = IA_FIRE;
} // namespace

CharacterControllerComponent::CharacterControllerComponent() : GameObjectComponent(true)
{
    Core::RegisterWithSystem(System::PhysicsSystem::SystemName, this);
    Core::RegisterWithSystem(GameStateSystemName, this);
}

CharacterControllerComponent::~CharacterControllerComponent()
{
    Shutdown();
}

void CharacterControllerComponent::Shutdown()
{
    if (System::PhysicsSystem* physics = System::PhysicsSystem::Instance())
        physics->Unregister(this);
    Core::UnregisterFromSystem(GameStateSystemName, this);
}

void CharacterControllerComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case MouseButtonMessage::Type:
    {
        const auto* mouse = static_cast<const MouseButtonMessage*>(message);
        if (mouse->button == PrimaryButton)
        {
            CallScript("CharacterAction1", mouse->state);
        }
        else if (mouse->button == SecondaryButton && mouse->state == KS_TRIGGER)
        {
            if (System::PhysicsSystem* physics = System::PhysicsSystem::Instance())
                physics->PickAtScreenPoint(mouse->position.x, mouse->position.y);
        }
        break;
    }
    case InputMoveMessage::Type:
    {
        const auto* move = static_cast<const InputMoveMessage*>(message);
        Move(move->direction.x, move->direction.y);
        break;
    }
    case InputActionMessage::Type:
    {
        const auto* action = static_cast<const InputActionMessage*>(message);
        if (action->action == PrimaryAction)
            CallScript("CharacterAction0", action->state);
        break;
    }
    default:
        break;
    }
}

void CharacterControllerComponent::Move(f32 x, f32 y)
{
    RigidBodyComponent* body = FindOwnerRigidBody(*this);
    if (body == nullptr)
        return;
    const u32 beacon = Services().beaconStanceState(m_owner);
    if (beacon != 0)
    {
        if (beacon == BeaconHolding)
            body->ClearAccumulators();
        return;
    }
    body->AddForce(Math::Vector4(x, 0.0f, -y, 0.0f) * MoveForce);
}

void CharacterControllerComponent::FaceMovement()
{
    if (Services().archerStanceState(m_owner) != 0)
        return;
    RigidBodyComponent* body = FindOwnerRigidBody(*this);
    TransformComponent* transform = FindOwnerTransform(*this);
    if (body == nullptr || transform == nullptr)
        return;
    const Math::Quaternion facing = Math::Quaternion::RotationBetween(Forward(), body->velocity);
    if (facing != Math::Quaternion(0.0f, 0.0f, 0.0f, 0.0f))
        transform->orientation = facing;
}

void CharacterControllerComponent::CallScript(const char* prefix, u32 state)
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    Scripting::LuaComponent* script = lua != nullptr ? lua->GetScript(ScriptName) : nullptr;
    if (script == nullptr)
        return;
    const char* suffix = state == KS_TRIGGER   ? "Trigger"
                         : state == KS_PRESSED ? "Press"
                                               : "Release";
    script->Call((std::string(prefix) + suffix).c_str());
}
} // namespace Physics
