// Rigid bodies and physics particles: what they read, and how the integrators move them.
#include "Physics/RigidBodyComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Physics/ColliderComponent.h"
#include "Physics/Integrators.h"
#include "Physics/PhysicsParticleComponent.h"
#include "tests/Physics/PhysicsWorld.h"
#include "tests/Support/LogCapture.h"
#include <cmath>
#include <gtest/gtest.h>

using Physics::PhysicsParticleComponent;
using Physics::RigidBodyComponent;
using Physics::System::PhysicsSystem;

namespace
{
constexpr f32 Step = PhysicsSystem::FixedStep;

std::string BodyXml(const std::string& mass, const std::string& velocity,
                    const std::string& angular, const std::string& linearDrag,
                    const std::string& angularDrag)
{
    return "<RigidBodyComponent><mass>" + mass + "</mass><velocity " + velocity +
           "/><angularVelocity " + angular + "/><acceleration X=\"0\" Y=\"0\" Z=\"0\"/>" +
           "<linearDrag>" + linearDrag + "</linearDrag><angularDrag>" + angularDrag +
           "</angularDrag></RigidBodyComponent>";
}
} // namespace

TEST(RigidBodyComponent, ReadsDragAsReciprocalMassZeroAsStaticAndRefusesBadValues)
{
    PhysicsWorld world;
    LogCapture log;
    auto* body = world
                     .Make(TransformAt(0, 0, 0) + Sphere(1.0f) +
                           BodyXml("1", "X=\"1\"", "X=\"0\"", "1.25", "1"))
                     ->GetComponent<RigidBodyComponent>();
    EXPECT_FLOAT_EQ(body->linearDamping, 0.8f);
    EXPECT_FLOAT_EQ(body->angularDamping, 1.0f);
    EXPECT_FLOAT_EQ(body->inverseMass, 1.0f);
    EXPECT_FLOAT_EQ(body->inverseInertia.m[0], 2.5f) << "a solid sphere of radius 1";
    EXPECT_FLOAT_EQ(body->inverseInertia.m[15], 1.0f);
    EXPECT_EQ(body->GetCollider()->GetBodyKind(), Physics::ColliderComponent::RigidBodyKind);

    auto* still = world.Make(TransformAt(0, 0, 0) + BodyXml("0", "", "", "1", "1"))
                      ->GetComponent<RigidBodyComponent>();
    EXPECT_TRUE(still->IsStatic());
    EXPECT_EQ(still->inverseInertia.m[0], 0.0f) << "no collider: no inertia";

    GameObject* bad = world.Make(TransformAt(0, 0, 0) + BodyXml("-3", "", "", "0", "-2"), "Bad");
    auto* refused = bad->GetComponent<RigidBodyComponent>();
    EXPECT_TRUE(refused->IsStatic());
    EXPECT_FLOAT_EQ(refused->linearDamping, 0.9f);
    EXPECT_FLOAT_EQ(refused->angularDamping, 0.9f);
    const std::string label = "Bad:" + std::to_string(bad->GetId());
    EXPECT_EQ(log.Count("RigidBodyComponent: " + label), 3u) << log.Text();

    auto* particle =
        world
            .Make(TransformAt(0, 0, 0) + "<PhysicsParticleComponent><mass>0</mass><drag>0</drag>"
                                         "</PhysicsParticleComponent>")
            ->GetComponent<PhysicsParticleComponent>();
    EXPECT_EQ(particle->GetInverseMass(), 0.0f);
    EXPECT_FLOAT_EQ(particle->damping, 0.9f);
    EXPECT_EQ(log.Count("PhysicsParticleComponent: "), 2u);
}

// A drag below 1 would leave more than the whole velocity after a second: a pushed body would
// speed up frame by frame until its position overflowed (a character flung out of the arena).
TEST(RigidBodyComponent, RefusesADragThatWouldSpeedTheBodyUp)
{
    PhysicsWorld world;
    LogCapture log;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f) +
                                        BodyXml("1", "X=\"10\"", "X=\"0\"", "0.5", "0.5"),
                                    "Flung");
    auto* body = object->GetComponent<RigidBodyComponent>();
    EXPECT_FLOAT_EQ(body->linearDamping, RigidBodyComponent::DefaultDamping);
    EXPECT_FLOAT_EQ(body->angularDamping, RigidBodyComponent::DefaultDamping);
    EXPECT_EQ(log.Count("RigidBodyComponent: Flung:"), 2u) << log.Text();
    body->SetAwake(true);
    for (int step = 0; step < 60; ++step)
        Physics::IntegrateEuler(*body, Step);
    EXPECT_LT(body->velocity.x, 10.0f) << "a free body only slows down";
}

TEST(RigidBodyComponent, EulerDampsLimitsTheTurnAndStopsSlowSpins)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f) +
                                    BodyXml("1", "X=\"10\"", "Y=\"200\"", "2", "1"));
    auto* body = object->GetComponent<RigidBodyComponent>();
    body->SetAwake(true);
    Physics::IntegrateEuler(*body, Step);
    const f32 damped = 10.0f * static_cast<f32>(std::pow(0.5, static_cast<double>(Step)));
    EXPECT_FLOAT_EQ(body->velocity.x, damped);
    EXPECT_FLOAT_EQ(object->GetComponent<TransformComponent>()->position.x, damped * Step);
    EXPECT_LE(body->angularVelocity.Length(), 1.57079f / Step + 1e-3f);
    EXPECT_GT(body->angularVelocity.Length(), 94.0f);

    body->SetAngularVelocity(Math::Vector4(0.004f, 0, 0, 0));
    Physics::IntegrateEuler(*body, Step);
    EXPECT_TRUE(body->angularVelocity.IsZero());
}

TEST(RigidBodyComponent, SleepsInTheFifthQuietStepAfterWakingAndWakesOnAForce)
{
    PhysicsWorld world;
    auto* body = world.Make(TransformAt(0, 0, 0) + BodyXml("1", "", "", "1", "1"))
                     ->GetComponent<RigidBodyComponent>();
    body->SetAwake(true);
    for (int step = 1; step <= 4; ++step)
    {
        Physics::IntegrateEuler(*body, Step);
        EXPECT_TRUE(body->IsAwake()) << "step " << step;
    }
    Physics::IntegrateEuler(*body, Step);
    EXPECT_FALSE(body->IsAwake());

    // A pushed body wakes and the force acts in the next step.
    body->AddForce(Math::Vector4(60.0f, 0, 0, 0));
    EXPECT_TRUE(body->IsAwake());
    Physics::IntegrateEuler(*body, Step);
    EXPECT_GT(body->velocity.x, 0.9f);

    // A body read moving but never pushed starts with no motion and sleeps at once.
    auto* drifting = world.Make(TransformAt(0, 0, 0) + BodyXml("1", "X=\"1\"", "", "1", "1"))
                         ->GetComponent<RigidBodyComponent>();
    Physics::IntegrateEuler(*drifting, Step);
    EXPECT_FALSE(drifting->IsAwake());
    EXPECT_TRUE(drifting->velocity.IsZero());
}

TEST(RigidBodyComponent, Rk4KeepsOrientationsUnitAndLeavesResting)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f) + Body(2.0f));
    auto* body = object->GetComponent<RigidBodyComponent>();
    auto* transform = object->GetComponent<TransformComponent>();
    transform->orientation = Math::Quaternion(0.8f, 0.6f, 0.0f, 0.0f);

    Physics::IntegrateRk4(*body, Step);
    EXPECT_EQ(transform->orientation.w, 0.8f) << "no spin, no change";
    EXPECT_EQ(transform->orientation.x, 0.6f);

    body->angularMomentum = Math::Vector4(0.3f, 2.0f, -1.0f, 0.0f);
    body->momentum = Math::Vector4(4.0f, 0.0f, 0.0f, 0.0f);
    for (int step = 0; step < 600; ++step)
    {
        Physics::IntegrateRk4(*body, Step);
        const Math::Quaternion& q = transform->orientation;
        ASSERT_NEAR(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z, 1.0f, 1e-5f) << step;
    }
    EXPECT_GT(transform->position.x, 0.5f);
    EXPECT_LT(body->momentum.x, 4.0f) << "damped";
}

TEST(PhysicsParticleComponent, StepsWithTheVelocityOfBeforeTheStep)
{
    PhysicsWorld world;
    GameObject* object =
        world.Make(TransformAt(0, 0, 0) + "<PhysicsParticleComponent><mass>2</mass><drag>1</drag>"
                                          "</PhysicsParticleComponent>");
    auto* particle = object->GetComponent<PhysicsParticleComponent>();
    particle->SetVelocity(Math::Vector4(1, 0, 0, 0));
    particle->AddForce(Math::Vector4(0, 6, 0, 0));
    world.physics->Step(Step);
    EXPECT_FLOAT_EQ(object->GetComponent<TransformComponent>()->position.x, Step);
    EXPECT_FLOAT_EQ(particle->GetVelocity().y, 3.0f * Step);
    EXPECT_TRUE(particle->forceAccumulator.IsZero());
}
