// Joints: the fixed joint's spring force and the force registry's entries.
#include "Physics/FixedJointComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Physics/RigidBodyComponent.h"
#include "tests/Physics/PhysicsWorld.h"
#include <gtest/gtest.h>

using Physics::FixedJointComponent;
using Physics::RigidBodyComponent;

namespace
{
const std::string FixedJoint =
    "<FixedJointComponent><f32>2</f32><f32>1</f32></FixedJointComponent>";
}

TEST(FixedJointComponent, PullsTowardTheAnchorUntilTheRestLength)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(13, 0, 0) + Body(1.0f) + FixedJoint);
    auto* body = object->GetComponent<RigidBodyComponent>();
    auto* joint = object->GetComponent<FixedJointComponent>();
    ASSERT_TRUE(joint->IsRegistered());

    const f32 expected[][2] = {{13.0f, -4.0f}, {10.5f, 1.0f}, {10.0f, 0.0f}};
    for (const auto& [x, force] : expected)
    {
        object->GetComponent<TransformComponent>()->position.x = x;
        body->ClearAccumulators();
        joint->UpdateForce(*body, Physics::System::PhysicsSystem::FixedStep);
        EXPECT_FLOAT_EQ(body->forceAccumulator.x, force) << "at x = " << x;
        EXPECT_EQ(body->forceAccumulator.y, 0.0f);
    }
    EXPECT_TRUE(body->IsAwake());
}

TEST(FixedJointComponent, RegistryEntriesComeAndGoWithJointsAndBodies)
{
    PhysicsWorld world;
    // Two joints on one object both act, in the order they were read.
    GameObject* twice = world.Make(TransformAt(13, 0, 0) + Body(1.0f) + FixedJoint + FixedJoint);
    const auto& registry = world.physics->GetForceRegistry();
    ASSERT_EQ(registry.size(), 2u);
    world.physics->Step(Physics::System::PhysicsSystem::FixedStep);
    EXPECT_LT(twice->GetComponent<TransformComponent>()->position.x, 13.0f);

    // No body: no entry.
    world.Make(TransformAt(0, 0, 0) + FixedJoint);
    EXPECT_EQ(registry.size(), 2u);

    // A removed joint leaves; a destroyed object takes its entries along.
    GameObject* other = world.Make(TransformAt(13, 0, 0) + Body(1.0f) + FixedJoint);
    ASSERT_EQ(registry.size(), 3u);
    GameObjectComponent* joint = other->GetComponent<FixedJointComponent>();
    other->RemoveComponent(joint->GetId());
    EXPECT_EQ(registry.size(), 2u);
    world.factory.DestroyObject(twice->GetId());
    EXPECT_TRUE(registry.empty());

    // A body destroyed before its joint clears the entry itself.
    GameObject* third = world.Make(TransformAt(13, 0, 0) + Body(1.0f) + FixedJoint);
    third->RemoveComponent(third->GetComponent<RigidBodyComponent>()->GetId());
    EXPECT_TRUE(registry.empty());
    world.physics->Step(Physics::System::PhysicsSystem::FixedStep);
}
