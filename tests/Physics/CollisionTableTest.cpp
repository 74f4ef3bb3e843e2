// The pair tests and the contact reports, through the CollideMessages a physics step posts.
#include "Physics/CollisionTable.h"
#include "Core/Components/TransformComponent.h"
#include "Physics/AABoxColliderComponent.h"
#include "Physics/SphereColliderComponent.h"
#include "tests/Physics/PhysicsWorld.h"
#include <gtest/gtest.h>

using Contacts = std::vector<PhysicsWorld::Contact>;

namespace
{
std::string Circle(f32 radius)
{
    return "<CircleColliderComponent>" + ColliderBase() + "<radius>" + std::to_string(radius) +
           "</radius></CircleColliderComponent>";
}
std::string Plane(f32 a, f32 b, f32 c, f32 d)
{
    return "<PlaneColliderComponent>" + ColliderBase() + "<plane a=\"" + std::to_string(a) +
           "\" b=\"" + std::to_string(b) + "\" c=\"" + std::to_string(c) + "\" d=\"" +
           std::to_string(d) + "\"/></PlaneColliderComponent>";
}
std::string HalfSpace(f32 y, f32 offset)
{
    return "<HalfSpaceColliderComponent>" + ColliderBase() + "<normal X=\"0\" Y=\"" +
           std::to_string(y) + "\" Z=\"0\"/><offset>" + std::to_string(offset) +
           "</offset></HalfSpaceColliderComponent>";
}
std::string Capsule()
{
    return "<CapsuleColliderComponent>" + ColliderBase() +
           "<radius>50</radius><f32>1</f32></CapsuleColliderComponent>";
}

void ExpectNormal(const Math::Vector4& normal, f32 x, f32 y, f32 z)
{
    EXPECT_NEAR(normal.x, x, 1e-5f);
    EXPECT_NEAR(normal.y, y, 1e-5f);
    EXPECT_NEAR(normal.z, z, 1e-5f);
    EXPECT_EQ(normal.w, 0.0f);
}
} // namespace

TEST(CollisionTable, TouchingSpheresTellBothObjectsWhetherTheContactIsNew)
{
    {
        PhysicsWorld world;
        GameObject* a = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f));
        GameObject* b = world.Make(TransformAt(1.5f, 0, 0) + Sphere(1.0f));
        Contacts first = world.StepContacts();
        ASSERT_EQ(first.size(), 2u);
        EXPECT_EQ(first[0].receiver, a->GetId());
        EXPECT_EQ(first[0].other, b->GetId());
        ExpectNormal(first[0].normal, 1, 0, 0);
        EXPECT_EQ(first[1].receiver, b->GetId());
        ExpectNormal(first[1].normal, -1, 0, 0);
        EXPECT_TRUE(first[0].isNew && first[1].isNew);

        Contacts second = world.StepContacts();
        ASSERT_EQ(second.size(), 2u);
        EXPECT_FALSE(second[0].isNew || second[1].isNew);

        b->GetComponent<TransformComponent>()->position.x = 5.0f;
        world.StepContacts(); // the shapes move at the end of this step
        EXPECT_TRUE(world.StepContacts().empty());
        b->GetComponent<TransformComponent>()->position.x = 1.5f;
        world.StepContacts();
        Contacts again = world.StepContacts();
        ASSERT_EQ(again.size(), 2u);
        EXPECT_TRUE(again[0].isNew);
    }
}

TEST(CollisionTable, MasksSilenceOneSideOrSkipThePair)
{
    {
        PhysicsWorld world;
        // B belongs to group 2, which A ignores: only B hears of the contact.
        world.Make(TransformAt(0, 0, 0) + Sphere(1.0f, 1, 2));
        GameObject* b = world.Make(TransformAt(1.5f, 0, 0) + Sphere(1.0f, 2, 0));
        Contacts contacts = world.StepContacts();
        ASSERT_EQ(contacts.size(), 1u);
        EXPECT_EQ(contacts[0].receiver, b->GetId());
    }
    {
        // Both ignore each other: not tested, not recorded.
        PhysicsWorld both;
        both.Make(TransformAt(0, 0, 0) + Sphere(1.0f, 1, 2));
        both.Make(TransformAt(1.5f, 0, 0) + Sphere(1.0f, 2, 1));
        EXPECT_TRUE(both.StepContacts().empty());
        EXPECT_EQ(both.physics->GetReporter().GetCurrentCount(), 0u);
    }
    {
        // Two static bodies never collide.
        PhysicsWorld still;
        still.Make(TransformAt(0, 0, 0) + Sphere(1.0f) + Body(0.0f));
        still.Make(TransformAt(1.5f, 0, 0) + Sphere(1.0f) + Body(0.0f));
        EXPECT_TRUE(still.StepContacts().empty());
    }
}

TEST(CollisionTable, BoxesTouchSpheresAndBoxesAlongTheRightNormals)
{
    {
        PhysicsWorld world;
        world.Make(TransformAt(0, 0, 0) + Box(2, 2, 2));
        GameObject* sphere = world.Make(TransformAt(1.4f, 0, 0) + Sphere(0.5f));
        world.StepContacts(); // the box's world matrix follows its object from the first step on
        Contacts touching = world.StepContacts();
        ASSERT_EQ(touching.size(), 2u);
        ExpectNormal(touching[0].normal, 1, 0, 0); // the box is told: toward the sphere
        sphere->GetComponent<TransformComponent>()->position.x = 1.6f;
        world.StepContacts();
        EXPECT_TRUE(world.StepContacts().empty());
    }
    {
        // Registered sphere first: the box is still A of the report and hears first.
        PhysicsWorld swapped;
        swapped.Make(TransformAt(1.4f, 0, 0) + Sphere(0.5f));
        GameObject* box = swapped.Make(TransformAt(0, 0, 0) + Box(2, 2, 2));
        swapped.StepContacts();
        Contacts reversed = swapped.StepContacts();
        ASSERT_EQ(reversed.size(), 2u);
        EXPECT_EQ(reversed[0].receiver, box->GetId());
    }
    {
        // Box against box, A turned 45 degrees about Z with a corner in B's face: the best axis
        // is B's face, and B is told its face normal pointing toward A.
        PhysicsWorld boxes;
        GameObject* a = boxes.Make(TransformAt(0, 0, 0) + Box(2, 2, 2));
        a->GetComponent<TransformComponent>()->orientation.FromEuler(0.0f, 0.0f, 45.0f);
        GameObject* b = boxes.Make(TransformAt(2.3f, 0, 0) + Box(2, 2, 2));
        boxes.StepContacts();
        Contacts faces = boxes.StepContacts();
        ASSERT_EQ(faces.size(), 2u);
        EXPECT_EQ(faces[0].receiver, a->GetId());
        ExpectNormal(faces[0].normal, 1, 0, 0);
        EXPECT_EQ(faces[1].receiver, b->GetId());
        ExpectNormal(faces[1].normal, -1, 0, 0);
    }
}

TEST(CollisionTable, PlanesHalfSpacesCirclesAndCapsules)
{
    {
        PhysicsWorld world;
        // y = 0 plane: a sphere far below it still touches it.
        world.Make(TransformAt(0, 0, 0) + Plane(0, 1, 0, 0), "Floor");
        GameObject* below = world.Make(TransformAt(0, -50, 0) + Sphere(1.0f), "Below");
        world.Make(TransformAt(0, 0, 0) + Capsule(), "Capsule");
        Contacts contacts = world.StepContacts();
        ASSERT_EQ(contacts.size(), 2u);
        EXPECT_EQ(contacts[0].receiver, below->GetId()) << "the sphere is A of the report";
        ExpectNormal(contacts[0].normal, 0, -1, 0);
    }
    {
        PhysicsWorld half;
        half.Make(TransformAt(0, 0, 0) + HalfSpace(1, 0));
        half.Make(TransformAt(0, 0.9f, 0) + Sphere(1.0f));
        half.Make(TransformAt(5, 0.9f, 0) + Box(2, 2, 2));
        half.StepContacts();
        EXPECT_EQ(half.StepContacts().size(), 4u);
    }
    {
        // Circles at different heights: horizontal normals, not renormalised.
        PhysicsWorld circles;
        circles.Make(TransformAt(0, 0, 0) + Circle(1.0f));
        circles.Make(TransformAt(1, 1, 0) + Circle(1.0f));
        Contacts flat = circles.StepContacts();
        ASSERT_EQ(flat.size(), 2u);
        ExpectNormal(flat[0].normal, std::sqrt(0.5f), 0, 0);
    }
}

TEST(CollisionTable, CoincidingCentresGiveZeroNormalsAndALoneShapeStillFollows)
{
    {
        PhysicsWorld world;
        world.Make(TransformAt(2, 0, 0) + Sphere(1.0f));
        world.Make(TransformAt(2, 0, 0) + Sphere(0.5f));
        Contacts contacts = world.StepContacts();
        ASSERT_EQ(contacts.size(), 2u);
        ExpectNormal(contacts[0].normal, 0, 0, 0);
        ExpectNormal(contacts[1].normal, 0, 0, 0);
    }
    PhysicsWorld alone;
    GameObject* object = alone.Make(TransformAt(0, 0, 0) + Sphere(1.0f));
    object->GetComponent<TransformComponent>()->position.z = 7.0f;
    EXPECT_TRUE(alone.StepContacts().empty());
    const auto* sphere = static_cast<const Physics::SphereColliderComponent*>(
        object->GetComponent<Physics::ColliderComponent>());
    EXPECT_EQ(sphere->GetSphere().centre.z, 7.0f);
}
