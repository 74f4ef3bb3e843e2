// Covers: AbilityComponent, SimpleControllerComponent, DamageModifierComponent.
// The road of one ability hit, headless with real Lua: a character read from a definition fires
// its selected ability; the ability script spawns a projectile that takes its lifetime, speed
// and damage from the script; a collision naming an enemy ends the projectile and takes the
// script's damage off the enemy's health. Collisions are posted by hand until colliders exist.
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Containers/LifetimeContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Modifiers/DamageModifierComponent.h"
#include "Logic/Movement/ConstantMoveComponent.h"
#include "tests/Logic/LogicWorld.h"
#include <tinyxml2.h>

namespace
{
const char* const BoltScript = R"(
DamageModifier = { value = 12, timeToLast = 0.5, isTemporary = false }
Ability = { lifetime = 3, moveRate = 10, numObjsToHit = 1 }
collisions = 0
lastBolt = 0
function ActivateAbility(character)
  lastBolt = Engine.CreateObject(character, "TestBolt")
  return true
end
function GetModifierCount() return 1 end
function GetModifier(i) return "DamageModifierComponent" end
function OnCollide(bolt, other) collisions = collisions + 1 end
)";

class AbilityRoad : public LogicWorld
{
protected:
    void SetUp() override
    {
        WriteScript("Abilities/Bolt.lua", BoltScript);
        Start();
        Make("TestBolt", "<TransformComponent/><ProjectileAbilityComponent/>");
        character = Make("TestCharacter",
                         "<TransformComponent/><AbilityComponent><filename>Abilities/Bolt.lua"
                         "</filename><scriptName>Bolt</scriptName></AbilityComponent>"
                         "<SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>");
        enemy =
            Make("TestEnemy", "<TransformComponent/><ControllerProbe/><HealthContainerComponent>"
                              "<f32>100</f32><f32>0</f32><f32>100</f32>"
                              "</HealthContainerComponent>");
        ASSERT_NE(character, nullptr);
        ASSERT_NE(enemy, nullptr);
        controller = character->GetComponent<Logic::SimpleControllerComponent>();
        ASSERT_NE(controller, nullptr);
        ASSERT_EQ(controller->GetAbilityCount(), 1u);
    }

    // Fires the selected ability and delivers the spawn; the new projectile's id.
    u32 Fire()
    {
        EXPECT_TRUE(controller->ActivateSelectedAbility()) << log.Text();
        s32 bolt = 0;
        controller->GetSelectedAbilityScript()->GetGlobalInt("lastBolt", bolt);
        Deliver();
        return static_cast<u32>(bolt);
    }
    void Collide(u32 objectId, u32 otherId)
    {
        engine->SendMessage(
            new CollideMessage(0, Math::Vector4(1, 0, 0, 0), otherId, true, objectId), 0.0f);
        Deliver();
    }
    f32 EnemyHealth()
    {
        return enemy->GetComponent<Logic::HealthContainerComponent>()->GetCurrentStorage();
    }

    GameObject* character = nullptr;
    GameObject* enemy = nullptr;
    Logic::SimpleControllerComponent* controller = nullptr;
};

TEST_F(AbilityRoad, AProjectileHitLowersTheEnemysHealthByTheScriptsDamage)
{
    const u32 boltId = Fire();
    EXPECT_FALSE(controller->IsReady(0)) << "fired";
    GameObject* bolt = Find(boltId);
    ASSERT_NE(bolt, nullptr) << log.Text();
    EXPECT_EQ(bolt->GetCreatorId(), character->GetId());
    EXPECT_TRUE(log.Contains("Adding component type: DamageModifierComponent to ability"));
    const auto* lifetime = bolt->GetComponent<Logic::LifetimeContainerComponent>();
    ASSERT_NE(lifetime, nullptr);
    EXPECT_EQ(lifetime->GetMaximumStorage(), 3.0f);
    const auto* move = bolt->GetComponent<Logic::ConstantMoveComponent>();
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(move->GetMoveValue(), 10.0f);
    ASSERT_NE(bolt->GetComponent<Logic::DamageModifierComponent>(), nullptr);

    Tick(0.5f); // flies 5 units along its facing (+z)
    EXPECT_FLOAT_EQ(bolt->GetComponent<TransformComponent>()->GetPosition().z, 5.0f);

    Collide(boltId, enemy->GetId());
    EXPECT_EQ(Find(boltId), nullptr) << "the first contact ends a projectile";
    s32 collisions = 0;
    controller->GetSelectedAbilityScript()->GetGlobalInt("collisions", collisions);
    EXPECT_EQ(collisions, 1);
    Tick(0.1f); // the health effect applies
    EXPECT_EQ(EnemyHealth(), 88.0f);
}

TEST_F(AbilityRoad, AProjectileOutlivingItsCharacterStaysHarmless)
{
    const u32 boltId = Fire();
    ASSERT_NE(Find(boltId), nullptr);
    const std::size_t scripts = Scripting::System::LuaSystem::Instance()->GetScriptCount();
    Factory().DestroyObject(character->GetId());
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->GetScriptCount(), scripts - 1)
        << "the controller removed the script it collected";
    Tick(0.5f);
    Collide(boltId, enemy->GetId());
    EXPECT_EQ(Find(boltId), nullptr);
    Tick(0.1f);
    EXPECT_EQ(EnemyHealth(), 88.0f) << "the modifier was loaded at the spawn";
}

TEST_F(AbilityRoad, AnAbilityWithoutAControllerRemovesItsOwnScript)
{
    const std::size_t scripts = Scripting::System::LuaSystem::Instance()->GetScriptCount();
    GameObject* loner = Make("Loner", "<AbilityComponent><filename>Abilities/Bolt.lua</filename>"
                                      "<scriptName>Loner</scriptName></AbilityComponent>");
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->GetScriptCount(), scripts + 1);
    Factory().DestroyObject(loner->GetId());
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->GetScriptCount(), scripts);
}

// The game's own knight and bolt: the knight fires once, the bolt is set up from its script,
// and the script's cooldown refuses a second bolt at once.
TEST(ShippedAbilities, TheKnightFiresABolt)
{
    struct Shipped : LogicWorld
    {
        void TestBody() override {}
    } world;
    for (const char* file :
         {"assets/Scripts/Abilities/Bolt.lua", "assets/Scripts/Modules/Ability.lua",
          "assets/Objects/Bolt.xml", "assets/Objects/Knight.xml"})
        world.folder.Write(file, ReadFile(std::string(QUILL_ASSET_ROOT) + "/" + file));
    world.Start();
    GameObject* knight =
        Serializer::System::SerializerSystem::CreateObject(0, "Knight", Engine::GenerateId());
    ASSERT_NE(knight, nullptr);
    auto* controller = knight->GetComponent<Logic::SimpleControllerComponent>();
    ASSERT_NE(controller, nullptr);
    EXPECT_TRUE(controller->ActivateSelectedAbility()) << world.log.Text();
    EXPECT_FALSE(controller->ActivateSelectedAbility()) << "cooling down";
    world.Deliver();
    EXPECT_TRUE(world.log.Contains("Adding component type: DamageModifierComponent to ability"))
        << world.log.Text();
    world.TearDown();
}

// The new components write what they read: an object read from a definition, written, read
// back from what was written and written again gives the same text.
TEST_F(AbilityRoad, ComponentsWriteWhatTheyRead)
{
    const char* const kinds[] = {
        "<AbsorbContainerComponent><f32>3</f32><f32>1</f32><f32>9</f32></AbsorbContainerComponent>",
        "<ChargeContainerComponent><f32>3</f32><f32>1</f32><f32>9</f32><f32>0.5</f32>"
        "</ChargeContainerComponent>",
        "<ExperienceContainerComponent><f32>3</f32><f32>0</f32><f32>9</f32><s32>1</s32><s32>2</s32>"
        "<f32>4</f32><f32>6</f32></ExperienceContainerComponent>",
        "<ManaContainerComponent><f32>3</f32><f32>1</f32><f32>9</f32><f32>0.5</f32><f32>2</f32>"
        "<f32>7</f32></ManaContainerComponent>",
        "<ToughnessContainerComponent><f32>4</f32><f32>0</f32><f32>9</f32><f32>0.25</f32>"
        "</ToughnessContainerComponent>",
        "<HealthEffectComponent><f32>2</f32><f32>5</f32><bool>0</bool><bool>1</bool>"
        "</HealthEffectComponent>",
        "<DamageModifierComponent><f32>3</f32><f32>1</f32><f32>9</f32><f32>0.5</f32><bool>0</bool>"
        "</DamageModifierComponent>",
        "<ConstantMoveComponent><f32>4</f32><vec4 X=\"1\" Y=\"0\" "
        "Z=\"0\"/></ConstantMoveComponent>",
        "<SimpleControllerComponent><s32>2</s32></SimpleControllerComponent>",
        "<AbilityComponent><filename>Abilities/Bolt.lua</filename><scriptName>B</scriptName>"
        "</AbilityComponent>",
        "<HUDComponent><HorizontalAllignment>-1</HorizontalAllignment>"
        "<VerticalAllignment>1</VerticalAllignment><Material/></HUDComponent>",
    };
    auto write = [](GameObject* object)
    {
        tinyxml2::XMLDocument document;
        object->Serialize(document, nullptr);
        tinyxml2::XMLPrinter printer;
        document.FirstChildElement()->FirstChildElement()->Accept(&printer);
        return std::string(printer.CStr());
    };
    int n = 0;
    for (const char* kind : kinds)
    {
        SCOPED_TRACE(kind);
        const std::string name = "Kind" + std::to_string(n++);
        const std::string first = write(Make(name, kind));
        const std::string second = write(Make(name + "Again", first));
        EXPECT_EQ(first, second);
        EXPECT_NE(first.find('<'), std::string::npos);
    }
}
} // namespace
