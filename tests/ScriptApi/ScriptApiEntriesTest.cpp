// Covers: the script API's entries (ScriptApi_*.cpp).
// The script entries called from Lua. The engine has no message system, so every post waits in
// its held list, where the test reads it (type, sender, target or system, delay, fields). The
// entries that act at once on a subsystem are checked against the real systems, and without
// them.
#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "AI/Spawning/AISpawnComponent.h"
#include "Core/Actions/MoveToAction.h"
#include "Core/Actions/ScaleToAction.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Audio/AudioEffectMessage.h"
#include "Core/Messages/Audio/AudioFadeMessage.h"
#include "Core/Messages/Audio/AudioMusicMessage.h"
#include "Core/Messages/Audio/AudioSystemMessage.h"
#include "Core/Messages/Camera/CameraCycleMessage.h"
#include "Core/Messages/Camera/CameraMountMessage.h"
#include "Core/Messages/Camera/CameraShakeMessage.h"
#include "Core/Messages/Camera/CameraSwitchMessage.h"
#include "Core/Messages/Editor/AttachParticleEditorMessage.h"
#include "Core/Messages/Editor/AttachPropertyEditorMessage.h"
#include "Core/Messages/Gameplay/DirectionAddMessage.h"
#include "Core/Messages/Gameplay/DirectionSetMessage.h"
#include "Core/Messages/Gameplay/OrientationSetMessage.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/ScaleSetMessage.h"
#include "Core/Messages/Gameplay/SetEmitterCountMessage.h"
#include "Core/Messages/Gameplay/SetEmitterIntervalMessage.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Graphics/AnimationSetTimeMessage.h"
#include "Core/Messages/Graphics/AnimationSpeedSetMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Graphics/SetBackgroundFadeToMessage.h"
#include "Core/Messages/Graphics/SetGlowMessage.h"
#include "Core/Messages/Graphics/SetGlowToMessage.h"
#include "Core/Messages/Graphics/SetLightDiffuseToMessage.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Messages/Graphics/SetLightSpecularToMessage.h"
#include "Core/Messages/Graphics/SetMaterialMessage.h"
#include "Core/Messages/Graphics/SetModelMessage.h"
#include "Core/Messages/Graphics/SetParticleColorMessage.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Messages/Graphics/SetVisibleMessage.h"
#include "Core/Messages/Graphics/TextConstructMessage.h"
#include "Core/Messages/Input/ControllerButtonMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Input/MouseMoveMessage.h"
#include "Core/Messages/Input/MouseWheelMessage.h"
#include "Core/Messages/Object/ActionMessage.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/BoneMountObjectCreateMessage.h"
#include "Core/Messages/Object/BoneMountObjectRemoveMessage.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/Object/SetOrbitAroundMessage.h"
#include "Core/Messages/Object/SetOrbitDistanceMessage.h"
#include "Core/Messages/UserInterface/ChangeButtonFunctionMessage.h"
#include "Core/Messages/UserInterface/ChangePageMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Messages/UserInterface/GoToStateMessage.h"
#include "Core/Messages/UserInterface/RemoveHudElementMessage.h"
#include "Core/Messages/UserInterface/SetHudVisibleMessage.h"
#include "Core/Messages/UserInterface/SetPointerPosMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/System/AssetLoaderSystem.h"
#include "Core/System/InputSystem.h"
#include "Graphics/Components/FadeToAction.h"
#include "Graphics/Components/FieldOfViewToAction.h"
#include "Graphics/Components/RotateCameraToAction.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/System/CameraSystem.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/FloatingTextEffectComponent.h"
#include "Logic/LogicRegistration.h"
#include "Logic/LogicSystem.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include "tests/Scripting/LuaTestState.h"
#include "tests/Scripting/ScriptTestEnvironment.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/ProbeComponent.h"
#include <climits>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// Components the tests put on objects count themselves, so a test sees each one destroyed.
GameObjectComponent* MakeComponent()
{
    return new ProbeComponent();
}

// A component whose type name marks its object's player as dead.
class DeathEffectProbe : public GameObjectComponent
{
public:
    DeathEffectProbe() : GameObjectComponent(true) {}
    u32 GetType() const override { return 1; }
    const std::string& GetName() const override
    {
        static const std::string name = "DeathEffectComponent";
        return name;
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
};

class ScriptEntries : public testing::Test
{
protected:
    void SetUp() override
    {
        Core::RegisterCore(engine);
        Core::System::InputSystem::SetCursorPosition(Math::Vector2(10.0f, 20.0f));
    }
    void TearDown() override { held.clear(); }

    // Runs the chunk and takes what it posted, in order; the messages are destroyed by `held`.
    const std::vector<Message*>& Post(const std::string& chunk)
    {
        EXPECT_TRUE(lua.Run(chunk)) << chunk << ": " << lua.error;
        held.clear();
        for (auto& [message, delay] : engine.TakeHeldMessages())
            held.emplace_back(message);
        posted.clear();
        for (const auto& message : held)
            posted.push_back(message.get());
        return posted;
    }
    GameObject* Create(const std::string& name)
    {
        GameObject* object = engine.GetFactory()->CreateObject(name, Engine::GenerateId());
        object->AddComponent(MakeComponent());
        return object;
    }

    // Players and their health come from the logic system, effects from the component factory.
    void StartLogic()
    {
        Logic::RegisterLogic(engine);
        InitializeTypeRegistry();
        logic = std::make_unique<Logic::System::LogicSystem>();
    }
    // A player character: its object with a player controller the logic system lists.
    GameObject* Player()
    {
        GameObject* object = Create("Player");
        object->AddComponent(new Logic::SimpleControllerComponent());
        return object;
    }
    // A health container at current of maximum.
    static void GiveHealth(GameObject* object, f32 current, f32 maximum)
    {
        auto* health = new Logic::HealthContainerComponent();
        health->SetMaximumStorage(maximum);
        health->currentStorage_ = current;
        object->AddComponent(health);
    }

    struct Destroy
    {
        void operator()(Message* message) const { DestroyMessage(message); }
    };
    LogCapture log;
    Engine engine;
    LuaTestState lua;
    std::vector<std::unique_ptr<Message, Destroy>> held;
    std::vector<Message*> posted;
    std::unique_ptr<Logic::System::LogicSystem> logic;
};

// One posting entry: the call, then per message its class and what it must hold.
struct Expected
{
    u32 type;
    u32 sender;
    u32 target;
    const char* system; // null: Message::NoSystem
    f32 delay;
    std::function<void(const Message&)> fields;
};
struct Row
{
    const char* call;
    std::vector<Expected> messages;
};

template <class T, class Check> std::function<void(const Message&)> As(Check check)
{
    return [check](const Message& message)
    {
        const T* typed = dynamic_cast<const T*>(&message);
        ASSERT_NE(typed, nullptr) << "message of another class";
        check(*typed);
    };
}

// An add message whose action is of class T.
template <class T, class Check> std::function<void(const Message&)> Carries(Check check)
{
    return As<ActionMessage>(
        [check](const ActionMessage& message)
        {
            const T* action = dynamic_cast<const T*>(message.action);
            ASSERT_NE(action, nullptr) << "no action or one of another class";
            check(*action);
        });
}

const Math::Vector4 Xyz1(1.0f, 2.0f, 3.0f, 1.0f);
const Math::Vector4 Xyz0(1.0f, 2.0f, 3.0f, 0.0f);
const Math::ColorRGBA Colour(0.25f, 0.5f, 0.75f, 1.0f);
const Math::Vector2 CursorAt(10.0f, 20.0f);

const std::vector<Row>& PostingRows()
{
    using Direction = DirectionSetMessage;
    static const std::vector<Row> rows = {
        {"Engine.DestroyObject(3, 77)",
         {{2, 3, 0, nullptr, 0,
           As<ObjectDestroyMessage>([](auto& m) { EXPECT_EQ(m.objectId, 77u); })}}},
        {"Engine.DestroyObjectDelayed(3, 77, 2)", {{2, 3, 0, nullptr, 2, nullptr}}},
        {"Input.KeyboardMessage(4, 'A', 1)",
         {{25, 4, 0, nullptr, 0,
           As<KeyboardMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.keyCode, 65u);
                   EXPECT_EQ(m.state, 1u);
               })}}},
        {"Input.KeyboardMessage(4, '', 3)",
         {{25, 4, 0, nullptr, 0, As<KeyboardMessage>([](auto& m) { EXPECT_EQ(m.keyCode, 0u); })}}},
        {"Mouse.ButtonMessage(5, 1, 3)",
         {{27, 5, 0, nullptr, 0,
           As<MouseButtonMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.position, CursorAt);
                   EXPECT_EQ(m.button, 1u);
                   EXPECT_EQ(m.state, 3u);
               })}}},
        {"Mouse.WheelMessage(5, -3, true)",
         {{30, 5, 0, nullptr, 0,
           As<MouseWheelMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.position, CursorAt);
                   EXPECT_EQ(m.steps, 3u);
                   EXPECT_EQ(m.direction, 1);
               })}}},
        {"Mouse.WheelMessage(5, -2147483648, false)",
         {{30, 5, 0, nullptr, 0,
           As<MouseWheelMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.steps, static_cast<u32>(INT_MAX));
                   EXPECT_EQ(m.direction, 0);
               })}}},
        {"Mouse.MoveMessage(5, 1.5, -2)",
         {{28, 5, 0, nullptr, 0,
           As<MouseMoveMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.position, CursorAt);
                   EXPECT_EQ(m.movement, Math::Vector2(1.5f, -2.0f));
               })}}},
        {"Controller.ButtonMessage(6, 2, 7, 1)",
         {{31, 6, 0, nullptr, 0,
           As<ControllerButtonMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.controller, 2u);
                   EXPECT_EQ(m.button, 7u);
                   EXPECT_EQ(m.state, 1u);
               })}}},
        {"Controller.StickMessage(6, 1, 4, -0.5)",
         {{32, 6, 0, nullptr, 0,
           As<ControllerStickMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.controller, 1u);
                   EXPECT_EQ(m.axis, 4u);
                   EXPECT_EQ(m.value, -0.5f);
               })}}},
        {"Object.AddDirectionDelayed(7, 8, 1, 2, 3, 0.5)",
         {{77, 7, 8, nullptr, 0.5f,
           As<DirectionAddMessage>([](auto& m) { EXPECT_EQ(m.direction, Xyz0); })}}},
        {"Object.Position(7, 8, 1, 2, 3)",
         {{74, 7, 8, nullptr, 0,
           As<PositionSetMessage>([](auto& m) { EXPECT_EQ(m.position, Xyz1); })}}},
        {"Object.Scale(7, 8, 1, 2, 3)",
         {{75, 7, 8, nullptr, 0,
           As<ScaleSetMessage>([](auto& m) { EXPECT_EQ(m.scale, Math::Vector3(1, 2, 3)); })}}},
        {"Object.Orientation(7, 8, 1, 2, 3)",
         {{76, 7, 8, nullptr, 0,
           As<OrientationSetMessage>([](auto& m)
                                     { EXPECT_EQ(m.orientation, Math::Vector3(1, 2, 3)); })}}},
        {"Object.Direction(7, 8, 1, 2, 3)",
         {{73, 7, 8, nullptr, 1, As<Direction>([](auto& m) { EXPECT_EQ(m.direction, Xyz0); })}}},
        {"Object.PositionDelayed(7, 8, 1, 2, 3, 2)", {{74, 7, 8, nullptr, 2, nullptr}}},
        {"Object.ScaleDelayed(7, 8, 1, 2, 3, 2)", {{75, 7, 8, nullptr, 2, nullptr}}},
        {"Object.OrientationDelayed(7, 8, 1, 2, 3, 2)", {{76, 7, 8, nullptr, 2, nullptr}}},
        {"Object.DirectionDelayed(7, 8, 1, 2, 3, 0)",
         {{73, 7, 8, nullptr, 0, As<Direction>([](auto& m) { EXPECT_EQ(m.direction, Xyz0); })}}},
        {"Object.SetAnimationSpeed(7, 8, 1.5)",
         {{48, 7, 8, nullptr, 0,
           As<AnimationSpeedSetMessage>([](auto& m) { EXPECT_EQ(m.speed, 1.5f); })}}},
        {"Object.SetCurrentAnimation(7, 8, 'Run', true)",
         {{47, 7, 8, nullptr, 0,
           As<AnimationSwapMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.animationName, "Run");
                   EXPECT_EQ(m.loop, 1u);
               })}}},
        {"Object.SetCurrentAnimation(7, 8, 'Die', false)",
         {{47, 7, 8, nullptr, 0,
           As<AnimationSwapMessage>([](auto& m) { EXPECT_EQ(m.loop, 0u); })}}},
        {"Object.SetAnimationTime(7, 8, 2.5, true)",
         {{50, 7, 8, nullptr, 0,
           As<AnimationSetTimeMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.time, 2.5f);
                   EXPECT_TRUE(m.flag);
               })}}},
        {"Object.Model(7, 8, 'Tree')",
         {{44, 7, 8, nullptr, 0,
           As<SetModelMessage>([](auto& m) { EXPECT_EQ(m.modelName, "Tree"); })}}},
        {"Object.Material(7, 8, 'Bark')",
         {{45, 7, 8, nullptr, 0,
           As<SetMaterialMessage>([](auto& m) { EXPECT_EQ(m.materialName, "Bark"); })}}},
        {"Object.AddMoveAction(7, 8, 1, 2, 3, 4, 0.5)",
         {{12, 7, 8, nullptr, 0.5f,
           Carries<MoveToAction>(
               [](auto& a)
               {
                   EXPECT_EQ(a.GetTarget(), Math::Point4(1, 2, 3, 1));
                   EXPECT_EQ(a.GetRemainingTime(), 4.0f);
                   EXPECT_TRUE(a.IsBlocking());
                   EXPECT_TRUE(a.Orients());
               })}}},
        {"Object.AddMoveNoOrientAction(7, 8, 1, 2, 3, 4, 0)",
         {{12, 7, 8, nullptr, 0,
           Carries<MoveToAction>(
               [](auto& a)
               {
                   EXPECT_TRUE(a.IsBlocking());
                   EXPECT_FALSE(a.Orients());
               })}}},
        {"Object.AddScaleAction(7, 8, 1, 2, 3, 4, 1)",
         {{12, 7, 8, nullptr, 1,
           Carries<ScaleToAction>(
               [](auto& a)
               {
                   EXPECT_EQ(a.GetTarget(), Math::Vector3(1, 2, 3));
                   EXPECT_TRUE(a.IsBlocking());
               })}}},
        {"Object.AddFadeAction(7, 8, 0.5, 2, 0)",
         {{12, 7, 8, nullptr, 0,
           Carries<FadeToAction>(
               [](auto& a)
               {
                   EXPECT_EQ(a.GetTarget(), 0.5f);
                   EXPECT_EQ(a.GetRemainingTime(), 2.0f);
                   EXPECT_TRUE(a.IsBlocking());
               })}}},
        {"Object.AddCameraFOVAction(7, 8, 60, 2, 0)",
         {{12, 7, 8, nullptr, 0,
           Carries<FieldOfViewToAction>(
               [](auto& a)
               {
                   EXPECT_EQ(a.GetTarget(), 60.0f);
                   EXPECT_FALSE(a.IsBlocking());
               })}}},
        // Degrees in, radians out.
        {"Object.AddCameraRotationAction(7, 8, 90, 0, 2, 0)",
         {{12, 7, 8, nullptr, 0,
           Carries<RotateCameraToAction>(
               [](auto& a)
               {
                   EXPECT_FLOAT_EQ(a.GetTarget().x, 1.57079633f);
                   EXPECT_EQ(a.GetTarget().y, 0.0f);
                   EXPECT_FALSE(a.IsBlocking());
               })}}},
        {"Object.OrbitAround(7, 8, 1, 2, 3)",
         {{10, 7, 8, nullptr, 0,
           As<SetOrbitAroundMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.point, Xyz1);
                   EXPECT_EQ(m.axis, Math::Vector4(0, 1, 0, 0));
               })}}},
        {"Object.OrbitDistance(7, 8, 4)",
         {{11, 7, 8, nullptr, 0,
           As<SetOrbitDistanceMessage>([](auto& m) { EXPECT_EQ(m.distance, 4.0f); })}}},
        {"Object.SetGlow(7, 8, 0.25, 0.5, 0.75, 1, 0, 0.5)",
         {{52, 7, 8, nullptr, 0,
           As<SetGlowMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.firstColor, Colour);
                   EXPECT_EQ(m.secondColor, Math::ColorRGBA(1, 0, 0.5f, 1));
               })}}},
        {"Object.EnableEmitters(7, 8, 0.5)",
         {{57, 7, 8, nullptr, 0.5f,
           As<SetParticlePlayMessage>([](auto& m) { EXPECT_TRUE(m.enable); })}}},
        {"Object.DisableEmitters(7, 8, 0)",
         {{57, 7, 8, nullptr, 0,
           As<SetParticlePlayMessage>([](auto& m) { EXPECT_FALSE(m.enable); })}}},
        {"Object.UnmountFromObjectByID(7, 8, 12, true)",
         {{7, 7, 8, nullptr, 0,
           As<MountObjectRemoveMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.objectId, 12u);
                   EXPECT_TRUE(m.destroy);
                   EXPECT_EQ(m.archetype, "");
               })}}},
        {"Object.UnmountFromObjectByArchetype(7, 8, 'Hat', false)",
         {{7, 7, 8, nullptr, 0,
           As<MountObjectRemoveMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.objectId, 0u);
                   EXPECT_FALSE(m.destroy);
                   EXPECT_EQ(m.archetype, "Hat");
               })}}},
        {"Object.UnmountFromBoneByID(7, 8, 12, true)",
         {{9, 7, 8, nullptr, 0,
           As<BoneMountObjectRemoveMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.objectId, 12u);
                   EXPECT_EQ(m.boneIndex, -1);
                   EXPECT_EQ(m.archetype, "");
               })}}},
        {"Object.UnmountFromBoneByArchetype(7, 8, 3, 'Sword', true)",
         {{9, 7, 8, nullptr, 0,
           As<BoneMountObjectRemoveMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.objectId, 0u);
                   EXPECT_EQ(m.boneIndex, 3);
                   EXPECT_EQ(m.archetype, "Sword");
                   EXPECT_TRUE(m.destroy);
               })}}},
        {"Object.UnmountFromObjectByArchetypeDelayed(7, 8, 'Hat', true, 1.5)",
         {{7, 7, 8, nullptr, 1.5f,
           As<MountObjectRemoveMessage>([](auto& m) { EXPECT_EQ(m.archetype, "Hat"); })}}},
        {"Object.GlowTo(7, 8, 0.25, 0.5, 0.75, 2)",
         {{53, 7, 8, nullptr, 0,
           As<SetGlowToMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.color, Colour);
                   EXPECT_EQ(m.duration, 2.0f);
               })}}},
        {"Object.LightDiffuseTo(7, 8, 0.25, 0.5, 0.75, 2)",
         {{54, 7, 8, nullptr, 0,
           As<SetLightDiffuseToMessage>([](auto& m) { EXPECT_EQ(m.color, Colour); })}}},
        {"Object.LightSpecularTo(7, 8, 0.25, 0.5, 0.75, 2)",
         {{55, 7, 8, nullptr, 0,
           As<SetLightSpecularToMessage>([](auto& m) { EXPECT_EQ(m.color, Colour); })}}},
        {"Object.LightRadiusTo(7, 8, 5, 2)",
         {{56, 7, 8, nullptr, 0,
           As<SetLightRadiusToMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.radius, 5.0f);
                   EXPECT_EQ(m.duration, 2.0f);
               })}}},
        {"Object.Visible(7, 8, false)",
         {{43, 7, 8, nullptr, 0, As<SetVisibleMessage>([](auto& m) { EXPECT_FALSE(m.visible); })}}},
        {"Object.HudVisible(7, 8, 0.5)",
         {{19, 7, 8, nullptr, 0,
           As<SetHudVisibleMessage>([](auto& m) { EXPECT_EQ(m.visibility, 0.5f); })}}},
        {"Object.EmitInterval(7, 8, 0.25)",
         {{88, 7, 8, nullptr, 0,
           As<SetEmitterIntervalMessage>([](auto& m) { EXPECT_EQ(m.interval, 0.25f); })}}},
        // Read as unsigned: -1 is 4294967295, whose nearest float is 2^32.
        {"Object.EmitCount(7, 8, -1, 5)",
         {{89, 7, 8, nullptr, 0,
           As<SetEmitterCountMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.minimum, 4294967296.0f);
                   EXPECT_EQ(m.maximum, 5.0f);
               })}}},
        {"Particle.ColorStart(7, 8, 0.25, 0.5, 0.75)",
         {{90, 7, 8, nullptr, 0,
           As<SetParticleColorMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.color, Colour);
                   EXPECT_TRUE(m.start);
               })}}},
        {"Particle.ColorEnd(7, 8, 0.25, 0.5, 0.75)",
         {{90, 7, 8, nullptr, 0,
           As<SetParticleColorMessage>([](auto& m) { EXPECT_FALSE(m.start); })}}},
        {"GameState.SetPointerRelativePosition(2, 0.5, 0.25)",
         {{24, 0, 0, "UISystem", 0,
           As<SetPointerPosMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.controller, 2u);
                   EXPECT_EQ(m.x, 0.5f);
                   EXPECT_EQ(m.y, 0.25f);
               })}}},
        {"GameState.RemoveHudElement(3, 44)",
         {{18, 3, 0, nullptr, 0,
           As<RemoveHudElementMessage>([](auto& m) { EXPECT_EQ(m.elementId, 44u); })}}},
        {"GameState.ChangePage('Options')",
         {{21, 0, 0, nullptr, 0,
           As<ChangePageMessage>([](auto& m) { EXPECT_EQ(m.pageName, "Options"); })}}},
        {"GameState.ChangeState(3, 4)",
         {{15, 3, 0, nullptr, 0, As<GameStateMessage>([](auto& m) { EXPECT_EQ(m.command, 4u); })}}},
        {"GameState.ChangeStateDelayed(3, 1, 2)", {{15, 3, 0, nullptr, 2, nullptr}}},
        {"GameState.ChangePageDelayed('Main', 1.5)", {{21, 0, 0, nullptr, 1.5f, nullptr}}},
        {"GameState.GoToNextLevel()", {{22, 0, 0, "GameStateSystem", 0, nullptr}}},
        {"GameState.GoToMain()",
         {{16, 0, 0, nullptr, 0,
           As<GoToStateMessage>([](auto& m) { EXPECT_EQ(m.stateName, "Main"); })}}},
        {"GameState.GoToMainDelayed(2)", {{16, 0, 0, nullptr, 2, nullptr}}},
        {"GameState.ChangeButtonFunctionCall('Play', 'StartGame')",
         {{23, 0, 0, "UISystem", 0,
           As<ChangeButtonFunctionMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.buttonName, "Play");
                   EXPECT_EQ(m.functionName, "StartGame");
               })}}},
        {"GameState.SetElementText(3, 8, 'Hello')",
         {{51, 3, 8, nullptr, 0,
           As<TextConstructMessage>([](auto& m) { EXPECT_EQ(m.text, "Hello"); })}}},
        {"Audio.SystemMessage(3, 1, 0.5)",
         {{63, 3, 0, nullptr, 0,
           As<AudioSystemMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.action, 1u);
                   EXPECT_EQ(m.value, 0.5f);
               })}}},
        {"Audio.EffectMessage(3, 'Boom', 0)",
         {{65, 3, 0, nullptr, 0,
           As<AudioEffectMessage>([](auto& m) { EXPECT_EQ(m.audioName, "Boom"); })}}},
        {"Audio.DelayedEffectMessage(3, 'Boom', 0, 1.5)", {{65, 3, 0, nullptr, 1.5f, nullptr}}},
        {"Audio.MusicMessage(3, 'Theme', 2)",
         {{64, 3, 0, nullptr, 0,
           As<AudioMusicMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.audioName, "Theme");
                   EXPECT_EQ(m.action, 2u);
               })}}},
        {"Audio.FadeMessage(3, 'Theme', 1, 0.5, true)",
         {{66, 3, 0, nullptr, 0,
           As<AudioFadeMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.fadeTime, 1.0f);
                   EXPECT_EQ(m.targetVolume, 0.5f);
                   EXPECT_TRUE(m.pauseAfterFade);
               })}}},
        {"Audio.ResponseOnSelect(3, 8)", {{85, 3, 8, nullptr, 0, nullptr}}},
        {"Graphics.FadeTo(0.25, 0.5, 0.75, 2)",
         {{58, 0, 0, "GraphicsSystem", 0,
           As<SetBackgroundFadeToMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.color, Colour);
                   EXPECT_EQ(m.duration, 2.0f);
               })}}},
        {"Camera.MountMessage(3, 8, 9)",
         {{38, 3, 0, "CameraSystem", 0,
           As<CameraMountMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.firstObjectId, 8u);
                   EXPECT_EQ(m.secondObjectId, 9u);
               })}}},
        {"Camera.Cycle(3)",
         {{37, 3, 0, "CameraSystem", 0,
           As<CameraCycleMessage>([](auto& m) { EXPECT_TRUE(m.next); })}}},
        // The delay is the second argument.
        {"Camera.Shake(2, 0.5, 4, true)",
         {{39, 0, 0, "CameraSystem", 0.5f,
           As<CameraShakeMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.magnitude, 2.0f);
                   EXPECT_EQ(m.duration, 4.0f);
                   EXPECT_TRUE(m.fade);
               })}}},
        {"Camera.SwitchTo(3, 8)",
         {{40, 3, 0, "CameraSystem", 0,
           As<CameraSwitchMessage>([](auto& m) { EXPECT_EQ(m.camera, 8u); })}}},
        {"Logic.SetControllerID(3, 8, 2, 1.5)",
         {{79, 3, 8, nullptr, 1.5f,
           As<SetPlayerNumberMessage>([](auto& m) { EXPECT_EQ(m.playerNumber, 2u); })}}},
        {"Logic.KillAI(3)", {{81, 3, 0, "AISystem", 0, nullptr}}},
        {"Logic.IncrementPlayerDeath()", {{82, 0, 0, nullptr, 0, nullptr}}},
        {"Logic.RevivePlayers()", {{87, 0, 0, nullptr, 0, nullptr}}},
        {"AttachPropertyEditor(3, 8, true)",
         {{91, 3, 0, "ToolsSystem", 0,
           As<AttachPropertyEditorMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.objectId, 8u);
                   EXPECT_EQ(m.keepOpen, 1);
               })}}},
        {"DetachPropertyEditor(3)", {{92, 3, 0, "ToolsSystem", 0, nullptr}}},
        // The particle editor first, then the property editor kept open.
        {"AttachParticleEditor(3, 8)",
         {{93, 3, 0, "ToolsSystem", 0,
           As<AttachParticleEditorMessage>([](auto& m) { EXPECT_EQ(m.objectId, 8u); })},
          {91, 3, 0, "ToolsSystem", 0,
           As<AttachPropertyEditorMessage>(
               [](auto& m)
               {
                   EXPECT_EQ(m.objectId, 8u);
                   EXPECT_EQ(m.keepOpen, 1);
               })}}},
        {"DetachParticleEditor(3, 5)",
         {{94, 3, 0, "ToolsSystem", 0, nullptr}, {92, 3, 0, "ToolsSystem", 0, nullptr}}},
    };
    return rows;
}
} // namespace

TEST_F(ScriptEntries, EveryPostingEntryQueuesItsMessage)
{
    for (const Row& row : PostingRows())
    {
        SCOPED_TRACE(row.call);
        const std::vector<Message*>& messages = Post(std::string(row.call));
        ASSERT_EQ(messages.size(), row.messages.size());
        for (std::size_t i = 0; i < messages.size(); ++i)
        {
            const Message& message = *messages[i];
            const Expected& expected = row.messages[i];
            EXPECT_EQ(message.type, expected.type);
            EXPECT_EQ(message.senderId, expected.sender);
            EXPECT_EQ(message.targetObjectId, expected.target);
            EXPECT_EQ(message.targetSystem,
                      expected.system != nullptr ? expected.system : Message::NoSystem);
            EXPECT_EQ(message.delay, expected.delay);
            if (expected.fields)
                expected.fields(message);
        }
    }
}

// Creation entries answer the new id at once; the object exists only when the message is
// delivered, and later messages can already address it.
TEST_F(ScriptEntries, CreationEntriesAnswerTheIdBeforeTheObjectExists)
{
    const auto& created = Post("id = Engine.CreateObject(3, 'Cursor') return id");
    const u32 id = static_cast<u32>(lua_tointeger(lua.state, 1));
    ASSERT_EQ(created.size(), 1u);
    auto* create = dynamic_cast<ObjectCreateMessage*>(created[0]);
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->objectId, id);
    EXPECT_EQ(create->archetype, "Cursor");
    EXPECT_EQ(engine.GetFactory()->FindObject(id), nullptr);

    const auto& delayed = Post("return Engine.CreateObjectDelayed(3, 'Crate', 1.5)");
    ASSERT_EQ(delayed.size(), 1u);
    EXPECT_EQ(delayed[0]->delay, 1.5f);
    EXPECT_GT(static_cast<u32>(lua_tointeger(lua.state, 1)), id);

    const auto& mounted = Post("return Object.MountToObject(3, 8, 'Hat'), "
                               "Object.MountToBone(3, 8, 2, 'Sword')");
    ASSERT_EQ(mounted.size(), 2u);
    auto* mount = dynamic_cast<MountObjectCreateMessage*>(mounted[0]);
    auto* bone = dynamic_cast<BoneMountObjectCreateMessage*>(mounted[1]);
    ASSERT_TRUE(mount != nullptr && bone != nullptr);
    EXPECT_EQ(mount->objectId, static_cast<u32>(lua_tointeger(lua.state, 1)));
    EXPECT_EQ(mount->offset, Math::Point4(0, 0, 0, 1));
    EXPECT_EQ(mount->targetObjectId, 8u);
    EXPECT_EQ(bone->objectId, static_cast<u32>(lua_tointeger(lua.state, 2)));
    EXPECT_EQ(bone->boneIndex, 2u);
    EXPECT_EQ(bone->archetype, "Sword");
}

TEST_F(ScriptEntries, DestroyParentOfSparesTheCursorAndDestroyRecentObjectsActsAtOnce)
{
    GameObject* cursor = Create("Cursor");
    GameObject* test = Create("GameStateTest");
    GameObject* crate = Create("Crate");
    const u32 crateId = crate->GetId();
    const auto componentOf = [](GameObject* object)
    { return std::to_string(object->GetComponentList().front().component->GetId()); };

    EXPECT_TRUE(Post("Engine.DestroyParentOf(3, " + componentOf(cursor) + ")").empty());
    EXPECT_TRUE(Post("Engine.DestroyParentOf(3, " + componentOf(test) + ")").empty());
    EXPECT_TRUE(Post("Engine.DestroyParentOf(3, 999999)").empty());
    const auto& destroy = Post("Engine.DestroyParentOf(3, " + componentOf(crate) + ")");
    ASSERT_EQ(destroy.size(), 1u);
    EXPECT_EQ(static_cast<ObjectDestroyMessage*>(destroy[0])->objectId, crateId);

    EXPECT_TRUE(
        Post("Engine.DestroyRecentObjects(0, " + std::to_string(test->GetId()) + ")").empty());
    EXPECT_NE(engine.GetFactory()->FindObject(cursor->GetId()), nullptr);
    EXPECT_EQ(engine.GetFactory()->FindObject(crateId), nullptr);
}

TEST_F(ScriptEntries, PlayersAndMouseFollowTheInputSystem)
{
    EXPECT_EQ(lua.Number("return Input.GetNumberOfPlayers()"), 1) << "no input system";
    EXPECT_TRUE(lua.Bool("GameState.SetActivePlayers(2) return GameState.UsingMouse()"));

    FakeWindowLayer layer;
    Core::System::InputSystem input;
    EXPECT_EQ(lua.Number("return Input.GetNumberOfPlayers()"), 1) << "no controller";
    EXPECT_TRUE(lua.Bool("GameState.SetActivePlayers(2) return GameState.UsingMouse()"));
    layer.PlugController(0);
    layer.PlugController(3);
    input.Update(Core::System::InputSystem::ControllerCheckInterval);
    EXPECT_EQ(lua.Number("return Input.GetNumberOfPlayers()"), 2);
    EXPECT_TRUE(lua.Bool("GameState.SetActivePlayers(0) return GameState.UsingMouse()"));
    EXPECT_FALSE(lua.Bool("GameState.SetActivePlayers(2) return GameState.UsingMouse()"));
}

TEST_F(ScriptEntries, AssetBatchesLoadThroughTheLoaderOrAreReported)
{
    EXPECT_TRUE(lua.Run("AssetLoader.LoadAssetBatch('Level1', false)"));
    EXPECT_TRUE(log.Contains("there is no asset loader; batch Level1 is not loaded"));

    Core::System::AssetLoaderSystem loader;
    // No thread pool: the background load is refused and the batch loaded at once. Either way
    // the batch-loaded message comes.
    for (const char* call : {"AssetLoader.LoadAssetBatch('Missing', false)",
                             "AssetLoader.LoadAssetBatch('Missing', true)"})
    {
        const auto& messages = Post(call);
        ASSERT_FALSE(messages.empty()) << call;
        EXPECT_EQ(messages.back()->type, static_cast<u32>(MT_ASSET_BATCH_LOADED)) << call;
    }
    EXPECT_TRUE(log.Contains("batch Missing could not be loaded in the background"));
}

// Every at-once entry without its system does nothing, answers 0 and posts nothing.
TEST_F(ScriptEntries, AtOnceEntriesWithoutHooksAnswerZero)
{
    Create("Player");
    const auto& posted = Post(
        "GameState.AddButton('m', 'f', 'n', 1, 2, -1, 1) "
        "local hud = GameState.AddHudElement('m', 't', 1, 2, 0, 0, 0, 0) "
        "GameState.SetHudElementPos(5, 1, 2) GameState.ChangeHudElementTexture(5, 'm') "
        "GameState.StopSingleHighlight() GameState.SetButtonVisibility('n', 0) "
        "GameState.GoToPreviousPage() "
        "Graphics.CreateSkybox('Sky') Graphics.ToggleFullScreen() "
        "Graphics.DestroyParticleEffects() Graphics.SetFade(0, 0, 0) Graphics.HideHud() "
        "Graphics.ShowHud() Camera.MakeSafe() "
        "Logic.BroadcastVictory() Logic.BroadcastDefeat() Logic.HealPlayers() "
        "Object.StunSelf(5, 2) Object.StunSelfDelayed(5, 2, 1) "
        "for _, test in pairs(Geometry) do test() end "
        "return hud + Camera.CreateCursor() + Logic.GetAICount() + Logic.GetLivingPlayerCount() "
        "+ Logic.GetSpawnerCount()");
    EXPECT_EQ(lua_tonumber(lua.state, 1), 0);
    EXPECT_TRUE(posted.empty());
}

TEST_F(ScriptEntries, AtOnceEntriesReachTheirSystems)
{
    FakeWindowLayer layer;
    // Not initialised: no settings script, no window until the entry switches to full screen.
    Graphics::System::GraphicsSystem graphics;
    Graphics::System::ParticleEffectSystem particles;
    Graphics::System::CameraSystem cameras;
    cameras.Initialize(0);
    AI::System::AISystem ai;

    EXPECT_GT(lua.Number("return Camera.CreateCursor()"), 0) << "the cursor object's id";
    Post("Graphics.CreateSkybox('Sky') Graphics.ToggleFullScreen() "
         "Graphics.DestroyParticleEffects() Graphics.SetFade(0, 0.5, 1) Graphics.HideHud()");
    EXPECT_TRUE(graphics.IsFullScreen());
    EXPECT_TRUE(particles.GetEffects().empty());
    const f32 fades[] = {0.0f, 0.5f, 1.0f};
    for (int channel = 0; channel < Graphics::System::GraphicsSystem::FadeChannelCount; ++channel)
        EXPECT_EQ(
            graphics.GetFade(static_cast<Graphics::System::GraphicsSystem::FadeChannel>(channel)),
            fades[channel]);
    EXPECT_FALSE(graphics.IsHudShown());
    Post("Graphics.ShowHud() Camera.MakeSafe()");
    EXPECT_TRUE(graphics.IsHudShown());
    EXPECT_NE(cameras.GetActiveCamera(), nullptr);

    // Six computer-controlled characters and two spawners, as the AI system counts them.
    for (int i = 0; i < 6; ++i)
        Create("Enemy")->AddComponent(new AI::AIControllerComponent());
    for (int i = 0; i < 2; ++i)
        Create("Spawner")->AddComponent(new AI::AISpawnComponent());
    EXPECT_EQ(lua.Number("return Logic.GetAICount() * 10 + Logic.GetSpawnerCount()"), 62);

    // Without the testing subsystem registered the geometry checks do nothing.
    EXPECT_TRUE(lua.Run("for _, test in pairs(Geometry) do test() end")) << lua.error;
}

// The stun entries hand a stun effect to the object itself; an undelivered message destroys
// the effect it carries.
TEST_F(ScriptEntries, StunSelfHandsItsEffectToTheObject)
{
    StartLogic();
    const auto& posted = Post("Object.StunSelfDelayed(9, 2, 1.5)");
    ASSERT_EQ(posted.size(), 1u);
    auto* add = dynamic_cast<AddComponentMessage*>(posted[0]);
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->senderId, 9u);
    EXPECT_EQ(add->targetObjectId, 9u);
    EXPECT_EQ(add->delay, 1.5f);
    EXPECT_EQ(add->checkId, 0u);
    ASSERT_NE(add->component, nullptr);
    EXPECT_EQ(add->component->GetName(), "StunEffectComponent");
    held.clear();
}

TEST_F(ScriptEntries, VictoryDefeatAndTheLivingReachThePlayersInOrder)
{
    StartLogic();
    EXPECT_TRUE(
        Post("Logic.BroadcastVictory() Logic.BroadcastDefeat() Logic.HealPlayers()").empty())
        << "no players";

    const u32 first = Player()->GetId();
    GameObject* dead = Player();
    dead->AddComponent(new DeathEffectProbe());
    // A controller on no object lists a player whose object cannot be found.
    auto loose = std::make_unique<Logic::SimpleControllerComponent>();
    const u32 missing = 0;
    const std::vector<u32> players = {first, dead->GetId(), missing};
    ASSERT_EQ(Logic::System::LogicSystem::PlayerObjectIds(), players);
    EXPECT_EQ(lua.Number("return Logic.GetLivingPlayerCount()"), 1);

    const auto& posted = Post("Logic.BroadcastVictory() Logic.BroadcastDefeat()");
    ASSERT_EQ(posted.size(), 6u);
    const f32 delays[] = {0, 1, 2, 0, 2, 4};
    for (std::size_t i = 0; i < posted.size(); ++i)
    {
        EXPECT_EQ(posted[i]->type, i < 3 ? 83u : 84u);
        EXPECT_EQ(posted[i]->senderId, 0u);
        EXPECT_EQ(posted[i]->targetObjectId, players[i % 3]);
        EXPECT_EQ(posted[i]->delay, delays[i]);
    }
}

// One heal at full health (pass 0 fits exactly), three 100 below, none without a container.
TEST_F(ScriptEntries, HealPlayersSchedulesTheHealsThatFit)
{
    StartLogic();
    GameObject* full = Player();
    GiveHealth(full, 100, 100);
    GameObject* hurt = Player();
    GiveHealth(hurt, 50, 150);
    Player();
    const auto& posted = Post("Logic.HealPlayers()");
    const std::vector<std::pair<u32, f32>> heals = {
        {full->GetId(), 0}, {hurt->GetId(), 0}, {hurt->GetId(), 0.5f}, {hurt->GetId(), 1.0f}};
    ASSERT_EQ(posted.size(), 2 * heals.size());
    for (std::size_t i = 0; i < posted.size(); ++i)
    {
        auto* add = dynamic_cast<AddComponentMessage*>(posted[i]);
        ASSERT_NE(add, nullptr);
        EXPECT_EQ(add->senderId, 0u);
        EXPECT_EQ(add->targetObjectId, heals[i / 2].first);
        EXPECT_EQ(add->delay, heals[i / 2].second);
        ASSERT_NE(add->component, nullptr);
        // Each heal is a floating "50" and then a health effect of -50 (applied negated).
        EXPECT_EQ(add->component->GetName(),
                  i % 2 == 0 ? "FloatingTextEffectComponent" : "HealthEffectComponent");
    }
    const auto* text = dynamic_cast<const Logic::FloatingTextEffectComponent*>(
        static_cast<AddComponentMessage*>(posted[0])->component);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), "50");
}

// The fixture script calls one entry of each table through a loaded script component.
TEST(ScriptApiFixture, AScriptCallsEveryTable)
{
    std::ifstream file("tests/ScriptApi/Scripts/EveryTable.lua");
    ASSERT_TRUE(file.is_open()) << "run from the source root";
    std::stringstream text;
    text << file.rdbuf();

    LogCapture log;
    Engine engine;
    Core::RegisterCore(engine);
    ScratchScriptFolder folder;
    ASSERT_TRUE(folder.IsReady());
    folder.Write("EveryTable.lua", text.str());
    Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
    ASSERT_NE(script, nullptr);
    EXPECT_TRUE(script->Load("EveryTable.lua")) << log.Text();

    s32 players = 0;
    s32 living = -1;
    s32 echoed = 0;
    EXPECT_TRUE(script->GetGlobalInt("players", players));
    EXPECT_TRUE(script->GetGlobalInt("living", living));
    EXPECT_TRUE(script->GetGlobalInt("echoed", echoed));
    EXPECT_EQ(players, 1);
    EXPECT_EQ(living, 0);
    EXPECT_EQ(echoed, 7);
    EXPECT_TRUE(log.Contains("Ran test function"));
    EXPECT_TRUE(log.Contains("every table: done"));
    Scripting::LuaComponent::Destroy(script);

    std::vector<u32> types;
    for (auto& [message, delay] : engine.TakeHeldMessages())
    {
        types.push_back(message->type);
        DestroyMessage(message);
    }
    EXPECT_EQ(types, (std::vector<u32>{91, 1, 25, 28, 32, 74, 90, 21, 65, 58, 37}));
}