// Covers: EffectComponent, ModifierComponent, DamageModifierComponent, HealthEffectComponent.
// Effects and modifiers: effect timing, a modifier's numbers from its script, the hit counter
// and the modifier list of an ability script.
#include "Core/Messages/Physics/CollideMessage.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Effects/HealthEffectComponent.h"
#include "Logic/Modifiers/DamageModifierComponent.h"
#include "tests/Logic/LogicWorld.h"
#include <vector>

namespace
{
// An ability kind that lets the test run the set-up steps on a script of its choosing.
class AbilityProbe : public Logic::AbilityComponent
{
public:
    const std::string& GetName() const override
    {
        static const std::string name = "AbilityProbe";
        return name;
    }
    void Use(Scripting::LuaComponent* script) { m_scriptId = script->GetId(); }
    using AbilityComponent::AddModifiers;
    using AbilityComponent::CountHit;
    using AbilityComponent::SetupLifetime;
    void SetHits(u32 hits) { numObjsToHit_ = hits; }
};

class EffectWorld : public LogicWorld
{
protected:
    void SetUp() override { Start(); }

    GameObject* Target()
    {
        return Make("Target", "<HealthContainerComponent><f32>100</f32><f32>0</f32><f32>100</f32>"
                              "</HealthContainerComponent>");
    }
    Scripting::LuaComponent* Script(const std::string& file, const std::string& text)
    {
        WriteScript(file, text);
        Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
        EXPECT_TRUE(script->Load(file)) << log.Text();
        return script;
    }
    std::size_t ObjectMessages() const
    {
        return Core::System::MessageSystem::Instance()->GetObjectMessageCount();
    }
};

TEST_F(EffectWorld, EffectsApplyCountDownAndRemoveThemselves)
{
    struct Case
    {
        f32 duration;
        std::vector<f32> timeAfterFrame; // the time left after each frame while applied
        int removedInFrame;
    };
    const Case cases[] = {{0.5f, {0.5f, 0.3f, 0.1f}, 4}, {0.0f, {0.0f}, 2}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.duration);
        GameObject* target = Target();
        auto* health = target->GetComponent<Logic::HealthContainerComponent>();
        auto* effect = static_cast<Logic::HealthEffectComponent*>(
            Factory().CreateComponent("HealthEffectComponent"));
        effect->Setup(c.duration, 10.0f, /*isTemporary=*/true, false);
        const u32 effectId = effect->GetId();
        target->AddComponent(effect);
        for (int frame = 1; frame <= c.removedInFrame; ++frame)
        {
            Tick(0.2f);
            if (frame < c.removedInFrame)
            {
                EXPECT_TRUE(effect->IsApplied()) << frame;
                EXPECT_NEAR(effect->GetTimeToLast(), c.timeAfterFrame[frame - 1], 1e-6f) << frame;
                EXPECT_EQ(health->GetCurrentStorage(), 90.0f) << frame;
            }
        }
        EXPECT_FALSE(effect->IsApplied());
        EXPECT_EQ(health->GetCurrentStorage(), 100.0f) << "a temporary health effect gives back";
        Deliver();
        EXPECT_EQ(target->GetComponentById(effectId), nullptr);
    }
}

TEST_F(EffectWorld, AnEffectWithoutItsTargetNeverCountsDown)
{
    auto* effect = static_cast<Logic::HealthEffectComponent*>(
        Factory().CreateComponent("HealthEffectComponent"));
    effect->Setup(0.1f, 10.0f, true, false);
    Tick(1.0f);
    Tick(1.0f);
    EXPECT_FALSE(effect->IsApplied());
    EXPECT_EQ(effect->GetTimeToLast(), 0.1f);
    GameObjectComponent* component = effect;
    Factory().DestroyComponent(component);
}

TEST_F(EffectWorld, ModifiersTakeTheirNumbersFromTheScript)
{
    struct Case
    {
        const char* script;
        f32 minimum;
        f32 current, maximum, timeToLast;
        bool temporary;
    };
    const Case cases[] = {
        {"Character = {enraged = true}\nDamageModifier = {value = 10, enrageModifier = 5, "
         "timeToLast = 2, isTemporary = false}",
         0, 15, 15, 2, false},
        {"Character = {enraged = false}\nDamageModifier = {value = 10, enrageModifier = 5}", 0, 10,
         10, 0, true},
        {"DamageModifier = {value = 0.5, timeToLast = 0.25}", 0, 0.5f, 0.5f, 0.25f, true},
        {"Nothing = 1", 0, 0, 0, 0, true},
        {"DamageModifier = {value = 10}", 20, 20, 10, 0, true},
    };
    int n = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.script);
        Scripting::LuaComponent* script =
            Script("Modifier" + std::to_string(n++) + ".lua", c.script);
        auto* modifier = static_cast<Logic::DamageModifierComponent*>(
            Factory().CreateComponent("DamageModifierComponent"));
        modifier->SetMinimumStorage(c.minimum);
        modifier->LoadFromScript(*script, modifier->GetScriptTableName());
        EXPECT_FLOAT_EQ(modifier->GetCurrentStorage(), c.current);
        EXPECT_FLOAT_EQ(modifier->GetMaximumStorage(), c.maximum);
        EXPECT_FLOAT_EQ(modifier->GetTimeToLast(), c.timeToLast);
        EXPECT_EQ(modifier->AreResultsTemporary(), c.temporary);
        GameObjectComponent* component = modifier;
        component->Shutdown();
        Factory().DestroyComponent(component);
    }
}

TEST_F(EffectWorld, TheHitCountEndsTheObjectOnce)
{
    struct Case
    {
        u32 hits;
        std::vector<std::size_t> destroysAfterHit; // destroy messages posted so far
    };
    const Case cases[] = {{3, {0, 0, 1, 1, 1}}, {0, {0, 0, 0, 0, 0}}, {1, {1, 1}}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.hits);
        GameObject* bolt = Make("Bolt", "");
        auto* ability = new AbilityProbe;
        bolt->AddComponent(ability);
        ability->SetHits(c.hits);
        const std::size_t before = ObjectMessages();
        for (std::size_t hit = 0; hit < c.destroysAfterHit.size(); ++hit)
        {
            ability->CountHit();
            EXPECT_EQ(ObjectMessages() - before, c.destroysAfterHit[hit]) << "hit " << hit + 1;
        }
        Factory().DestroyObject(bolt->GetId());
        Core::System::MessageSystem::Instance()->ClearObjectMessages();
    }
}

TEST_F(EffectWorld, TheScriptNamesTheModifiers)
{
    struct Case
    {
        const char* count;
        const char* names;
        std::size_t modifiers;
        s32 calls;
        const char* logged;
    };
    const Case cases[] = {
        {"0", "{}", 0, 0, nullptr},
        {"2", "{'DamageModifierComponent', 'DamageModifierComponent'}", 2, 2,
         "Adding component type: DamageModifierComponent to ability"},
        {"-1", "{}", 0, 0, "names -1 modifiers"},
        {"2", "{'HealthContainerComponent', 'NoSuchComponent'}", 0, 2,
         "HealthContainerComponent is not a modifier"},
    };
    int n = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.names);
        const std::string text = std::string("calls = 0\nnames = ") + c.names +
                                 "\nDamageModifier = {value = 3}\n"
                                 "function GetModifierCount() return " +
                                 c.count +
                                 " end\n"
                                 "function GetModifier(i) calls = calls + 1\n"
                                 "  assert(i == calls) return names[i] end\n";
        Scripting::LuaComponent* script = Script("List" + std::to_string(n++) + ".lua", text);
        GameObject* bolt = Make("Bolt", "");
        auto* ability = new AbilityProbe;
        bolt->AddComponent(ability);
        ability->Use(script);
        ability->AddModifiers();
        EXPECT_EQ(bolt->GetComponents(ComponentTypeId<Logic::ModifierComponent>()).size(),
                  c.modifiers);
        s32 calls = -1;
        script->GetGlobalInt("calls", calls);
        EXPECT_EQ(calls, c.calls);
        if (c.logged != nullptr)
        {
            EXPECT_TRUE(log.Contains(c.logged)) << log.Text();
        }
        if (c.modifiers > 0)
        {
            EXPECT_FLOAT_EQ(
                bolt->GetComponent<Logic::DamageModifierComponent>()->GetCurrentStorage(), 3.0f);
        }
        Factory().DestroyObject(bolt->GetId());
    }
}
} // namespace
