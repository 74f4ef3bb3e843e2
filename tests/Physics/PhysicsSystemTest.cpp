// The physics system's fixed step, its lists, its queries and its hook.
#include "Physics/PhysicsSystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/LaunchOptions.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/System/CameraSystem.h"
#include "Physics/Integrators.h"
#include "Physics/RigidBodyComponent.h"
#include "tests/Physics/PhysicsWorld.h"
#include "tests/Support/LogCapture.h"
#include <gtest/gtest.h>

using Physics::System::PhysicsSystem;

TEST(PhysicsSystem, RunsAtMostOneFixedStepPerFrameAndWorksOffTheCappedRest)
{
    {
        PhysicsWorld world;
        PhysicsSystem& physics = *world.physics;
        physics.Update(0.01f);
        EXPECT_EQ(physics.GetStepCount(), 0u) << "0.01 s is not a whole step";
        physics.Update(0.01f);
        EXPECT_EQ(physics.GetStepCount(), 1u);
        EXPECT_NEAR(physics.GetAccumulator(), 0.02f - PhysicsSystem::FixedStep, 1e-6f);
    }
    // 0.2 s is capped at 1/12 s: one step in that frame and one in each of the next four
    // frames of 0 s (the paused frames), then none.
    PhysicsWorld capped;
    capped.physics->Update(0.2f);
    for (int frame = 0; frame < 10; ++frame)
        capped.physics->Update(0.0f);
    EXPECT_EQ(capped.physics->GetStepCount(), 5u);
}

TEST(PhysicsSystem, ListsBodiesByTypeNameAndLogsAnUnknownUnregister)
{
    PhysicsWorld world;
    LogCapture log;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Body(1.0f));
    auto* transform = object->GetComponent<TransformComponent>();
    ASSERT_EQ(world.physics->GetRigidBodies().size(), 1u);

    world.physics->Register(transform);
    world.physics->Unregister(transform);
    EXPECT_EQ(log.Count("INVALID UNREGISTER TYPE PhysicsSystem::Unregister()"), 1u);
    EXPECT_EQ(world.physics->GetRigidBodies().size(), 1u);

    world.factory.DestroyObject(object->GetId());
    EXPECT_TRUE(world.physics->GetRigidBodies().empty());
}

TEST(PhysicsSystem, LaunchFlagsChooseTheIntegrator)
{
    PhysicsWorld world;
    EXPECT_EQ(world.physics->GetIntegrator(), &Physics::IntegrateEuler);
    world.physics->Initialize(LaunchOptions::IntegratorRK4 | LaunchOptions::IntegratorVerlet);
    EXPECT_EQ(world.physics->GetIntegrator(), &Physics::IntegrateRk4);
    world.physics->Initialize(LaunchOptions::IntegratorVerlet | LaunchOptions::IntegratorEuler);
    EXPECT_EQ(world.physics->GetIntegrator(), &Physics::IntegrateNothing);

    // With "-verlet" rigid bodies keep their place.
    GameObject* object =
        world.Make(TransformAt(1, 2, 3) + "<RigidBodyComponent><mass>1</mass><velocity X=\"5\" "
                                          "Y=\"0\" Z=\"0\"/></RigidBodyComponent>");
    world.physics->Step(PhysicsSystem::FixedStep);
    EXPECT_EQ(object->GetComponent<TransformComponent>()->position.x, 1.0f);
}

TEST(PhysicsSystem, RayCastAnswersTheFirstColliderInListOrderNotTheNearest)
{
    PhysicsWorld world;
    EXPECT_EQ(world.physics->RayCast(Math::Ray3()), nullptr);
    GameObject* far = world.Make(TransformAt(10, 0, 0) + Sphere(1.0f), "Far");
    GameObject* near = world.Make(TransformAt(3, 0, 0) + Box(2, 2, 2), "Near");
    world.Make(TransformAt(0, 10, 0) + Sphere(1.0f), "Aside");
    const Math::Ray3 alongX(Math::Point4(0, 0, 0, 1), Math::Vector4(1, 0, 0, 0));
    EXPECT_EQ(world.physics->RayCast(alongX), far);
    world.factory.DestroyObject(far->GetId());
    EXPECT_EQ(world.physics->RayCast(alongX), near);
    EXPECT_EQ(
        world.physics->RayCast(Math::Ray3(Math::Point4(0, 0, 0, 1), Math::Vector4(0, 0, 1, 0))),
        nullptr);
    EXPECT_EQ(world.physics->PickAtScreenPoint(10.0f, 10.0f), nullptr) << "no camera system";
}

TEST(PhysicsSystem, PicksTheBodyUnderAWindowPointThroughTheActiveCamera)
{
    {
        PhysicsWorld world;
        Graphics::RegisterGraphics(world.engine);
        auto* cameras =
            static_cast<Graphics::System::CameraSystem*>(world.engine.AddSystem("CameraSystem"));
        ASSERT_NE(cameras, nullptr);
        // The default camera looks from (0, 0, 10) at the origin; a body each side of the centre.
        GameObject* left = world.Make(TransformAt(-3, 0, 0) + Sphere(1.0f), "Left");
        GameObject* right = world.Make(TransformAt(3, 0, 0) + Box(2, 2, 2), "Right");
        for (GameObject* body : {left, right})
        {
            const Math::Point4 centre = body->GetComponent<TransformComponent>()->position;
            const Math::Vector2 pixel = cameras->WorldToScreen(centre);
            EXPECT_EQ(world.physics->PickAtScreenPoint(pixel.x, pixel.y), body) << body->GetName();
        }
        const Math::Vector2 between = cameras->WorldToScreen(Math::Point4(0, 0, 0, 1));
        EXPECT_EQ(world.physics->PickAtScreenPoint(between.x, between.y), nullptr);
    }
    EXPECT_FALSE(Core::Services().screenRay.IsInstalled()) << "the camera system removes it";
}

TEST(PhysicsSystem, AnswersTheColliderInfoHookWhileItExists)
{
    u32 category = 0;
    u32 mask = 0;
    {
        PhysicsWorld world;
        GameObject* object = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f, 6, 9));
        ASSERT_TRUE(Core::Services().colliderInfo(object->GetId(), category, mask));
        EXPECT_EQ(category, 6u);
        EXPECT_EQ(mask, 9u);
        EXPECT_FALSE(Core::Services().colliderInfo(object->GetId() + 1000, category, mask));
    }
    EXPECT_FALSE(Core::Services().colliderInfo.IsInstalled());
}
