// The ability kinds, one table row each: what a kind does to its object's collider, which of
// the character's scripts it binds to, in which order it adds lifetime (L), movement (M) and
// modifiers (A), and how it answers a contact that is not new and one that is. Then the dashes:
// the character slides, is untouchable (and, for the blink, frozen) while the object lasts and
// gets exactly its own collider and move value back.
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/ComponentFactory.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Logic/Abilities/AbilityKinds.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/EffectComponent.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Effects/ScaleEffectComponent.h"
#include "Logic/LogicServices.h"
#include "Physics/ColliderComponent.h"
#include "Physics/PhysicsSystem.h"
#include "tests/Logic/LogicWorld.h"

namespace
{
// Each slot's script says which slot it is through the number of its collisions' counter.
std::string SlotScript(int slot)
{
    return "slot = " + std::to_string(slot) + R"(
Ability = { lifetime = 2, moveRate = 3, numObjsToHit = 2 }
DamageModifier = { value = 5, timeToLast = 0.1, isTemporary = false }
ScaleEffect = { value = 2, timeToLast = 1 }
endingScaleEffectValue = 3
timeToReachEndScale = 1
steamKnockDistance = 5
collisions = 0
function ActivateAbility(character) return true end
function GetModifierCount() return 1 end
function GetModifier(i) return "DamageModifierComponent" end
function OnCollide(object, other) collisions = collisions + 1 end
enraged = 0
function EnrageAbility() enraged = enraged + 1 end
function UnEnrageAbility() enraged = enraged - 1 end
)";
}

constexpr u32 CharacterCategory = 1;
constexpr u32 ObjectCategory = 2;
constexpr u32 ObjectMask = 64;
constexpr s32 None = -2;
constexpr s32 SelectedSlot = 2; // the test selects this slot
constexpr u32 NotParent = ~CharacterCategory | ObjectMask;

struct KindRow
{
    const char* kind;
    u32 category;
    u32 mask;
    s32 slot;          // the script bound, None for none
    const char* steps; // in the order added
    // What a contact does, not new and new: S the script's "OnCollide", M the modifiers,
    // C one hit counted, D the object ends.
    const char* oldContact;
    const char* newContact;
};

const KindRow Kinds[] = {
    {"AIAttackAbilityComponent", 36, 54, None, "", "", "MD"},
    {"DummyAbilityComponent", ObjectCategory, ObjectMask, None, "", "MD", "MD"},
    {"MeleeAbilityComponent", ObjectCategory, ObjectMask, SelectedSlot, "LA", "S", "S"},
    {"ProjectileAbilityComponent", ObjectCategory, ObjectMask, SelectedSlot, "LMA", "SMD", "SMD"},
    {"EarthboundArmorAbilityComponent", ObjectCategory, NotParent, 1, "LMA", "", "SM"},
    {"EarthquakeAbilityComponent", ObjectCategory, ObjectMask, 2, "LMA", "", "SMC"},
    {"EnrageAbilityComponent", ObjectCategory, NotParent, 3, "MLA", "", "SMC"},
    {"EnragedEarthquakeAbilityComponent", ObjectCategory, ObjectMask, SelectedSlot, "LA", "",
     "SMC"},
    {"TitansFistAbilityComponent", 5, 23, 0, "LMA", "", "SMC"},
    {"LaserAbilityComponent", 5, 23, 0, "LMA", "", "SMC"},
    {"FissureAbilityComponent", 5, 23, 3, "LMA", "", "SMC"},
    {"LanceThrustAbilityComponent", 5, 23, 0, "MLA", "", "SMC"},
    {"SteamPumpAbilityComponent", 5, 31, 2, "LMA", "", "SMC"},
    {"BlinkAbilityComponent", ObjectCategory, NotParent, 1, "MLA", "", ""},
    {"OrbAbilityComponent", 5, 23, 3, "LMA", "", "SMC"},
    {"LightningFanAbilityComponent", 5, 23, 2, "LMA", "", "SMC"},
    {"DamageTrapAbilityComponent", 5, 23, SelectedSlot, "LA", "SM", "SM"},
    {"SlowTrapAbilityComponent", 5, 23, SelectedSlot, "LA", "SM", "SM"},
    {"TauntTrapAbilityComponent", 9, 30, None, "", "", ""},
};

// What the taunt trap's pulse asked of the AI.
u32 g_tauntTarget = 0;
void RecordTaunt(u32 targetObjectId)
{
    g_tauntTarget = targetObjectId;
}

std::string Collider(u32 category, u32 mask, f32 radius = 1.0f)
{
    return "<SphereColliderComponent><enabled>1</enabled><Category>" + std::to_string(category) +
           "</Category><Mask>" + std::to_string(mask) + "</Mask><r>" + std::to_string(radius) +
           "</r></SphereColliderComponent>";
}

// A modifier from the definition, so that the kinds without a script have one to run.
const char* const DefinedModifier =
    "<DamageModifierComponent><f32>5</f32><f32>0</f32><f32>5</f32><f32>0.1</f32><bool>0</bool>"
    "</DamageModifierComponent>";

class AbilityKinds : public LogicWorld
{
protected:
    void SetUp() override
    {
        std::string abilities;
        for (int slot = 0; slot < 4; ++slot)
        {
            const std::string file = "Abilities/Slot" + std::to_string(slot) + ".lua";
            WriteScript(file, SlotScript(slot));
            abilities += "<AbilityComponent><filename>" + file +
                         "</filename><scriptName>Slot</scriptName></AbilityComponent>";
        }
        Start();
        character = Make("TestCharacter",
                         "<TransformComponent/>" + Collider(CharacterCategory, 0) +
                             "<MoveProbe><f32>4</f32></MoveProbe>" + abilities +
                             "<SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>");
        enemy = Make("TestEnemy", "<TransformComponent/><ControllerProbe/>"
                                  "<HealthContainerComponent><f32>100</f32><f32>0</f32>"
                                  "<f32>100</f32></HealthContainerComponent>");
        ASSERT_NE(character, nullptr);
        ASSERT_NE(enemy, nullptr);
        controller = character->GetComponent<Logic::SimpleControllerComponent>();
        ASSERT_NE(controller, nullptr);
        ASSERT_EQ(controller->GetAbilityCount(), 4u);
        ASSERT_TRUE(controller->Select(SelectedSlot));
    }

    // An object of the kind spawned by the character, as an ability script spawns it.
    GameObject* Spawn(const std::string& kind, const std::string& extra = "")
    {
        return Make("Test" + kind,
                    "<TransformComponent/>" + Collider(ObjectCategory, ObjectMask) +
                        DefinedModifier + extra + "<" + kind + "/>",
                    character->GetId());
    }
    // The kind is the first ability of the object (its set-up appends what it adds).
    Logic::AbilityComponent* KindOf(GameObject& object)
    {
        return object.GetComponent<Logic::AbilityComponent>();
    }
    Physics::ColliderComponent& ColliderOf(GameObject& object)
    {
        return *object.GetComponent<Physics::ColliderComponent>();
    }
    s32 Collisions()
    {
        s32 total = 0;
        for (Scripting::LuaComponent* script : controller->GetAbilityScripts())
        {
            s32 count = 0;
            script->GetGlobalInt("collisions", count);
            total += count;
        }
        return total;
    }
    f32 EnemyHealth()
    {
        return enemy->GetComponent<Logic::HealthContainerComponent>()->GetCurrentStorage();
    }
    // What one contact with the enemy does, in the table's letters.
    std::string Contact(const std::string& kind, bool newContact)
    {
        GameObject* object = Spawn(kind);
        const u32 id = object->GetId();
        // Full health each time: the table's hits add up to more than one enemy's life.
        enemy->GetComponent<Logic::HealthContainerComponent>()->Add(100.0f);
        const s32 collisionsBefore = Collisions();
        const f32 healthBefore = EnemyHealth();
        const u32 hitsBefore = KindOf(*object)->GetNumObjsToHit();
        engine->SendMessage(
            new CollideMessage(0, Math::Vector4(1, 0, 0, 0), enemy->GetId(), newContact, id), 0.0f);
        Deliver();
        Tick(0.016f);
        Deliver();
        std::string seen;
        seen += Collisions() > collisionsBefore ? "S" : "";
        seen += EnemyHealth() < healthBefore ? "M" : "";
        object = Find(id);
        if (object != nullptr)
        {
            seen += KindOf(*object)->GetNumObjsToHit() != hitsBefore ? "C" : "";
            Factory().DestroyObject(id);
            Deliver();
        }
        else
        {
            seen += "D";
        }
        return seen;
    }

    GameObject* character = nullptr;
    GameObject* enemy = nullptr;
    Logic::SimpleControllerComponent* controller = nullptr;
};

TEST_F(AbilityKinds, EachKindSetsItsColliderScriptStepsAndContactReaction)
{
    for (const KindRow& row : Kinds)
    {
        SCOPED_TRACE(row.kind);
        GameObject* object = Spawn(row.kind);
        ASSERT_NE(object, nullptr);
        Logic::AbilityComponent* ability = KindOf(*object);
        ASSERT_EQ(ability->GetName(), row.kind);
        EXPECT_EQ(ability->GetType(), ComponentTypeId<Logic::AbilityComponent>());
        EXPECT_EQ(ColliderOf(*object).Category, row.category);
        EXPECT_EQ(ColliderOf(*object).Mask, row.mask);
        EXPECT_EQ(ability->GetScript(),
                  row.slot == None ? nullptr : controller->GetAbilityScript(row.slot));

        // What the set-up added comes after the kind in the object's list.
        std::string steps;
        bool added = false;
        for (const GameObject::ComponentEntry& entry : object->GetComponentList())
        {
            const std::string name = entry.component->GetName();
            if (added && name == "LifetimeContainerComponent")
                steps += 'L';
            else if (added && name == "ConstantMoveComponent")
                steps += 'M';
            else if (added && name == "DamageModifierComponent")
                steps += 'A';
            added = added || entry.component == ability;
        }
        EXPECT_EQ(steps, row.steps);
        Factory().DestroyObject(object->GetId());
        Deliver();

        EXPECT_EQ(Contact(row.kind, false), row.oldContact);
        EXPECT_EQ(Contact(row.kind, true), row.newContact);
    }
}

TEST_F(AbilityKinds, ATauntTrapTurnsTheEnemiesOnItselfAtItsPulse)
{
    Logic::Services().setAIControllerTargets.Install(&RecordTaunt);
    g_tauntTarget = 0;
    GameObject* trap =
        Make("TestTaunt",
             "<TransformComponent/>" + Collider(ObjectCategory, ObjectMask) +
                 "<TauntTrapAbilityComponent><f32>0.5</f32></TauntTrapAbilityComponent>",
             character->GetId());
    Tick(0.5f); // a pulse needs more than the interval
    EXPECT_EQ(g_tauntTarget, 0u);
    Tick(0.1f);
    EXPECT_EQ(g_tauntTarget, trap->GetId());
    Logic::Services().setAIControllerTargets.Remove(&RecordTaunt);
}

TEST_F(AbilityKinds, WithoutItsCharacterAKindSetsNothingUp)
{
    for (const char* kind : {"TitansFistAbilityComponent", "FissureAbilityComponent"})
    {
        SCOPED_TRACE(kind);
        const u32 characterId = character->GetId();
        GameObject* object =
            Make(std::string("Orphan") + kind,
                 "<TransformComponent/>" + Collider(ObjectCategory, ObjectMask) + "<" + kind + "/>",
                 characterId + 1000);
        // The fissure sets its collider first; the titan's fist needs its character first.
        const bool colliderFirst = std::string(kind) == "FissureAbilityComponent";
        EXPECT_EQ(ColliderOf(*object).Category, colliderFirst ? 5u : ObjectCategory);
        EXPECT_EQ(KindOf(*object)->GetScript(), nullptr);
        EXPECT_EQ(object->GetComponentList().size(), 3u) << "no lifetime, movement or modifier";
    }
}

TEST_F(AbilityKinds, EarthboundArmourFollowsItsCharacterUntilTheCharacterIsGone)
{
    GameObject* armour = Spawn("EarthboundArmorAbilityComponent");
    const TransformComponent& place = *armour->GetComponent<TransformComponent>();
    character->GetComponent<TransformComponent>()->SetPosition(3.0f, 0.0f, 4.0f);
    Tick(0.016f);
    // Placed on the character, then moved on by its own move rate along +z.
    EXPECT_FLOAT_EQ(place.GetPosition().x, 3.0f);
    EXPECT_NEAR(place.GetPosition().z, 4.0f, 0.1f);
    Factory().DestroyObject(character->GetId());
    Tick(0.016f); // nothing to follow: it stays where it was
    EXPECT_FLOAT_EQ(place.GetPosition().x, 3.0f);
    EXPECT_NEAR(place.GetPosition().z, 4.0f, 0.1f);
}

TEST_F(AbilityKinds, TheEnragedEarthquakeTakesItsEndScaleOnlyFromAnEffectOfItsOwn)
{
    GameObject* quake = Spawn("EnragedEarthquakeAbilityComponent",
                              "<ScaleEffectComponent><f32>0</f32><f32>0</f32><bool>1</bool>"
                              "<bool>0</bool></ScaleEffectComponent>");
    const auto* scale = quake->GetComponent<Logic::ScaleEffectComponent>();
    ASSERT_NE(scale, nullptr);
    EXPECT_FLOAT_EQ(scale->GetValue(), 3.0f);
    EXPECT_FLOAT_EQ(scale->GetTimeToLast(), 1.0f);
    EXPECT_FALSE(scale->IsTemporary());

    Make("BareQuake",
         "<TransformComponent/>" + Collider(ObjectCategory, ObjectMask) +
             "<EnragedEarthquakeAbilityComponent/>",
         character->GetId());
    EXPECT_TRUE(log.Contains("has no effect to take its end scale")) << log.Text();
}

TEST_F(AbilityKinds, TheSteamPumpPushesWhatItHitsToTheKnockDistanceFromTheCaster)
{
    enemy->GetComponent<TransformComponent>()->SetPosition(1.0f, 0.0f, 0.0f);
    GameObject* pump = Spawn("SteamPumpAbilityComponent");
    engine->SendMessage(
        new CollideMessage(0, Math::Vector4(1, 0, 0, 0), enemy->GetId(), true, pump->GetId()),
        0.0f);
    Deliver();
    const auto* push = enemy->GetComponent<Logic::KnockbackEffectComponent>();
    ASSERT_NE(push, nullptr);
    EXPECT_FLOAT_EQ(push->GetTimeToLast(), 0.2f); // 4 units at 20 units a second
    EXPECT_EQ(push->GetTargetPoint(), Math::Point4(5.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_TRUE(log.Contains("Handling collision with modifier: DamageModifierComponent"));
}

TEST_F(AbilityKinds, APhysicsStepLandsATitansFistOnceOnAnOverlappingEnemy)
{
    auto* physics =
        static_cast<Physics::System::PhysicsSystem*>(engine->AddSystem("PhysicsSystem"));
    ASSERT_NE(physics, nullptr);
    GameObject* brute = Make("Brute", "<TransformComponent><position X=\"0\" Y=\"0\" Z=\"1.5\"/>"
                                      "</TransformComponent>" +
                                          Collider(32, 32) +
                                          "<ControllerProbe/><HealthContainerComponent>"
                                          "<f32>100</f32><f32>0</f32><f32>100</f32>"
                                          "</HealthContainerComponent>");
    GameObject* fist = Make("Fist",
                            "<TransformComponent/>" + Collider(ObjectCategory, ObjectMask) +
                                "<TitansFistAbilityComponent/>",
                            character->GetId());
    const u32 fistId = fist->GetId();
    const auto* health = brute->GetComponent<Logic::HealthContainerComponent>();
    for (int step = 0; step < 3; ++step)
    {
        physics->Step(Physics::System::PhysicsSystem::FixedStep);
        Deliver();
        Tick(Physics::System::PhysicsSystem::FixedStep);
        Deliver();
    }
    EXPECT_FLOAT_EQ(health->GetCurrentStorage(), 95.0f) << "one new contact, one hit";
    ASSERT_NE(Find(fistId), nullptr);
    EXPECT_EQ(KindOf(*Find(fistId))->GetNumObjsToHit(), 1u);
}

TEST_F(AbilityKinds, EnragingAPlayerTellsEachOfItsAbilityScripts)
{
    auto* rage =
        static_cast<Logic::EffectComponent*>(Factory().CreateComponent("EnrageEffectComponent"));
    rage->Setup(0.2f, 1.5f, true, false);
    character->AddComponent(rage);
    auto enraged = [&]
    {
        std::string counts;
        for (Scripting::LuaComponent* script : controller->GetAbilityScripts())
        {
            s32 count = 0;
            script->GetGlobalInt("enraged", count);
            counts += std::to_string(count);
        }
        return counts;
    };
    Tick(0.1f);
    EXPECT_EQ(enraged(), "1111");
    EXPECT_EQ(ColliderOf(*character).Category, CharacterCategory | 32u);
    for (int frame = 0; frame < 3; ++frame)
    {
        Tick(0.1f);
        Deliver();
    }
    EXPECT_EQ(enraged(), "0000");
    EXPECT_EQ(ColliderOf(*character).Category, CharacterCategory);
}

TEST_F(AbilityKinds, AMeteorSpawnsItsDropsWhereItLandsAndReleasesItsScript)
{
    WriteScript("Meteor.lua", R"(
function SpawnDrops(x, z)
  Engine.CreateObject(0, "TestEnemy")
  Engine.Output("drops at " .. x .. " " .. z)
end
)");
    const std::size_t scripts = Scripting::System::LuaSystem::Instance()->GetComponents().size();
    const std::string definition = "<TransformComponent><position X=\"2\" Y=\"9\" Z=\"-3\"/>"
                                   "</TransformComponent><MeteorComponent><filename>Meteor.lua"
                                   "</filename></MeteorComponent>";
    GameObject* meteor = Make("TestMeteor", definition);
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->GetComponents().size(), scripts + 1);
    Factory().DestroyObject(meteor->GetId());
    EXPECT_TRUE(log.Contains("drops at 2 -3")) << log.Text();
    EXPECT_EQ(Scripting::System::LuaSystem::Instance()->GetComponents().size(), scripts);
    // One that is still falling when the engine goes spawns its drops as well.
    Make("TestMeteor", definition);
}

// The dashes: one frame applies the slide, the next moves, and the object's end restores the
// character exactly.
class Dashes : public AbilityKinds
{
protected:
    Physics::ColliderComponent& CharacterCollider() { return ColliderOf(*character); }
    Logic::MoveComponent& CharacterMove()
    {
        return *character->GetComponent<Logic::MoveComponent>();
    }
};

TEST_F(Dashes, ALanceThrustSlidesItsUntouchableCharacterAndRestoresItsCollider)
{
    CharacterCollider().Mask = 0x30;
    GameObject* lance = Spawn("LanceThrustAbilityComponent");
    EXPECT_EQ(CharacterCollider().Category, 0xFFFFFFFFu);
    EXPECT_EQ(CharacterCollider().Mask, 0xFFFFFFFFu);
    Deliver();
    const auto* slide = character->GetComponent<Logic::KnockbackEffectComponent>();
    ASSERT_NE(slide, nullptr);
    // moveRate 3 x lifetime 2 along +z, the object's facing.
    EXPECT_EQ(slide->GetTargetPoint(), Math::Point4(0.0f, 0.0f, 6.0f, 1.0f));
    EXPECT_FLOAT_EQ(slide->GetTimeToLast(), 2.0f);
    EXPECT_FLOAT_EQ(CharacterMove().GetMoveValue(), 4.0f) << "a lance thrust does not freeze";

    Factory().DestroyObject(lance->GetId());
    EXPECT_EQ(CharacterCollider().Category, CharacterCategory);
    EXPECT_EQ(CharacterCollider().Mask, 0x30u);
}

TEST_F(Dashes, ABlinkFreezesItsCharacterAndGivesBackExactlyWhatItTook)
{
    GameObject* blink = Spawn("BlinkAbilityComponent");
    EXPECT_FLOAT_EQ(CharacterMove().GetMoveValue(), 0.0f);
    EXPECT_EQ(CharacterCollider().Category, 0xFFFFFFFFu);
    Factory().DestroyObject(blink->GetId());
    EXPECT_FLOAT_EQ(CharacterMove().GetMoveValue(), 4.0f);
    EXPECT_EQ(CharacterCollider().Category, CharacterCategory);
    EXPECT_EQ(CharacterCollider().Mask, 0u);

    // A character that could not move stays so.
    CharacterMove().SetMoveValue(0.0f);
    blink = Spawn("BlinkAbilityComponent");
    Factory().DestroyObject(blink->GetId());
    EXPECT_FLOAT_EQ(CharacterMove().GetMoveValue(), 0.0f);
}

TEST_F(Dashes, OverlappingDashesLeaveTheCharacterTouchableWhenTheFirstEnds)
{
    GameObject* first = Spawn("LanceThrustAbilityComponent");
    GameObject* second = Spawn("LanceThrustAbilityComponent");
    Factory().DestroyObject(first->GetId());
    EXPECT_EQ(CharacterCollider().Category, CharacterCategory);
    Factory().DestroyObject(second->GetId()); // it saved nothing, it restores nothing
    EXPECT_EQ(CharacterCollider().Category, CharacterCategory);
    EXPECT_EQ(CharacterCollider().Mask, 0u);
}

TEST_F(Dashes, TheSlideArrivesInTheLastFrameOfTheDash)
{
    Spawn("LanceThrustAbilityComponent");
    Deliver();
    TransformComponent& place = *character->GetComponent<TransformComponent>();
    constexpr f32 FrameStep = 0.5f;
    Tick(FrameStep); // applied, not moved
    EXPECT_FLOAT_EQ(place.GetPosition().z, 0.0f);
    Tick(FrameStep); // 1.5 s left: a third of the way
    EXPECT_FLOAT_EQ(place.GetPosition().z, 2.0f);
    Tick(FrameStep);
    Tick(FrameStep); // 0.5 s left: there
    EXPECT_FLOAT_EQ(place.GetPosition().z, 6.0f);
}

// A kind without a row of the kinds' table would set nothing up, silently. Every kind is named
// "...AbilityComponent".
TEST_F(AbilityKinds, EveryKindTheFactoryMakesHasARowOfTheTable)
{
    const std::string suffix = "AbilityComponent";
    u32 kinds = 0;
    for (const ComponentFactory::Entry& entry : Factory().GetComponentFactory().GetEntries())
    {
        const std::string& name = entry.typeName;
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), std::string::npos, suffix) != 0)
            continue;
        ++kinds;
        EXPECT_NE(Logic::FindAbilityKind(name), nullptr) << name;
    }
    EXPECT_GT(kinds, 0u);
}
} // namespace
