// Colliders: what they write reads back the same, how they join the physics system, and their
// point tests.
#include "Physics/ColliderComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Physics/AABoxColliderComponent.h"
#include "Physics/CapsuleColliderComponent.h"
#include "Physics/CircleColliderComponent.h"
#include "Physics/HalfSpaceColliderComponent.h"
#include "Physics/PlaneColliderComponent.h"
#include "Physics/SphereColliderComponent.h"
#include "Xml/XmlWriter.h"
#include "tests/Physics/PhysicsWorld.h"
#include <gtest/gtest.h>

using namespace Physics;

namespace
{
// A copy of the collider made by writing it and reading what was written on a new object.
template <class T> T& Reread(PhysicsWorld& world, GameObjectComponent& component)
{
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("Copy");
    document.InsertEndChild(root);
    root->InsertEndChild(document.NewElement("TransformComponent"));
    tinyxml2::XMLElement* element = document.NewElement(component.GetName().c_str());
    root->InsertEndChild(element);
    Serializer::XmlWriter writer(document, element);
    component.Serialize(writer);
    GameObject* copy = world.factory.CreateObject("Copy", Engine::GenerateId());
    copy->Deserialize(root->FirstChildElement());
    return *static_cast<T*>(copy->GetComponent<ColliderComponent>());
}

std::string Base()
{
    return "<enabled>0</enabled><Category>5</Category><Mask>12</Mask>";
}

void ExpectSameBase(const ColliderComponent& copy)
{
    EXPECT_FALSE(copy.IsEnabled());
    EXPECT_EQ(copy.Category, 5u);
    EXPECT_EQ(copy.Mask, 12u);
}
} // namespace

TEST(ColliderComponent, EveryColliderReadsBackWhatItWrote)
{
    PhysicsWorld world;
    GameObject* object = world.Make(
        TransformAt(0, 0, 0) + "<SphereColliderComponent>" + Base() +
        "<r>2.5</r></SphereColliderComponent><CircleColliderComponent>" + Base() +
        "<r>0.75</r></CircleColliderComponent><AABoxColliderComponent>" + Base() +
        "<size X=\"1\" Y=\"2\" Z=\"3\"/></AABoxColliderComponent><CapsuleColliderComponent>" +
        Base() + "<r>0.5</r><f32>7</f32></CapsuleColliderComponent><PlaneColliderComponent>" +
        Base() + "<p a=\"0\" b=\"1\" c=\"0\" d=\"-2.25\"/></PlaneColliderComponent>" +
        "<HalfSpaceColliderComponent>" + Base() +
        "<normal X=\"1\" Y=\"0\" Z=\"0\"/><offset>4</offset></HalfSpaceColliderComponent>");
    std::vector<GameObjectComponent*> colliders;
    for (const GameObject::ComponentEntry& entry : object->GetComponentList())
    {
        if (entry.typeId == ComponentTypeId<ColliderComponent>())
            colliders.push_back(entry.component);
    }
    ASSERT_EQ(colliders.size(), 6u);

    auto& sphere = Reread<SphereColliderComponent>(world, *colliders[0]);
    ExpectSameBase(sphere);
    EXPECT_FLOAT_EQ(sphere.GetSphere().radius, 2.5f);
    auto& circle = Reread<CircleColliderComponent>(world, *colliders[1]);
    ExpectSameBase(circle);
    EXPECT_FLOAT_EQ(circle.GetCircle().radius, 0.75f);
    auto& box = Reread<AABoxColliderComponent>(world, *colliders[2]);
    ExpectSameBase(box);
    EXPECT_FLOAT_EQ(box.GetHalfExtents().z, 1.5f);
    auto& capsule = Reread<CapsuleColliderComponent>(world, *colliders[3]);
    ExpectSameBase(capsule);
    EXPECT_FLOAT_EQ(capsule.GetCapsule().radius, 0.5f);
    EXPECT_FLOAT_EQ(capsule.GetExtra(), 7.0f);
    auto& plane = Reread<PlaneColliderComponent>(world, *colliders[4]);
    ExpectSameBase(plane);
    EXPECT_FLOAT_EQ(plane.GetPlane().b, 1.0f);
    EXPECT_FLOAT_EQ(plane.GetPlane().d, -2.25f);
    auto& half = Reread<HalfSpaceColliderComponent>(world, *colliders[5]);
    ExpectSameBase(half);
    EXPECT_FLOAT_EQ(half.GetNormal().x, 1.0f);
    EXPECT_FLOAT_EQ(half.GetOffset(), 4.0f);
}

TEST(ColliderComponent, JoinsThePhysicsSystemOnceAndLeavesWithItsObject)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f) + Box(1, 1, 1));
    ASSERT_EQ(world.physics->GetColliders().size(), 2u);
    auto* sphere = object->GetComponent<ColliderComponent>();
    world.physics->AddCollider(sphere);
    EXPECT_EQ(world.physics->GetColliders().size(), 2u);
    world.factory.DestroyObject(object->GetId());
    EXPECT_TRUE(world.physics->GetColliders().empty());
}

// An object with two colliders in one place (the editor's "Copy" of a collider makes such an
// object) collides with others through both, never with itself.
TEST(ColliderComponent, TheCollidersOfOneObjectNeverCollideWithEachOther)
{
    PhysicsWorld world;
    GameObject* golem = world.Make(TransformAt(0, 0, 0) + Sphere(1.0f) + Sphere(1.0f), "Golem");
    GameObject* rock = world.Make(TransformAt(0.5f, 0, 0) + Sphere(1.0f), "Rock");
    world.StepContacts();
    const std::vector<PhysicsWorld::Contact> contacts = world.StepContacts();
    ASSERT_FALSE(contacts.empty());
    for (const PhysicsWorld::Contact& contact : contacts)
    {
        EXPECT_NE(contact.receiver, contact.other);
        EXPECT_TRUE(contact.receiver == golem->GetId() || contact.receiver == rock->GetId());
    }
}

TEST(ColliderComponent, ShapesFollowTheirObjectAndAnswerPointTests)
{
    PhysicsWorld world;
    GameObject* object = world.Make(TransformAt(1, 0, 0) + "<CircleColliderComponent>" +
                                    ColliderBase() + "<r>2</r></CircleColliderComponent>");
    auto& circle =
        *static_cast<CircleColliderComponent*>(object->GetComponent<ColliderComponent>());
    object->GetComponent<TransformComponent>()->position.x = 4.0f;
    EXPECT_TRUE(circle.ContainsPoint(Math::Point4(5.5f, 0, 0, 1)));
    EXPECT_FALSE(circle.ContainsPoint(Math::Point4(6.0f, 0, 0, 1))) << "strictly inside";
    world.physics->Step(Physics::System::PhysicsSystem::FixedStep);
    EXPECT_EQ(circle.GetCircle().centre.x, 4.0f) << "the centre follows every step";

    GameObject* floor =
        world.Make(TransformAt(0, 0, 0) + "<PlaneColliderComponent>" + ColliderBase() +
                   "<p a=\"0\" b=\"1\" c=\"0\" d=\"-2\"/>" + "</PlaneColliderComponent>");
    const ColliderComponent* plane = floor->GetComponent<ColliderComponent>();
    EXPECT_TRUE(plane->ContainsPoint(Math::Point4(3, 2.000001f, 0, 1)));
    EXPECT_FALSE(plane->ContainsPoint(Math::Point4(3, 2.001f, 0, 1)));
    EXPECT_FALSE(plane->ContainsPoint(Math::Point4(3, 4.0f, 0, 1)));
}

TEST(ColliderComponent, AMountedObjectCollidesWhereItIsDrawn)
{
    PhysicsWorld world;
    GameObject* creator = world.Make(TransformAt(10, 0, 0), "Creator");
    GameObject* mounted = world.Make(
        "<TransformComponent><position X=\"1\" Y=\"0\" Z=\"0\"/><orientation X=\"0\" Y=\"0\" "
        "Z=\"0\"/><scale X=\"1\" Y=\"1\" Z=\"1\"/><relativeToCreator>0</relativeToCreator>"
        "<updateRelativeToCreator>1</updateRelativeToCreator></TransformComponent>" +
        Sphere(1.0f));
    mounted->SetCreatorId(creator->GetId());
    world.physics->Step(Physics::System::PhysicsSystem::FixedStep);
    const auto& sphere =
        *static_cast<SphereColliderComponent*>(mounted->GetComponent<ColliderComponent>());
    EXPECT_EQ(sphere.GetSphere().centre.x, 11.0f);
}
