// The Logic and Geometry tables and the editor entries of the global table: how the match
// stands (computer-controlled characters, living players, spawners) and how it ends, the
// geometry self-tests, and the property and particle editors. Counts, the player list, the
// effect set-up and the self-tests come from the logic, AI and testing subsystems, called
// directly; without them the counts are 0 and there are no players.
#include "AI/AISystem.h"
#include "Core/Engine.h"
#include "Core/Messages/Editor/AttachParticleEditorMessage.h"
#include "Core/Messages/Editor/AttachPropertyEditorMessage.h"
#include "Core/Messages/Editor/DetachParticleEditorMessage.h"
#include "Core/Messages/Editor/DetachPropertyEditorMessage.h"
#include "Core/Messages/Gameplay/DefeatMessage.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Core/Messages/Gameplay/ReviveDeadPlayersMessage.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Gameplay/VictoryMessage.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/SystemFactory.h"
#include "Logic/LogicSystem.h"
#include "Math/Point4.h"
#include "Math/Types.h"
#include "ScriptApi/ScriptApiTables.h"
#include "Scripting/CallThunk.h"
#include "Testing/GeometryTests.h"
#include <string>
#include <vector>

namespace Scripting
{
namespace
{
constexpr const char* AISystemName = "AISystem";
constexpr const char* ToolsSystemName = "ToolsSystem";
// The geometry checks run in a program that registered the testing subsystem under this name.
constexpr const char* TestingSystemName = "TestingSystem";
// A player whose object holds this component is dead.
constexpr const char* DeathEffectType = "DeathEffectComponent";
constexpr const char* HealthEffectType = "HealthEffectComponent";
constexpr u32 NoTarget = 0;
constexpr u32 NoSender = 0;

// Victory reaches the players one second apart, defeat two.
constexpr f32 VictoryStep = 1.0f;
constexpr f32 DefeatStep = 2.0f;

// Logic.HealPlayers: up to ten heals of 50 per player, half a second apart. A heal is a
// floating "50" shown for a second and a short health effect whose value is negated when it is
// applied (so -50 adds 50).
constexpr u32 HealPasses = 10;
constexpr f32 HealAmount = 50.0f;
constexpr f32 HealStep = 0.5f;
constexpr f32 HealTextDuration = 1.0f;
constexpr const char* HealText = "50";
constexpr f32 HealEffectDuration = 0.1f;

using AI::System::AISystem;
using Logic::System::FloatingTextSetup;
using Logic::System::LogicSystem;

// Every logic entry asks the logic system; without it there are no players.
std::vector<u32> Players()
{
    return LogicSystem::Instance() != nullptr ? LogicSystem::PlayerObjectIds() : std::vector<u32>();
}

s32 GetAICount()
{
    const AISystem* ai = AISystem::Instance();
    return ai != nullptr ? static_cast<s32>(ai->GetAIControllers().size()) : 0;
}

// Players whose object exists and holds no death effect; a missing object is skipped.
s32 GetLivingPlayerCount()
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
        return 0;
    s32 living = 0;
    for (u32 id : Players())
    {
        const GameObject* player = factory->FindObject(id);
        if (player == nullptr)
            continue;
        bool dead = false;
        for (const GameObject::ComponentEntry& entry : player->GetComponentList())
            dead = dead || entry.component->GetName() == DeathEffectType;
        living += dead ? 0 : 1;
    }
    return living;
}

s32 GetSpawnerCount()
{
    const AISystem* ai = AISystem::Instance();
    return ai != nullptr ? static_cast<s32>(ai->CountSpawners()) : 0;
}

void SetControllerID(u32 sender, u32 target, u32 player, f32 delay)
{
    Api::PostNew<SetPlayerNumberMessage>(delay, sender, player, target);
}

void KillAI(u32 sender)
{
    Api::PostNew<KillAIMessage>(0.0f, sender, std::string(AISystemName));
}

// A plain message of the player-death type that every system sees.
void IncrementPlayerDeath()
{
    Api::PostNew<Message>(0.0f, NoSender, static_cast<u32>(MT_PLAYER_DIED), NoTarget,
                          static_cast<u32>(sizeof(Message)));
}

void BroadcastVictory()
{
    f32 delay = 0.0f;
    for (u32 id : Players())
    {
        Api::PostNew<VictoryMessage>(delay, NoSender, id);
        delay += VictoryStep;
    }
}

void BroadcastDefeat()
{
    f32 delay = 0.0f;
    for (u32 id : Players())
    {
        Api::PostNew<DefeatMessage>(delay, NoSender, id);
        delay += DefeatStep;
    }
}

void RevivePlayers()
{
    Api::PostNew<ReviveDeadPlayersMessage>(0.0f, NoSender, Message::NoSystem);
}

// Pass r heals every player whose health plus r heals still fits under its maximum, so a
// player at full health gets the heal of pass 0 only. Health is read now, at call time; a
// player without an object or a health container is skipped.
void HealPlayers()
{
    static const Math::Point4 TextFirst(0.0f, 1.0f, 0.0f, 2.0f);
    static const Math::Point4 TextSecond(0.0f, 1.0f, 0.0f, 0.0f);
    static const Math::Point4 TextThird(1.0f, 1.0f, 1.0f, 2.0f);
    const FloatingTextSetup text{HealTextDuration, HealText,  TextFirst,
                                 TextSecond,       TextThird, /*temporary=*/true};

    const std::vector<u32> players = Players();
    for (u32 pass = 0; pass < HealPasses; ++pass)
    {
        const f32 delay = HealStep * static_cast<f32>(pass);
        for (u32 id : players)
        {
            f32 current = 0.0f;
            f32 maximum = 0.0f;
            if (!LogicSystem::HealthOf(id, current, maximum) ||
                current + HealAmount * static_cast<f32>(pass) > maximum)
                continue;
            Api::PostComponent(NoSender, LogicSystem::MakeFloatingText(text), id, delay);
            Api::PostComponent(NoSender,
                               LogicSystem::MakeEffect(HealthEffectType, HealEffectDuration,
                                                       -HealAmount, /*temporary=*/false),
                               id, delay);
        }
    }
}

bool TestingRegistered()
{
    if (g_Engine == nullptr)
        return false;
    for (const SystemFactory::Entry& entry : g_Engine->GetSystemFactory().GetEntries())
    {
        if (entry.name == TestingSystemName)
            return true;
    }
    return false;
}

template <Testing::GeometryTest Test> void RunGeometryTest()
{
    if (TestingRegistered())
        Testing::RunGeometryTest(Test);
}

// Editor entries: every message goes to the tools system.
void AttachPropertyEditor(u32 sender, u32 objectId, bool keepOpen)
{
    Api::PostNew<AttachPropertyEditorMessage>(
        0.0f, sender, objectId, static_cast<u08>(keepOpen ? 1 : 0), std::string(ToolsSystemName));
}

void DetachPropertyEditor(u32 sender)
{
    Api::PostNew<DetachPropertyEditorMessage>(0.0f, sender, std::string(ToolsSystemName));
}

// The particle editor opens first, then the property editor, kept open, on the same object.
void AttachParticleEditor(u32 sender, u32 objectId)
{
    Api::PostNew<AttachParticleEditorMessage>(0.0f, sender, objectId, std::string(ToolsSystemName));
    AttachPropertyEditor(sender, objectId, true);
}

void DetachParticleEditor(u32 sender, s32)
{
    Api::PostNew<DetachParticleEditorMessage>(0.0f, sender, std::string(ToolsSystemName));
    DetachPropertyEditor(sender);
}
} // namespace

namespace Api
{
void BindEditorEntries(const Namespace& table)
{
    BindFunction<&AttachPropertyEditor>(table, "AttachPropertyEditor");
    BindFunction<&DetachPropertyEditor>(table, "DetachPropertyEditor");
    BindFunction<&AttachParticleEditor>(table, "AttachParticleEditor");
    BindFunction<&DetachParticleEditor>(table, "DetachParticleEditor");
}

void FillLogicTable(const Namespace& table)
{
    BindFunction<&GetAICount>(table, "GetAICount");
    BindFunction<&GetLivingPlayerCount>(table, "GetLivingPlayerCount");
    BindFunction<&GetSpawnerCount>(table, "GetSpawnerCount");
    BindFunction<&SetControllerID>(table, "SetControllerID");
    BindFunction<&KillAI>(table, "KillAI");
    // Death counts are kept by game logic itself; the entry accepts and ignores its values.
    BindFunction<&NoOp<s32, s32, s32>>(table, "SetDeathCounter");
    BindFunction<&IncrementPlayerDeath>(table, "IncrementPlayerDeath");
    BindFunction<&BroadcastVictory>(table, "BroadcastVictory");
    BindFunction<&BroadcastDefeat>(table, "BroadcastDefeat");
    BindFunction<&RevivePlayers>(table, "RevivePlayers");
    BindFunction<&HealPlayers>(table, "HealPlayers");
}

void FillGeometryTable(const Namespace& table)
{
    BindFunction<&RunGeometryTest<Testing::GeometryTest::Quaternions>>(table, "TestQuaternions");
    BindFunction<&RunGeometryTest<Testing::GeometryTest::CursorSpheres>>(table,
                                                                         "TestCursorSpheres");
    BindFunction<&RunGeometryTest<Testing::GeometryTest::DistCircle3Circle3>>(
        table, "TestDistCircle3Circle3");
    BindFunction<&RunGeometryTest<Testing::GeometryTest::DistLine3Circle3>>(table,
                                                                            "TestDistLine3Circle3");
    BindFunction<&RunGeometryTest<Testing::GeometryTest::GroundPlane>>(table, "TestGroundPlane");
    BindFunction<&RunGeometryTest<Testing::GeometryTest::CameraFrustum>>(table,
                                                                         "TestCameraFrustum");
}
} // namespace Api
} // namespace Scripting
