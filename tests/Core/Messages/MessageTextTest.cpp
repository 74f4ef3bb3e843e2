// Texts that name game objects: looked up when the text is made, with the "unfound" forms for
// objects that are gone, and collider details through the query that physics installs.
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/Camera/CameraMountMessage.h"
#include "Core/Messages/Gameplay/DirectionAddMessage.h"
#include "Core/Messages/Gameplay/DirectionSetMessage.h"
#include "Core/Messages/Gameplay/OrientationSetMessage.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/ScaleSetMessage.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace
{
constexpr u32 SenderId = 5;

struct ColliderInfo
{
    u32 category;
    u32 mask;
};
// What the stand-in for physics knows, and which ids it was asked about.
std::map<u32, ColliderInfo> g_colliders;
std::vector<u32> g_queried;

bool QueryCollider(u32 objectId, u32& category, u32& mask)
{
    g_queried.push_back(objectId);
    auto it = g_colliders.find(objectId);
    if (it == g_colliders.end())
        return false;
    category = it->second.category;
    mask = it->second.mask;
    return true;
}

class MessageTextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        engine = new Engine();
        g_Engine = engine;
        golem = engine->GetFactory()->CreateObject("Golem", Engine::GenerateId());
        mage = engine->GetFactory()->CreateObject("Mage", Engine::GenerateId());
        missing = Engine::GenerateId(); // an id that no object carries
        g_colliders.clear();
        g_queried.clear();
    }
    void TearDown() override
    {
        Core::Services().colliderInfo.Remove(&QueryCollider);
        delete engine;
        g_Engine = nullptr;
    }

    std::string Label(GameObject* object)
    {
        return object->GetName() + ":" + std::to_string(object->GetId());
    }
    std::string Text(Message* message)
    {
        std::string text = message->ToString();
        DestroyMessage(message);
        return text;
    }

    Engine* engine = nullptr;
    GameObject* golem = nullptr;
    GameObject* mage = nullptr;
    u32 missing = 0;
};
} // namespace

TEST_F(MessageTextTest, TransformTextsNameTheObjectByLabel)
{
    const std::string s = std::to_string(SenderId);
    const u32 id = golem->GetId();
    EXPECT_EQ(Text(new PositionSetMessage(SenderId, Math::Vector4(1, 2, 3, 1), id)),
              s + " setting position of " + Label(golem) + " to (1, 2, 3, 1)");
    EXPECT_EQ(Text(new DirectionSetMessage(SenderId, Math::Vector4(0, 0, 1, 0), id)),
              s + " setting direction of " + Label(golem) + " to (0, 0, 1, 0)");
    EXPECT_EQ(Text(new ScaleSetMessage(SenderId, Math::Vector3(2, 2, 2), id)),
              s + " setting scale of " + Label(golem) + " to (2, 2, 2)");
    EXPECT_EQ(Text(new OrientationSetMessage(SenderId, Math::Vector3(0, 90, 0), id)),
              s + " setting orientation of " + Label(golem) + " to (0, 90, 0)");
    EXPECT_EQ(Text(new DirectionAddMessage(SenderId, Math::Vector4(1, 0, 0, 0), id)),
              s + " adding direction: (1, 0, 0, 0) to " + Label(golem));
    EXPECT_EQ(Text(new SetPlayerNumberMessage(SenderId, 2, id)),
              s + " is setting " + std::to_string(id) + ": Golem to player 2");
}

TEST_F(MessageTextTest, TransformTextForAnObjectDestroyedBeforeDeliveryIsUnfound)
{
    const u32 id = golem->GetId();
    Message* message = new PositionSetMessage(SenderId, Math::Vector4(), id);
    engine->GetFactory()->DestroyObject(id);
    EXPECT_EQ(Text(message),
              "5 attempted to set position of unfound object: " + std::to_string(id));
}

TEST_F(MessageTextTest, CameraMountNamesBothObjectsOrNothing)
{
    EXPECT_EQ(Text(new CameraMountMessage(SenderId, golem->GetId(), mage->GetId(), "CameraSystem")),
              "Mount Golem: Mage");
    EXPECT_EQ(Text(new CameraMountMessage(SenderId, golem->GetId(), missing, "CameraSystem")), "");
    EXPECT_EQ(Text(new CameraMountMessage(SenderId, missing, mage->GetId(), "CameraSystem")), "");
}

TEST_F(MessageTextTest, CollisionBetweenTwoObjectsNamesBothCollidersAsSignedNumbers)
{
    g_colliders[golem->GetId()] = {1, 0xFFFFFFFFu};
    g_colliders[mage->GetId()] = {2, 6};
    Core::Services().colliderInfo.Install(&QueryCollider);
    EXPECT_EQ(Text(new CollideMessage(SenderId, Math::Vector4(0, 1, 0, 0), mage->GetId(), true,
                                      golem->GetId())),
              "A (" + Label(golem) + ") colliding with B (" + Label(mage) +
                  ")ACat: 1 and AMask: -1 with BCat: 2 and BMask: 6");
}

TEST_F(MessageTextTest, CollisionWithoutColliderDetailsPrintsThemUnfound)
{
    const std::string names = "A (" + Label(golem) + ") colliding with B (" + Label(mage) + ")";
    // No query installed: physics is not running.
    EXPECT_EQ(
        Text(new CollideMessage(SenderId, Math::Vector4(), mage->GetId(), false, golem->GetId())),
        names + "ACat: unfound and AMask: unfound with BCat: unfound and BMask: unfound");

    // Only the mage has a collider.
    g_colliders[mage->GetId()] = {4, 8};
    Core::Services().colliderInfo.Install(&QueryCollider);
    EXPECT_EQ(
        Text(new CollideMessage(SenderId, Math::Vector4(), mage->GetId(), false, golem->GetId())),
        names + "ACat: unfound and AMask: unfound with BCat: 4 and BMask: 8");
}

TEST_F(MessageTextTest, CollisionWithAMissingObjectNeverAsksForItsCollider)
{
    g_colliders[golem->GetId()] = {1, 1};
    g_colliders[mage->GetId()] = {2, 2};
    Core::Services().colliderInfo.Install(&QueryCollider);
    const std::string m = std::to_string(missing);

    EXPECT_EQ(Text(new CollideMessage(SenderId, Math::Vector4(), mage->GetId(), true, missing)),
              "Sending collision message to unidentified object:" + m + " about collision with " +
                  Label(mage));
    EXPECT_EQ(Text(new CollideMessage(SenderId, Math::Vector4(), missing, true, golem->GetId())),
              "Sending collision message to " + Label(golem) +
                  " about collision with unidentified object:" + m);
    EXPECT_EQ(Text(new CollideMessage(SenderId, Math::Vector4(), missing, true, missing)),
              "Collision message being sent to two unidentified objects:" + m + " and " + m);
    EXPECT_TRUE(g_queried.empty());
}
