// Covers: AbilityComponent, DamageModifierComponent, AudioResponseComponent.
// One ability hit through a real physics step, and the sounds the game rules ask for on the way:
// a character fires a bolt that flies into an enemy's sphere; the physics system's contact
// (not a posted message) lowers the enemy's health by the script's damage. The character's
// audio response plays the slot's ability sound and, for the hit that kills the last enemy,
// "OnFinalKill"; the enemy's plays "OnDamaged" for each hit and "OnDeath" once.
#include "Audio/AudioRegistration.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/LogicServices.h"
#include "Logic/Modifiers/DamageModifierComponent.h"
#include "Physics/PhysicsRegistration.h"
#include "Physics/PhysicsSystem.h"
#include "tests/Logic/LogicWorld.h"
#include <sstream>
#include <string>

namespace
{
const char* const BoltScript = R"(
DamageModifier = { value = 12, timeToLast = 0.5, isTemporary = false }
Ability = { lifetime = 3, moveRate = 10, numObjsToHit = 1 }
lastBolt = 0
function ActivateAbility(character)
  lastBolt = Engine.CreateObject(character, "TestBolt")
  return true
end
function GetModifierCount() return 1 end
function GetModifier(i) return "DamageModifierComponent" end
function OnCollide(bolt, other) end
)";

// Every event writes "<who> heard <event>" to the log; no sounds are listed.
std::string ResponseScript(const std::string& who)
{
    return "local function Note(name) Engine.Output(\"" + who +
           " heard \" .. name) end\n"
           "function GetAudioCount() return 0 end\n"
           "function OnLoad() end\n"
           "function OnAbility0() Note(\"OnAbility0\") end\n"
           "function OnDamaged() Note(\"OnDamaged\") end\n"
           "function OnDeath() Note(\"OnDeath\") end\n"
           "function OnFinalKill() Note(\"OnFinalKill\") end\n";
}

constexpr int MaxSteps = 8;
constexpr f32 StepSeconds = 0.125f;

u32 g_aiControllers = 0;
u32 AIControllers()
{
    return g_aiControllers;
}

std::string Sphere(f32 radius)
{
    return "<SphereColliderComponent><enabled>1</enabled><Category>0</Category><Mask>0</Mask>"
           "<radius>" +
           std::to_string(radius) + "</radius></SphereColliderComponent>";
}

class HitResponse : public LogicWorld
{
protected:
    void SetUp() override
    {
        WriteScript("Abilities/Bolt.lua", BoltScript);
        WriteScript("Audio/Character.lua", ResponseScript("character"));
        WriteScript("Audio/Enemy.lua", ResponseScript("enemy"));
        Start();
        Audio::RegisterAudio(*engine);
        Physics::RegisterPhysics(*engine);
        physics = static_cast<Physics::System::PhysicsSystem*>(engine->AddSystem("PhysicsSystem"));
        ASSERT_NE(physics, nullptr);
        Logic::Services().aiControllerCount.Install(&AIControllers);

        auto response = [](const std::string& file) {
            return "<AudioResponseComponent><Script>" + file + "</Script></AudioResponseComponent>";
        };
        // Writing the definition makes one bolt, which is not wanted in the way.
        Factory().DestroyObject(Make("TestBolt", "<TransformComponent/>" + Sphere(0.5f) +
                                                     "<ProjectileAbilityComponent/>")
                                    ->GetId());
        character = Make("TestCharacter",
                         "<TransformComponent/><AbilityComponent><filename>Abilities/Bolt.lua"
                         "</filename><scriptName>Bolt</scriptName></AbilityComponent>"
                         "<SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>" +
                             response("Audio/Character.lua"));
        // Ahead of the character on its facing (+z), out of the bolt's reach at the spawn.
        enemy = Make("TestEnemy",
                     "<TransformComponent><position X=\"0\" Y=\"0\" Z=\"3.5\"/>"
                     "</TransformComponent>" +
                         Sphere(1.0f) +
                         "<ControllerProbe/><DamageContainerComponent><f32>0</f32><f32>0</f32>"
                         "<f32>1000</f32></DamageContainerComponent><HealthContainerComponent>"
                         "<f32>20</f32><f32>0</f32><f32>20</f32></HealthContainerComponent>" +
                         response("Audio/Enemy.lua"));
        ASSERT_NE(character, nullptr);
        ASSERT_NE(enemy, nullptr);
        enemyId = enemy->GetId();
    }
    void TearDown() override
    {
        Logic::Services().aiControllerCount.Remove(&AIControllers);
        LogicWorld::TearDown();
    }

    // Fires and lets the bolt fly until a physics contact ends it, then lets the hit's effects
    // apply; true when the bolt was ended by a contact.
    bool FireAndFly()
    {
        auto* controller = character->GetComponent<Logic::SimpleControllerComponent>();
        EXPECT_TRUE(controller->ActivateSelectedAbility()) << log.Text();
        s32 bolt = 0;
        controller->GetSelectedAbilityScript()->GetGlobalInt("lastBolt", bolt);
        Deliver();
        const u32 boltId = static_cast<u32>(bolt);
        EXPECT_NE(Find(boltId), nullptr);
        // 1.25 units a step: the third step carries it into the enemy's sphere.
        for (int step = 0; step < MaxSteps && Find(boltId) != nullptr; ++step)
        {
            Tick(StepSeconds);
            Deliver();
            physics->Step(Physics::System::PhysicsSystem::FixedStep);
            Deliver();
        }
        const bool hit = Find(boltId) == nullptr;
        Tick(0.0f);
        Deliver();
        return hit;
    }
    // The events heard, in order, as "<who> heard <event>" lines.
    std::string Heard() const
    {
        std::string heard;
        std::istringstream lines(log.Text());
        for (std::string line; std::getline(lines, line);)
        {
            if (line.find(" heard ") != std::string::npos)
                heard += line.substr(line.find_first_not_of(' ')) + "; ";
        }
        return heard;
    }

    Physics::System::PhysicsSystem* physics = nullptr;
    GameObject* character = nullptr;
    GameObject* enemy = nullptr;
    u32 enemyId = 0;
};

TEST_F(HitResponse, APhysicsContactDamagesTheEnemyAndTheResponsesAnswerEachStep)
{
    g_aiControllers = 1;
    EXPECT_TRUE(FireAndFly()) << "a physics step found the contact";
    EXPECT_EQ(enemy->GetComponent<Logic::HealthContainerComponent>()->GetCurrentStorage(), 8.0f)
        << log.Text();
    EXPECT_EQ(Heard(), "character heard OnAbility0; enemy heard OnDamaged; ")
        << "12 does not kill at 20";

    EXPECT_TRUE(FireAndFly());
    EXPECT_EQ(Find(enemyId), nullptr) << "the second bolt killed the enemy";
    EXPECT_EQ(Heard(), "character heard OnAbility0; enemy heard OnDamaged; "
                       "character heard OnAbility0; character heard OnFinalKill; "
                       "enemy heard OnDamaged; enemy heard OnDeath; ");
    EXPECT_TRUE(log.Contains("Adding component type: DamageModifierComponent to ability"));
}

TEST_F(HitResponse, AKillWhileOtherEnemiesLiveIsNoFinalKill)
{
    g_aiControllers = 2;
    enemy->GetComponent<Logic::HealthContainerComponent>()->Add(-10.0f);
    EXPECT_TRUE(FireAndFly());
    EXPECT_EQ(Find(enemyId), nullptr);
    EXPECT_EQ(Heard(), "character heard OnAbility0; enemy heard OnDamaged; enemy heard OnDeath; ");
}
// The last enemy's death is the final kill, not a player's: a blow that fells a player while one
// enemy lives announces nothing (an enemy's response has no final kill to play).
TEST_F(HitResponse, APlayerFelledWhileOneEnemyLivesIsNoFinalKill)
{
    g_aiControllers = 1;
    Factory().DestroyObject(enemyId);
    Deliver();
    GameObject* player =
        Make("TestPlayer", "<TransformComponent><position X=\"0\" Y=\"0\" Z=\"3.5\"/>"
                           "</TransformComponent>" +
                               Sphere(1.0f) +
                               "<SimpleControllerComponent><s32>1</s32></SimpleControllerComponent>"
                               "<HealthContainerComponent><f32>5</f32><f32>0</f32><f32>20</f32>"
                               "</HealthContainerComponent>");
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(FireAndFly());
    EXPECT_LE(player->GetComponent<Logic::HealthContainerComponent>()->GetCurrentStorage(), 0.0f)
        << log.Text();
    EXPECT_EQ(Heard(), "character heard OnAbility0; ");
}
// A felled enemy is gone once its destroy is delivered; a blow whose contact is handled after the
// fall (another ability's, in the same frame of a crowd) gives it no effect, which would reach an
// object that no longer exists.
TEST_F(HitResponse, ABlowOnAnEnemyAlreadyFelledGivesItNoEffect)
{
    g_aiControllers = 2;
    enemy->GetComponent<Logic::HealthContainerComponent>()->Add(-20.0f);
    GameObject* blow = Make("TestBlow", "");
    auto* damage = static_cast<Logic::DamageModifierComponent*>(
        Factory().CreateComponent("DamageModifierComponent"));
    blow->AddComponent(damage);
    damage->SetMaximumStorage(12.0f);
    damage->Add(12.0f);
    CollideMessage contact(blow->GetId(), Math::Vector4(0.0f, 0.0f, 1.0f, 0.0f), enemyId, true,
                           blow->GetId());
    damage->OnCollide(contact);
    Deliver();
    EXPECT_EQ(Find(enemyId), nullptr);
    EXPECT_FALSE(log.Contains("could not be located")) << log.Text();
    EXPECT_EQ(Heard(), "enemy heard OnDeath; ");
}
} // namespace
