// Covers: EffectComponent and its kinds (AbsorbEffectComponent, DeathEffectComponent, ...).
// The effect kinds' edge cases: a shield that ends early, a knock-back's frame-by-frame slide, a
// death that lasts until the revive, the enrage bit, scaling, a flash without a rate and the
// floating text's object.
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Gameplay/ReviveDeadPlayersMessage.h"
#include "Graphics/Components/IntensityComponent.h"
#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Effects/AbsorbEffectComponent.h"
#include "Logic/Effects/DeathEffectComponent.h"
#include "Logic/Effects/EnrageEffectComponent.h"
#include "Logic/Effects/FlashEffectComponent.h"
#include "Logic/Effects/FloatingTextEffectComponent.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Effects/ScaleEffectComponent.h"
#include "Logic/Effects/SpeedEffectComponent.h"
#include "Logic/Movement/ConstantMoveComponent.h"
#include "Physics/SphereColliderComponent.h"
#include "tests/Logic/LogicWorld.h"
#include <vector>

namespace
{
class EffectKinds : public LogicWorld
{
protected:
    void SetUp() override
    {
        Start();
        Make("NotificationText", "<TransformComponent/>");
    }

    template <typename T> T* Put(GameObject& object, f32 seconds, f32 value, bool temporary)
    {
        auto* effect = static_cast<T*>(Factory().CreateComponent(T::GetTypeName()));
        effect->Setup(seconds, value, temporary, false);
        object.AddComponent(effect);
        return effect;
    }
    // The texts floating over the object, oldest first.
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
};

std::string Sphere(u32 category, f32 radius)
{
    return "<SphereColliderComponent><enabled>1</enabled><Category>" + std::to_string(category) +
           "</Category><Mask>0</Mask><r>" + std::to_string(radius) +
           "</r></SphereColliderComponent>";
}

TEST_F(EffectKinds, AShieldEndsTheUpdateAfterItIsUsedUp)
{
    GameObject* knight = Make("Knight", "<AbsorbContainerComponent><f32>0</f32><f32>0</f32>"
                                        "<f32>100</f32></AbsorbContainerComponent>");
    auto* shield = knight->GetComponent<Logic::AbsorbContainerComponent>();
    auto* effect = Put<Logic::AbsorbEffectComponent>(*knight, 10.0f, 30.0f, true);
    Tick(0.1f);
    EXPECT_FLOAT_EQ(shield->GetCurrentStorage(), 30.0f);
    EXPECT_EQ(Texts(*knight), std::vector<std::string>{"++Shielded++"});

    shield->Add(-30.0f);
    Tick(0.1f);
    EXPECT_TRUE(effect->IsApplied());
    Tick(0.1f);
    EXPECT_FALSE(effect->IsApplied());
    EXPECT_EQ(Texts(*knight), (std::vector<std::string>{"++Shielded++", "--Shielded--"}));
}

TEST_F(EffectKinds, AKnockbackOfOneSecondAtSixtyHertzArrivesInItsLastFrame)
{
    GameObject* target = Make("Target", "<TransformComponent/>");
    auto* push = Put<Logic::KnockbackEffectComponent>(*target, 1.0f, 0.0f, true);
    push->SetTargetPoint(Math::Point4(59.0f, 0.0f, 0.0f, 1.0f));
    const TransformComponent& place = *target->GetComponent<TransformComponent>();
    constexpr f32 FrameStep = 1.0f / 60.0f;
    Tick(FrameStep);
    EXPECT_TRUE(push->IsApplied());
    EXPECT_FLOAT_EQ(place.GetPosition().x, 0.0f) << "the applying frame does not move";
    Tick(FrameStep);
    EXPECT_NEAR(place.GetPosition().x, 1.0f, 1e-4f) << "1/59 of the way";
    for (int frame = 3; frame <= 60; ++frame)
        Tick(FrameStep);
    EXPECT_NEAR(place.GetPosition().x, 59.0f, 1e-3f);
    EXPECT_TRUE(push->IsApplied());
    Tick(FrameStep);
    EXPECT_FALSE(push->IsApplied());
}

TEST_F(EffectKinds, ADeathLastsUntilTheReviveWhichRestoresEverything)
{
    GameObject* hero = Make(
        "Hero",
        "<TransformComponent/>" + Sphere(1, 1.0f) +
            "<RenderComponent/><SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>"
            "<HealthContainerComponent>"
            "<f32>40</f32><f32>0</f32><f32>100</f32></HealthContainerComponent>");
    auto* controller = hero->GetComponent<Logic::ControllerComponent>();
    auto* collider = hero->GetComponent<Physics::ColliderComponent>();
    auto* health = hero->GetComponent<Logic::HealthContainerComponent>();
    auto* death = Put<Logic::DeathEffectComponent>(*hero, 1.0f, 0.0f, true);
    for (int frame = 0; frame < 120; ++frame)
        Tick(0.1f);
    EXPECT_TRUE(death->IsApplied()) << "twelve seconds on, a death of one second lasts";
    EXPECT_TRUE(controller->IsDisabled());
    EXPECT_EQ(collider->Category, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(health->GetCurrentStorage(), 0.0f);

    controller->SetDisabled(false);
    Tick(0.1f);
    EXPECT_TRUE(controller->IsDisabled()) << "kept disabled every frame";

    engine->SendMessage(new ReviveDeadPlayersMessage(0, "LogicSystem"), 0.0f);
    Deliver();
    EXPECT_FALSE(controller->IsDisabled());
    EXPECT_EQ(collider->Category, 1u);
    EXPECT_EQ(collider->Mask, 0u);
    EXPECT_FLOAT_EQ(health->GetCurrentStorage(), 100.0f);
    EXPECT_EQ(hero->GetComponent<Logic::DeathEffectComponent>(), nullptr);
    EXPECT_FLOAT_EQ(Logic::DeathEffectComponent::DeathPoseTime("Mage"), 1.25f);
    EXPECT_FLOAT_EQ(Logic::DeathEffectComponent::DeathPoseTime("Quad"), 0.0f);
}

TEST_F(EffectKinds, EnrageSetsAndClearsCollisionGroup32)
{
    GameObject* golem =
        Make("Golem", "<TransformComponent/>" + Sphere(33, 1.0f) + "<ControllerProbe/>");
    auto* collider = golem->GetComponent<Physics::ColliderComponent>();
    Put<Logic::EnrageEffectComponent>(*golem, 0.2f, 1.5f, true);
    Tick(0.1f);
    EXPECT_EQ(collider->Category, 33u) << "already in group 32: |= leaves it";
    for (int frame = 0; frame < 3; ++frame)
    {
        Tick(0.1f);
        Deliver();
    }
    EXPECT_EQ(collider->Category, 1u);
    EXPECT_EQ(Texts(*golem), (std::vector<std::string>{"++Enraged++", "--Enraged--"}));
}

TEST_F(EffectKinds, AScaleEffectScalesTheSphereAndTransformAndValueZeroNothing)
{
    struct Case
    {
        f32 value;
        bool sphere;
        f32 scale;  // the transform's scale at the end
        f32 radius; // the sphere's
    };
    const Case cases[] = {
        {2.0f, true, 2.0f, 2.0f}, {2.0f, false, 2.0f, 0.0f}, {0.0f, true, 1.0f, 1.0f}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        GameObject* object =
            Make("Grower" + std::to_string(c.sphere),
                 "<TransformComponent/>" + (c.sphere ? Sphere(1, 1.0f) : std::string()));
        auto* grow = Put<Logic::ScaleEffectComponent>(*object, 1.0f, c.value, true);
        for (int frame = 0; frame < 3; ++frame)
            Tick(0.5f);
        EXPECT_FALSE(grow->IsApplied());
        EXPECT_FLOAT_EQ(object->GetComponent<TransformComponent>()->GetScale().x, c.scale);
        const auto* sphere = static_cast<Physics::SphereColliderComponent*>(
            object->GetComponent<Physics::ColliderComponent>());
        EXPECT_FLOAT_EQ(sphere != nullptr ? sphere->GetSphere().radius : 0.0f, c.radius);
        Deliver();
        // A temporary growth adds its way back to the own scale; nothing comes back from 0.
        const auto* back = object->GetComponent<Logic::ScaleEffectComponent>();
        if (c.value == 0.0f)
            EXPECT_EQ(back, nullptr);
        else if (back != nullptr)
            EXPECT_FLOAT_EQ(back->GetValue(), 1.0f);
        else
            ADD_FAILURE() << "no way back";
    }
}

TEST_F(EffectKinds, SpeedHalvesAndRestoresAndZeroChangesNothing)
{
    GameObject* runner = Make("Runner", "<TransformComponent/><MoveProbe/>");
    auto* move = runner->GetComponent<Logic::MoveComponent>();
    Put<Logic::SpeedEffectComponent>(*runner, 2.0f, 0.5f, true);
    Put<Logic::SpeedEffectComponent>(*runner, 2.0f, 0.0f, true);
    Tick(0.1f);
    EXPECT_FLOAT_EQ(move->GetMoveModifier(), 0.5f);
    for (int frame = 0; frame < 20; ++frame)
        Tick(0.1f);
    EXPECT_FLOAT_EQ(move->GetMoveModifier(), 1.0f);
}

TEST_F(EffectKinds, AFlashWithRateZeroJumpsToItsStopColour)
{
    GameObject* object = Make("Flashed", "<TransformComponent/>");
    auto* flash = Put<Logic::FlashEffectComponent>(*object, 1.0f, 0.0f, true);
    flash->start = Math::Vector3(0.0f, 0.0f, 0.0f);
    flash->stop = Math::Vector3(1.0f, 0.5f, 0.5f);
    flash->rate = Math::Vector3(0.0f, 2.0f, 2.0f);
    Tick(0.1f);
    const auto* colour = object->GetComponent<Graphics::IntensityComponent>();
    ASSERT_NE(colour, nullptr);
    EXPECT_FLOAT_EQ(colour->channels[Graphics::IntensityComponent::Red].value, 1.0f);
    EXPECT_FLOAT_EQ(colour->channels[Graphics::IntensityComponent::Red].rate, 0.0f);
    EXPECT_FLOAT_EQ(colour->channels[Graphics::IntensityComponent::Green].rate, 0.25f);
}

TEST_F(EffectKinds, AFloatingTextMovesItsObjectAndDestroysItOnce)
{
    Math::SeedRand(1);
    GameObject* target = Make("Target", "<TransformComponent/>");
    auto* text = static_cast<Logic::FloatingTextEffectComponent*>(
        Factory().CreateComponent("FloatingTextEffectComponent"));
    text->Setup(1.0f, "20", Math::Vector4(0, 1, 0, 2), Math::Vector4(0, 1, 0, 0),
                Math::Vector4(1, 1, 1, 2), true);
    target->AddComponent(text);
    Tick(0.1f);
    const u32 textId = text->GetTextObjectId();
    GameObject* shown = Find(textId);
    ASSERT_NE(shown, nullptr);
    const Math::Point4 at = shown->GetComponent<TransformComponent>()->GetPosition();
    EXPECT_GE(at.x, -0.75f);
    EXPECT_LE(at.x, 0.75f);
    EXPECT_GE(at.y, 1.0f);
    EXPECT_LE(at.y, 3.0f);
    const auto* move = shown->GetComponent<Logic::ConstantMoveComponent>();
    ASSERT_NE(move, nullptr);
    EXPECT_FLOAT_EQ(move->GetMoveValue(), 1.0f);
    EXPECT_NEAR(move->GetDirection().Length(), 1.0f, 1e-5f);
    EXPECT_TRUE(log.Contains("Putting 20 on screen at"));

    for (int frame = 0; frame < 10; ++frame)
        Tick(0.1f);
    EXPECT_EQ(text->GetTextObjectId(), 0u);
    Deliver();
    EXPECT_EQ(Find(textId), nullptr);
    EXPECT_EQ(target->GetComponent<Logic::EffectComponent>(), nullptr);
    EXPECT_EQ(log.Count("Error"), 0u) << log.Text();
}
} // namespace
