// Covers: GraphicsSystem, RenderComponent, AnimationControllerComponent, GlowComponent.
// The graphics system's step of the drawable components on a fake window (no renderer): bone
// mounts follow the animated bone, glows are added to freshly reset bloom values, orbits turn,
// and nothing moves while the game is paused.
#include "Core/Components/ObjectBoneMountsComponent.h"
#include "Core/Components/OrbitComponent.h"
#include "Core/CoreServices.h"
#include "Core/Messages/Graphics/SetGlowMessage.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Components/GlowComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Math/MathUtils.h"
#include "tests/Graphics/Rendering/DrawingWorld.h"
#include "tests/Platform/Support/FakeWindowLayer.h"

using namespace Graphics;

namespace
{
bool Paused()
{
    return true;
}
} // namespace

class GraphicsSystemComponentsTest : public DrawingWorld
{
protected:
    FakeWindowLayer layer;
};

TEST_F(GraphicsSystemComponentsTest, BoneMountsGlowsOrbitsAndControllersStepOnEachUpdatedFrame)
{
    auto* graphics = static_cast<System::GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
    ASSERT_NE(graphics, nullptr);
    GameObject* hero = MakeObject(5.0f, 0.0f, 0.0f);
    hero->GetComponent<TransformComponent>()->SetScale(Math::Vector3(2.0f, 2.0f, 2.0f));
    auto* render = Add<RenderComponent>(hero, "<R><Model>Hero</Model></R>");
    auto* controller = Add<AnimationControllerComponent>(hero, "<A/>");
    auto* glow = Add<GlowComponent>(hero);
    SetGlowMessage colour(0, Math::ColorRGBA(0.5f, 0.0f, 0.0f, 1.0f),
                          Math::ColorRGBA(0.5f, 0.0f, 0.0f, 1.0f), hero->GetId());
    glow->HandleMessage(&colour);
    auto* mounts = Add<ObjectBoneMountsComponent>(
        hero, "<B><boneIndex>1</boneIndex><Sword><TransformComponent/></Sword></B>");
    ASSERT_EQ(mounts->GetMounts().size(), 1u);
    const auto* sword =
        Factory().FindObject(mounts->GetMounts().front())->GetComponent<TransformComponent>();

    GameObject* wisp = MakeObject();
    auto* orbit = Add<OrbitComponent>(wisp);
    orbit->GetOrbit().radius = 2.0f;
    orbit->SetSpeed(Math::HALF_PI / 0.2f);
    const auto* wispAt = wisp->GetComponent<TransformComponent>();

    graphics->Update(0.1f);
    graphics->Update(0.1f);
    EXPECT_NEAR(wispAt->GetPosition().x, 2.0f, 1e-5f) << "a quarter turn";
    EXPECT_NEAR(wispAt->GetPosition().z, 0.0f, 1e-5f);
    // The tip bone is 2 above the root in model space: scaled by 2 and moved to the carrier.
    EXPECT_NEAR(sword->GetPosition().x, 5.0f, 1e-5f);
    EXPECT_NEAR(sword->GetPosition().y, 4.0f, 1e-5f);
    EXPECT_NEAR(sword->GetPosition().z, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(render->bloomEmissiveColor.x, 0.5f) << "reset each frame, then added once";
    EXPECT_FLOAT_EQ(controller->time, 0.2f);

    const Math::Point4 orbitAt = wispAt->GetPosition();
    Core::Services().isPaused.Install(&Paused);
    graphics->Update(0.1f);
    Core::Services().isPaused.Remove(&Paused);
    EXPECT_FLOAT_EQ(controller->time, 0.2f) << "nothing moves while paused";
    EXPECT_EQ(wispAt->GetPosition(), orbitAt);
}
