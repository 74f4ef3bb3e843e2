// Covers: PhysicsSystem, RigidBodyComponent, FixedJointComponent.
// Two runs of one crowded scene (spheres, boxes, a floor, joints, bodies that sleep and are
// woken) give bit-identical states and contacts, and the same as the recorded value. A
// deliberate change to how physics moves or collides updates RecordedHash in the same commit.
#include "Core/Components/TransformComponent.h"
#include "Math/MathUtils.h"
#include "Physics/RigidBodyComponent.h"
#include "tests/Physics/PhysicsWorld.h"
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>
#include <unordered_map>

namespace
{
constexpr int BodyCount = 200;
constexpr int StepCount = 600;
constexpr int PushEvery = 25;
constexpr u64 RecordedHash = 12077777743205042287ull;

struct Fnv
{
    u64 value = 1469598103934665603ull;
    void Add(const void* data, std::size_t size)
    {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            value = (value ^ bytes[i]) * 1099511628211ull;
    }
};

// The hash of one run; also counts the contacts reported and the bodies asleep at the end.
u64 RunScene(std::size_t& contacts, std::size_t& sleeping)
{
    contacts = 0;
    sleeping = 0;
    Math::SeedRand(7);
    PhysicsWorld world;
    world.Make(TransformAt(0, 0, 0) + "<PlaneColliderComponent>" + ColliderBase() +
                   "<p a=\"0\" b=\"1\" c=\"0\" d=\"2\"/></PlaneColliderComponent>",
               "Floor");
    std::vector<GameObject*> bodies;
    std::unordered_map<u32, u32> index; // object id -> creation order (ids differ between runs)
    for (int i = 0; i < BodyCount; ++i)
    {
        const f32 x = Math::RandRange(-15.0f, 25.0f);
        const f32 y = Math::RandRange(-3.0f, 3.0f);
        const f32 z = Math::RandRange(-6.0f, 6.0f);
        std::ostringstream xml;
        xml << "<TransformComponent><position X=\"" << x << "\" Y=\"" << y << "\" Z=\"" << z
            << "\"/><orientation X=\"" << Math::Rand() % 90 << "\" Y=\"" << Math::Rand() % 90
            << "\" Z=\"0\"/></TransformComponent>";
        if (i % 2 == 0)
            xml << Sphere(Math::RandRange(0.3f, 1.2f));
        else
            xml << Box(Math::RandRange(0.5f, 2.0f), 1.0f, Math::RandRange(0.5f, 2.0f));
        xml << Body(i % 10 == 0 ? 0.0f : Math::RandRange(0.5f, 3.0f));
        if (i % 3 == 0)
            xml << "<FixedJointComponent><f32>" << Math::RandRange(0.5f, 4.0f) << "</f32><f32>"
                << Math::RandRange(0.0f, 6.0f) << "</f32></FixedJointComponent>";
        bodies.push_back(world.Make(xml.str()));
        index[bodies.back()->GetId()] = static_cast<u32>(i);
    }

    Fnv hash;
    for (int step = 0; step < StepCount; ++step)
    {
        if (step % PushEvery == 0)
        {
            auto* body = bodies[static_cast<std::size_t>((step / PushEvery) * 37 % BodyCount)]
                             ->GetComponent<Physics::RigidBodyComponent>();
            body->AddForce(Math::Vector4(30.0f, 5.0f, -20.0f, 0.0f));
            body->AddTorque(Math::Vector4(0.0f, 40.0f, 3.0f, 0.0f));
        }
        for (const PhysicsWorld::Contact& contact : world.StepContacts())
        {
            ++contacts;
            const u32 receiver =
                index.count(contact.receiver) ? index[contact.receiver] : BodyCount;
            const u32 other = index.count(contact.other) ? index[contact.other] : BodyCount;
            hash.Add(&receiver, sizeof(receiver));
            hash.Add(&other, sizeof(other));
            hash.Add(&contact.normal, sizeof(contact.normal));
            hash.Add(&contact.isNew, sizeof(contact.isNew));
        }
    }
    for (GameObject* object : bodies)
    {
        const auto* transform = object->GetComponent<TransformComponent>();
        const auto* body = object->GetComponent<Physics::RigidBodyComponent>();
        hash.Add(&transform->position, sizeof(transform->position));
        hash.Add(&transform->orientation, sizeof(transform->orientation));
        hash.Add(&body->velocity, sizeof(body->velocity));
        hash.Add(&body->angularVelocity, sizeof(body->angularVelocity));
        hash.Add(&body->awake, sizeof(body->awake));
        sleeping += body->awake ? 0 : 1;
    }
    Math::SeedRand(1);
    return hash.value;
}
} // namespace

TEST(PhysicsDeterminism, TwoRunsOfACrowdedSceneAgreeBitForBitWithTheRecordedValue)
{
    std::size_t contacts = 0;
    std::size_t sleeping = 0;
    const u64 first = RunScene(contacts, sleeping);
    const u64 second = RunScene(contacts, sleeping);
    EXPECT_EQ(first, second);
    // The scene exercises what it should: many contacts, bodies asleep and awake.
    EXPECT_GT(contacts, 1000u);
    EXPECT_GT(sleeping, 10u);
    EXPECT_LT(sleeping, static_cast<std::size_t>(BodyCount) - 10);
    EXPECT_EQ(first, RecordedHash) << "recorded value: " << first;
}
