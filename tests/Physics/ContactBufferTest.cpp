// The contact resolvers on contacts written by hand (nothing in a step writes any yet).
#include "Physics/ContactBuffer.h"
#include "Core/Components/TransformComponent.h"
#include "Physics/ParticleContactBuffer.h"
#include "Physics/PhysicsParticleComponent.h"
#include "Physics/RigidBodyComponent.h"
#include "tests/Physics/PhysicsWorld.h"
#include <gtest/gtest.h>

using namespace Physics;

namespace
{
constexpr f32 Step = System::PhysicsSystem::FixedStep;
const std::string Particle =
    "<PhysicsParticleComponent><mass>1</mass><drag>1</drag></PhysicsParticleComponent>";
} // namespace

TEST(ParticleContactBuffer, BouncesAndSeparatesTheClosingPairThenStops)
{
    PhysicsWorld world;
    GameObject* first = world.Make(TransformAt(0, 0, 0) + Particle);
    GameObject* second = world.Make(TransformAt(1, 0, 0) + Particle);
    auto* p1 = first->GetComponent<PhysicsParticleComponent>();
    auto* p2 = second->GetComponent<PhysicsParticleComponent>();
    p1->SetVelocity(Math::Vector4(1, 0, 0, 0));
    p2->SetVelocity(Math::Vector4(-1, 0, 0, 0));

    ParticleContactBuffer buffer;
    ParticleContact* contact = buffer.Add();
    contact->particles[0] = p1;
    contact->particles[1] = p2;
    contact->normal = Math::Vector4(-1, 0, 0, 0);
    contact->restitution = 0.5f;
    contact->penetration = 0.1f;
    buffer.Resolve(Step);

    EXPECT_FLOAT_EQ(p1->GetVelocity().x, -0.5f);
    EXPECT_FLOAT_EQ(p2->GetVelocity().x, 0.5f);
    EXPECT_FLOAT_EQ(p1->GetPosition().x, -0.05f);
    EXPECT_FLOAT_EQ(p2->GetPosition().x, 1.05f);
    EXPECT_NEAR(contact->penetration, 0.0f, 1e-6f);
    EXPECT_EQ(buffer.iterationsUsed, 1u);

    // Every contact separating: the first iteration finds nothing.
    buffer.Resolve(Step);
    EXPECT_EQ(buffer.iterationsUsed, 0u);
    buffer.Clear();
    buffer.Resolve(Step);
    EXPECT_EQ(buffer.iterationsUsed, 0u);
}

TEST(ContactBuffer, LiftsABodyOutOfTheGroundAndStopsItsFall)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f) + Body(1.0f));
    auto* body = object->GetComponent<RigidBodyComponent>();
    body->UpdateDerivedData();
    body->SetVelocity(Math::Vector4(0, -2, 0, 0));

    ContactBuffer buffer;
    buffer.Resolve(Step);
    EXPECT_EQ(buffer.positionIterationsUsed, 0u);

    RigidContact* contact = buffer.Add();
    contact->bodies[0] = nullptr; // the world first: the resolver swaps the sides
    contact->bodies[1] = body;
    contact->normal = Math::Vector4(0, -1, 0, 0);
    contact->point = Math::Point4(0, -1, 0, 1);
    contact->penetration = 0.2f;
    buffer.Resolve(Step);

    EXPECT_EQ(contact->bodies[0], body);
    EXPECT_FLOAT_EQ(object->GetComponent<TransformComponent>()->position.y, 0.2f);
    EXPECT_NEAR(body->GetVelocity().y, 0.0f, 1e-6f);
    EXPECT_EQ(buffer.positionIterationsUsed, 1u);
    EXPECT_EQ(buffer.velocityIterationsUsed, 1u);
}

TEST(ContactBuffer, FrictionSlowsASlidingBody)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f) + Body(1.0f));
    auto* body = object->GetComponent<RigidBodyComponent>();
    body->UpdateDerivedData();
    body->SetVelocity(Math::Vector4(3, -2, 0, 0));

    ContactBuffer buffer;
    RigidContact* contact = buffer.Add();
    contact->bodies[0] = body;
    contact->normal = Math::Vector4(0, 1, 0, 0);
    contact->point = Math::Point4(0, -1, 0, 1);
    contact->friction = 0.5f;
    contact->dynamicFriction = 0.4f;
    buffer.Resolve(Step);

    EXPECT_GT(body->GetVelocity().y, -0.01f) << "no longer closing";
    EXPECT_LT(body->GetVelocity().x, 3.0f);
    EXPECT_GT(body->GetVelocity().x, 0.0f);
    EXPECT_FALSE(body->GetAngularVelocity().IsZero()) << "the rub at its bottom turns it";

    // Without iterations or with a negative position epsilon nothing runs.
    body->SetVelocity(Math::Vector4(3, -2, 0, 0));
    buffer.positionEpsilon = -1.0f;
    buffer.Resolve(Step);
    EXPECT_EQ(body->GetVelocity().x, 3.0f);
}
