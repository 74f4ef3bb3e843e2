// The character controller: stick force, facing, and the "charAction" script calls.
#include "Physics/CharacterControllerComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Physics/PhysicsServices.h"
#include "Physics/RigidBodyComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "tests/Physics/PhysicsWorld.h"
#include "tests/Support/TempFiles.h"
#include <cmath>
#include <gtest/gtest.h>

using Physics::CharacterControllerComponent;
using Physics::RigidBodyComponent;

namespace
{
const std::string Controller = "<CharacterControllerComponent/>";

u32 TriggeredBeacon(u32)
{
    return 1;
}
} // namespace

TEST(CharacterControllerComponent, StickInputPushesAndMovementTurnsTheCharacter)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Body(1.0f) + Controller);
    auto* body = object->GetComponent<RigidBodyComponent>();
    auto* controller = object->GetComponent<CharacterControllerComponent>();
    ASSERT_EQ(world.physics->GetControllers().size(), 1u);
    body->SetAwake(false);

    InputMoveMessage move(0, 0, Math::Vector2(0.5f, 0.5f), KS_PRESSED, object->GetId());
    controller->HandleMessage(&move);
    EXPECT_EQ(body->forceAccumulator.x, 75.0f);
    EXPECT_EQ(body->forceAccumulator.y, 0.0f);
    EXPECT_EQ(body->forceAccumulator.z, -75.0f);
    EXPECT_TRUE(body->IsAwake());

    // A triggered beacon stance (state 1) drops the pending forces instead.
    Physics::Services().beaconStanceState.Install(&TriggeredBeacon);
    controller->HandleMessage(&move);
    Physics::Services().beaconStanceState.Remove(&TriggeredBeacon);
    EXPECT_TRUE(body->forceAccumulator.IsZero());

    // Moving along +X: after the next step the character faces +X; at rest it keeps facing.
    auto* transform = object->GetComponent<TransformComponent>();
    body->SetAwake(true);
    body->SetVelocity(Math::Vector4(3, 0, 0, 0));
    world.physics->Step(Physics::System::PhysicsSystem::FixedStep);
    const Math::Vector4 facing =
        transform->orientation.Rotate(CharacterControllerComponent::Forward());
    EXPECT_NEAR(facing.x, 1.0f, 1e-5f);
    EXPECT_NEAR(facing.z, 0.0f, 1e-5f);
    body->SetAwake(false);
    const Math::Quaternion kept = transform->orientation;
    controller->FaceMovement();
    EXPECT_EQ(transform->orientation, kept);
}

TEST(CharacterControllerComponent, CallsTheSharedScriptForButtonZeroAndActionZeroOnly)
{
    TempFolder folder;
    folder.Write("assets/Scripts/charAction.lua",
                 "calls = ''\n"
                 "for _, name in ipairs({'CharacterAction0Trigger', 'CharacterAction0Press',\n"
                 "    'CharacterAction0Release', 'CharacterAction1Trigger',\n"
                 "    'CharacterAction1Press', 'CharacterAction1Release'}) do\n"
                 "  _G[name] = function() calls = calls .. name .. ';' end\n"
                 "end\n");
    PhysicsWorld world;
    Scripting::RegisterScripting(world.engine);
    world.engine.AddSystem("ScriptingSystem");
    Scripting::LuaComponent* script =
        Scripting::System::LuaSystem::Instance()->LoadScript("charAction.lua", "charAction");
    ASSERT_NE(script, nullptr);
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Body(1.0f) + Controller);
    auto* controller = object->GetComponent<CharacterControllerComponent>();
    const u32 id = object->GetId();

    const Math::Vector2 cursor(10.0f, 20.0f);
    MouseButtonMessage press(0, cursor, 0, KS_TRIGGER, id);
    MouseButtonMessage hold(0, cursor, 0, KS_PRESSED, id);
    MouseButtonMessage release(0, cursor, 0, KS_RELEASE, id);
    MouseButtonMessage right(0, cursor, 1, KS_TRIGGER, id);
    InputActionMessage action0(0, 0, 0, KS_TRIGGER, id);
    InputActionMessage action0Held(0, 0, 0, KS_PRESSED, id);
    InputActionMessage action0Up(0, 0, 0, KS_RELEASE, id);
    InputActionMessage action1(0, 0, 1, KS_TRIGGER, id);
    for (Message* message : std::vector<Message*>{&press, &hold, &release, &right, &action0,
                                                  &action0Held, &action0Up, &action1})
        controller->HandleMessage(message);

    std::string calls;
    ASSERT_TRUE(script->GetGlobalString("calls", calls));
    EXPECT_EQ(calls, "CharacterAction1Trigger;CharacterAction1Press;CharacterAction1Release;"
                     "CharacterAction0Trigger;CharacterAction0Press;CharacterAction0Release;");
}
