// Covers: ModifierComponent and its kinds (AbsorbModifierComponent, ...).
// The modifier kinds' edge cases: shields against damage, heals, stuns that overlap, knock-backs
// without a damage count, and hits on objects that are gone.
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Effects/FloatingTextEffectComponent.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Effects/StunEffectComponent.h"
#include "Logic/Modifiers/ModifierComponent.h"
#include "tests/Logic/LogicWorld.h"
#include <vector>

namespace
{
class ModifierKinds : public LogicWorld
{
protected:
    void SetUp() override
    {
        Start();
        Make("NotificationText", "<TransformComponent/>");
    }

    // An ability object carrying one modifier of the kind with the numbers given.
    Logic::ModifierComponent* Carry(const std::string& kind, f32 value, f32 seconds = 2.0f)
    {
        const std::string v = std::to_string(value);
        GameObject* object = Make("Carrier" + kind, "<TransformComponent/><" + kind + "><f32>" + v +
                                                        "</f32><f32>0</f32><f32>" + v +
                                                        "</f32><f32>" + std::to_string(seconds) +
                                                        "</f32><bool>1</bool></" + kind + ">");
        return static_cast<Logic::ModifierComponent*>(object->GetComponentList().back().component);
    }
    // Each target has a definition of its own: a definition name is read once.
    GameObject* Target(const std::string& components)
    {
        return Make("Target" + std::to_string(++m_targets), "<TransformComponent/>" + components);
    }
    int m_targets = 0;
    static std::string Container(const char* kind, f32 current, f32 maximum)
    {
        return std::string("<") + kind + "><f32>" + std::to_string(current) +
               "</f32><f32>0</f32><f32>" + std::to_string(maximum) + "</f32></" + kind + ">";
    }
    void Hit(Logic::ModifierComponent& modifier, u32 targetId, bool newContact = true)
    {
        CollideMessage contact(0, Math::Vector4(1, 0, 0, 0), targetId, newContact,
                               modifier.GetOwner());
        modifier.OnCollide(contact);
    }
    static std::vector<std::string> Texts(const GameObject& object)
    {
        std::vector<std::string> texts;
        for (const GameObject::ComponentEntry& entry : object.GetComponentList())
        {
            if (const auto* text =
                    dynamic_cast<Logic::FloatingTextEffectComponent*>(entry.component))
                texts.push_back(text->GetText());
        }
        return texts;
    }
    f32 Health(const GameObject& object)
    {
        return object.GetComponent<Logic::HealthContainerComponent>()->GetCurrentStorage();
    }
};

TEST_F(ModifierKinds, AShieldTakesTheBlowFirst)
{
    struct Case
    {
        f32 shield;
        f32 shieldAfter;
        f32 healthAfter;
        bool abilityEnds;
        std::vector<std::string> texts;
    };
    const Case cases[] = {{30.0f, 10.0f, 100.0f, true, {"(0)"}},
                          {5.0f, 0.0f, 85.0f, false, {"(0)", "15"}}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.shield);
        GameObject* target = Target(Container("AbsorbContainerComponent", c.shield, 100.0f) +
                                    Container("HealthContainerComponent", 100.0f, 100.0f));
        Logic::ModifierComponent* damage = Carry("DamageModifierComponent", 20.0f);
        const u32 ability = damage->GetOwner();
        Hit(*damage, target->GetId());
        Deliver();
        Tick(0.1f);
        EXPECT_FLOAT_EQ(
            target->GetComponent<Logic::AbsorbContainerComponent>()->GetCurrentStorage(),
            c.shieldAfter);
        EXPECT_FLOAT_EQ(Health(*target), c.healthAfter);
        EXPECT_EQ(Find(ability) == nullptr, c.abilityEnds);
        EXPECT_EQ(Texts(*target), c.texts);
    }
}

TEST_F(ModifierKinds, AHealShowsWhatItGivesAndAFullCharacterLeavesThePickUp)
{
    GameObject* player =
        Target(Container("HealthContainerComponent", 80.0f, 100.0f) +
               "<SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>");
    Logic::ModifierComponent* heal = Carry("HealthModifierComponent", 50.0f);
    const u32 pickUp = heal->GetOwner();
    // The pick-up reacts to its own object's collisions.
    engine->SendMessage(
        new CollideMessage(0, Math::Vector4(1, 0, 0, 0), player->GetId(), true, pickUp), 0.0f);
    Deliver();
    Tick(0.1f);
    EXPECT_EQ(Texts(*player), std::vector<std::string>{"20"});
    EXPECT_FLOAT_EQ(Health(*player), 100.0f);
    EXPECT_EQ(Find(pickUp), nullptr);

    Logic::ModifierComponent* spare = Carry("HealthModifierComponent", 50.0f);
    Hit(*spare, player->GetId());
    Deliver();
    EXPECT_NE(Find(spare->GetOwner()), nullptr) << "a full character does not use it up";
}

TEST_F(ModifierKinds, TwoStunsLeaveOneLastingTheDurationFromTheSecondHit)
{
    GameObject* enemy = Target("<ControllerProbe/>");
    Logic::ModifierComponent* stun = Carry("StunModifierComponent", 0.0f, 2.0f);
    Hit(*stun, enemy->GetId());
    Tick(0.25f);
    Tick(0.25f);
    Tick(0.25f); // 0.5 s counted after the applying frame
    Hit(*stun, enemy->GetId());
    const std::vector<GameObjectComponent*> effects =
        enemy->GetComponents(ComponentTypeId<Logic::EffectComponent>());
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_FLOAT_EQ(static_cast<Logic::StunEffectComponent*>(effects[0])->GetTimeToLast(), 2.0f);
    EXPECT_TRUE(enemy->GetComponent<Logic::ControllerComponent>()->IsDisabled());
}

TEST_F(ModifierKinds, OneHitOnEachKindWhenTheTargetLacksWhatItNeeds)
{
    struct Case
    {
        const char* kind;
        const char* target;
        bool effectAdded;
        bool carrierEnds;
    };
    const Case cases[] = {
        // No damage count: distance 0, the push is still added (to where the target stands).
        {"KnockbackModifierComponent", "", true, false},
        {"DeathModifierComponent",
         "<ControllerProbe/><DeathEffectComponent><f32>1</f32>"
         "<f32>0</f32><bool>1</bool><bool>0</bool></DeathEffectComponent>",
         false, false},
        {"ExperienceModifierComponent", "", false, false},
        {"EnrageModifierComponent", "", false, false},
        {"AbsorbModifierComponent", "", false, false},
        {"SpeedModifierComponent", "", false, false},
        {"ToughnessModifierComponent", "", false, false},
        {"BumpModifierComponent", "", true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.kind);
        GameObject* target = Target(c.target);
        const std::size_t before = target->GetComponentList().size();
        Logic::ModifierComponent* modifier = Carry(c.kind, 3.0f);
        const u32 carrier = modifier->GetOwner();
        Hit(*modifier, target->GetId());
        Deliver();
        EXPECT_EQ(target->GetComponentList().size() > before, c.effectAdded);
        EXPECT_EQ(Find(carrier) == nullptr, c.carrierEnds);
        const auto* push = target->GetComponent<Logic::KnockbackEffectComponent>();
        const f32 expectedX = c.kind == std::string("BumpModifierComponent") ? 3.0f : 0.0f;
        EXPECT_FLOAT_EQ(push != nullptr ? push->GetTargetPoint().x : 0.0f, expectedX);
    }
}

TEST_F(ModifierKinds, AHitOnAnObjectThatIsGoneDoesNothing)
{
    for (const char* kind :
         {"AbsorbModifierComponent", "BumpModifierComponent", "DamageModifierComponent",
          "DeathModifierComponent", "EnrageModifierComponent", "ExperienceModifierComponent",
          "HealthModifierComponent", "KnockbackModifierComponent", "SpeedModifierComponent",
          "StunModifierComponent", "ToughnessModifierComponent", "ParticleSystemModifierComponent",
          "FlashModifierComponent", "GlowModifierComponent", "LightModifierComponent"})
    {
        SCOPED_TRACE(kind);
        Logic::ModifierComponent* modifier = Carry(kind, 3.0f);
        Hit(*modifier, modifier->GetOwner() + 5000);
        Deliver();
        EXPECT_NE(Find(modifier->GetOwner()), nullptr);
    }
    EXPECT_EQ(log.Count("Error"), 0u) << log.Text();
}
} // namespace
