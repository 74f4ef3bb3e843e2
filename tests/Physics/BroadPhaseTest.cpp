// The broad phase leaves out only pairs that cannot touch: over random scenes collision
// detection through it posts exactly what the walk over every pair posts, message by message
// and bit by bit.
#include "Physics/BroadPhase.h"
#include "Core/Components/TransformComponent.h"
#include "Math/MathUtils.h"
#include "Physics/SphereColliderComponent.h"
#include "tests/Physics/PhysicsWorld.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>
#include <unordered_map>

using Physics::System::PhysicsSystem;

namespace
{
constexpr int SceneCount = 1000;
constexpr int MaxInitialColliders = 24;
// Positions and sizes sit on a grid of quarters, so that shapes often touch exactly.
constexpr f32 Grid = 0.25f;

int Pick(int count)
{
    return Math::Rand() % count;
}
f32 OnGrid(int low, int high)
{
    return static_cast<f32>(low + Pick(high - low + 1)) * Grid;
}

// One object of a scene as component XML, drawn from the generator.
std::string RandomObject()
{
    std::ostringstream xml;
    xml << "<TransformComponent><position X=\"" << OnGrid(-12, 12) << "\" Y=\"" << OnGrid(-4, 4)
        << "\" Z=\"" << OnGrid(-4, 4) << "\"/>";
    const bool turned = Pick(3) == 0;
    if (turned)
        xml << "<orientation X=\"" << Pick(360) << "\" Y=\"" << Pick(360) << "\" Z=\"" << Pick(360)
            << "\"/>";
    xml << "</TransformComponent>";

    // Masks and categories from three groups; now and then both sides ignore each other.
    const u32 category = static_cast<u32>(Pick(8));
    const u32 mask = Pick(4) == 0 ? static_cast<u32>(Pick(8)) : 0u;
    const std::string base = ColliderBase(category, mask);
    switch (Pick(12))
    {
    case 0:
    case 1:
    case 2:
    case 3:
        xml << "<SphereColliderComponent>" << base << "<r>" << OnGrid(0, 8)
            << "</r></SphereColliderComponent>";
        break;
    case 4:
    case 5:
    case 6:
        xml << "<AABoxColliderComponent>" << base << "<size X=\"" << OnGrid(1, 12) << "\" Y=\""
            << OnGrid(1, 12) << "\" Z=\"" << OnGrid(1, 12) << "\"/></AABoxColliderComponent>";
        break;
    case 7:
    case 8:
        xml << "<CircleColliderComponent>" << base << "<r>" << OnGrid(1, 8)
            << "</r></CircleColliderComponent>";
        break;
    case 9:
        xml << "<CapsuleColliderComponent>" << base << "<r>2</r><f32>1</f32>"
            << "</CapsuleColliderComponent>";
        break;
    case 10:
    {
        const int axis = Pick(3);
        xml << "<PlaneColliderComponent>" << base << "<p a=\"" << (axis == 0) << "\" b=\""
            << (axis == 1) << "\" c=\"" << (axis == 2) << "\" d=\"" << OnGrid(-8, 8)
            << "\"/></PlaneColliderComponent>";
        break;
    }
    default:
        xml << "<HalfSpaceColliderComponent>" << base << "<n X=\"0\" Y=\"" << (Pick(2) ? 1 : -1)
            << "\" Z=\"0\"/><offset>" << OnGrid(-8, 8) << "</offset></HalfSpaceColliderComponent>";
        break;
    }
    switch (Pick(5))
    {
    case 0:
        xml << Body(0.0f);
        break;
    case 1:
        xml << Body(1.0f);
        break;
    case 2:
        xml << "<PhysicsParticleComponent><mass>1</mass><drag>1</drag></PhysicsParticleComponent>";
        break;
    default:
        break;
    }
    return xml.str();
}

// One scene played on one world: objects made, stepped, some destroyed or moved, stepped again.
struct Scene
{
    std::vector<std::string> objects;    // in creation order
    std::vector<std::vector<int>> kills; // creation indices destroyed before each step
    std::vector<int> moves;              // objects moved before the last steps
    int steps = 4;
};

Scene RandomScene()
{
    Scene scene;
    const int initial = 2 + Pick(MaxInitialColliders);
    for (int i = 0; i < initial; ++i)
        scene.objects.push_back(RandomObject());
    scene.kills.resize(static_cast<std::size_t>(scene.steps));
    for (int step = 1; step < scene.steps; ++step)
    {
        for (int k = Pick(3); k > 0; --k)
            scene.kills[static_cast<std::size_t>(step)].push_back(Pick(initial));
    }
    for (int m = Pick(4); m > 0; --m)
        scene.moves.push_back(Pick(initial));
    return scene;
}

// Every CollideMessage of every step, with objects named by creation index.
std::string Play(const Scene& scene, PhysicsSystem::Detection detection, int extraSeed)
{
    PhysicsWorld world;
    world.physics->SetDetection(detection);
    std::vector<u32> ids;
    std::unordered_map<u32, std::size_t> index;
    auto make = [&](const std::string& xml)
    {
        GameObject* object = world.Make(xml);
        index[object->GetId()] = ids.size();
        ids.push_back(object->GetId());
    };
    for (const std::string& object : scene.objects)
        make(object);

    std::ostringstream record;
    Math::SeedRand(static_cast<u32>(extraSeed));
    for (int step = 0; step < scene.steps; ++step)
    {
        for (int kill : scene.kills[static_cast<std::size_t>(step)])
            world.factory.DestroyObject(ids[static_cast<std::size_t>(kill)]);
        if (step == 2)
        {
            for (int move : scene.moves)
            {
                if (GameObject* object =
                        world.factory.FindObject(ids[static_cast<std::size_t>(move)]))
                    object->GetComponent<TransformComponent>()->position.y += Grid;
            }
            make(RandomObject()); // a collider added late
        }
        for (const PhysicsWorld::Contact& contact : world.StepContacts())
        {
            u32 bits[4];
            std::memcpy(bits, &contact.normal, sizeof(bits));
            record << index[contact.receiver] << ">" << index[contact.other] << " " << bits[0]
                   << "," << bits[1] << "," << bits[2] << "," << bits[3] << " " << contact.isNew
                   << "\n";
        }
        record << "--\n";
    }
    return record.str();
}
} // namespace

TEST(BroadPhase, PostsExactlyWhatTheWalkOverEveryPairPosts)
{
    std::size_t contacts = 0;
    for (int sceneIndex = 0; sceneIndex < SceneCount; ++sceneIndex)
    {
        Math::SeedRand(static_cast<u32>(1000 + sceneIndex));
        const Scene scene = RandomScene();
        const std::string swept = Play(scene, PhysicsSystem::Detection::SortAndSweep, sceneIndex);
        const std::string walked = Play(scene, PhysicsSystem::Detection::AllPairs, sceneIndex);
        ASSERT_EQ(swept, walked) << "scene " << sceneIndex;
        contacts += static_cast<std::size_t>(std::count(walked.begin(), walked.end(), '>'));
    }
    // The scenes are crowded enough to test something.
    EXPECT_GT(contacts, static_cast<std::size_t>(SceneCount) * 10);
    Math::SeedRand(1);
}

TEST(BroadPhase, PairsUnboundedShapesWithEveryOtherAndCapsulesWithNone)
{
    PhysicsWorld world;
    world.Make(TransformAt(0, 0, 0) + Sphere(1.0f));
    world.Make(TransformAt(0, 0, 0) + "<CapsuleColliderComponent>" + ColliderBase() +
               "<r>5</r></CapsuleColliderComponent>");
    world.Make(TransformAt(100, 0, 0) + "<PlaneColliderComponent>" + ColliderBase() +
               "<p a=\"0\" b=\"1\" c=\"0\" d=\"0\"/></PlaneColliderComponent>");
    world.Make(TransformAt(50, 0, 0) + Sphere(1.0f));
    GameObject* endless = world.Make(TransformAt(51, 0, 0) + Sphere(1.0f));
    static_cast<Physics::SphereColliderComponent*>(
        endless->GetComponent<Physics::ColliderComponent>())
        ->GetSphere()
        .radius = INFINITY;
    Physics::BroadPhase broad;
    std::vector<std::pair<u32, u32>> pairs;
    for (u64 pair : broad.FindPairs(world.physics->GetColliders()))
        pairs.emplace_back(Physics::BroadPhase::First(pair), Physics::BroadPhase::Second(pair));
    const std::vector<std::pair<u32, u32>> expected = {{0, 2}, {0, 4}, {2, 3}, {2, 4}, {3, 4}};
    EXPECT_EQ(pairs, expected);
}
