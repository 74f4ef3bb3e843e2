// Queueing, delays, walk rules and addressing of the message system, with a real engine and
// recording systems and components.
#include "Core/Engine.h"
#include "Core/GameFactory.h"
#include "Core/GameObject.h"
#include "Core/GameObjectComponent.h"
#include "Core/LaunchOptions.h"
#include "Core/Messages/GameStateMessage.h"
#include "Core/SystemComponent.h"
#include "Core/System/MessageSystem.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Core::System::MessageSystem;

namespace
{
std::vector<std::string> g_deliveries;

// A plain message that the test can tell apart by its tag.
class TaggedMessage : public Message
{
public:
    TaggedMessage(std::string messageTag, u32 messageType = 90, u32 target = 0)
        : Message(1, messageType, target, sizeof(TaggedMessage)), tag(std::move(messageTag))
    {
    }
    std::string tag;
};

class ListeningSystem : public SystemComponent
{
public:
    explicit ListeningSystem(const std::string& name) { m_name = name; }
    std::string GetName() override { return m_name; }
    void Update(f32) override {}
    void Initialize(u32) override {}
    void HandleMessage(Message* message) override
    {
        auto* tagged = dynamic_cast<TaggedMessage*>(message);
        g_deliveries.push_back(m_name + ":" + (tagged ? tagged->tag : "?"));
        if (onMessage)
            onMessage(message);
    }
    void Register(GameObjectComponent*) override {}
    void Unregister(GameObjectComponent*) override {}
    bool RunTests() override { return true; }

    std::function<void(Message*)> onMessage;
};

class ListeningComponent : public GameObjectComponent
{
public:
    ListeningComponent() : GameObjectComponent(true) {}
    u32 GetType() override { return 77; }
    std::string GetName() override { return "ListeningComponent"; }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message* message) override
    {
        auto* tagged = dynamic_cast<TaggedMessage*>(message);
        g_deliveries.push_back("object" + std::to_string(m_owner) + ":" +
                               (tagged ? tagged->tag : "?"));
        if (onMessage)
            onMessage(message);
    }
    std::function<void(Message*)> onMessage;
};

class MessageSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_deliveries.clear();
        engine = new Engine();
        g_Engine = engine;
        SystemFactory& factory = engine->GetSystemFactory();
        factory.Register<MessageSystem>("MessagingSystem");
        factory.Register(
            "Alpha", [](const LaunchOptions&) -> SystemComponent* { return new ListeningSystem("Alpha"); },
            []() -> SystemComponent* { return nullptr; });
        factory.Register(
            "Beta", [](const LaunchOptions&) -> SystemComponent* { return new ListeningSystem("Beta"); },
            []() -> SystemComponent* { return nullptr; });
        alpha = static_cast<ListeningSystem*>(engine->AddSystem("Alpha"));
        messages = static_cast<MessageSystem*>(engine->AddSystem("MessagingSystem"));
        beta = static_cast<ListeningSystem*>(engine->AddSystem("Beta"));
    }
    void TearDown() override
    {
        delete engine;
        g_Engine = nullptr;
    }
    GameObject* MakeObject(ListeningComponent** component = nullptr)
    {
        const u32 id = Engine::GenerateId();
        GameObject* object = engine->GetFactory()->CreateObject("Listener", id);
        auto* listener = new ListeningComponent();
        object->AddComponent(listener);
        if (component != nullptr)
            *component = listener;
        return object;
    }

    Engine* engine = nullptr;
    MessageSystem* messages = nullptr;
    ListeningSystem* alpha = nullptr;
    ListeningSystem* beta = nullptr;
};
} // namespace

TEST_F(MessageSystemTest, BroadcastReachesEverySystemInCreationOrder)
{
    engine->SendMessage(new TaggedMessage("hello"), 0.0f);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"Alpha:hello", "Beta:hello"};
    EXPECT_EQ(g_deliveries, expected);
    EXPECT_EQ(messages->GetQueueSize(), 0u);
}

TEST_F(MessageSystemTest, DelayCountsDownAcrossUpdates)
{
    engine->SendMessage(new TaggedMessage("later"), 0.5f);
    messages->Update(0.2f);
    messages->Update(0.2f);
    EXPECT_TRUE(g_deliveries.empty());
    EXPECT_EQ(messages->GetQueueSize(), 1u);
    messages->Update(0.2f);
    EXPECT_EQ(g_deliveries.size(), 2u);
}

TEST_F(MessageSystemTest, ZeroFrameTimeKeepsDelaysButDeliversDueMessages)
{
    engine->SendMessage(new TaggedMessage("delayed"), 0.1f);
    engine->SendMessage(new TaggedMessage("due"), 0.0f);
    messages->Update(0.0f);
    const std::vector<std::string> expected = {"Alpha:due", "Beta:due"};
    EXPECT_EQ(g_deliveries, expected);
    EXPECT_EQ(messages->GetQueueSize(), 1u);
}

TEST_F(MessageSystemTest, MessagePostedDuringTheWalkWaitsForTheNextUpdate)
{
    bool posted = false;
    alpha->onMessage = [&](Message*) {
        if (!posted)
        {
            posted = true;
            engine->SendMessage(new TaggedMessage("second"), 0.0f);
        }
    };
    engine->SendMessage(new TaggedMessage("first"), 0.0f);
    messages->Update(0.016f);
    EXPECT_EQ(g_deliveries.size(), 2u);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"Alpha:first", "Beta:first", "Alpha:second",
                                               "Beta:second"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, SystemAddressedMessageReachesOnlyThatSystem)
{
    auto* message = new TaggedMessage("direct");
    message->targetSystem = "Beta";
    engine->SendMessage(message, 0.0f);
    auto* lost = new TaggedMessage("lost");
    lost->targetSystem = "Gamma";
    engine->SendMessage(lost, 0.0f);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"Beta:direct"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, ObjectAddressedMessageGoesToTheObjectOnly)
{
    GameObject* object = MakeObject();
    auto* message = new TaggedMessage("mine", 90, object->GetId());
    message->targetGroupId = 5;
    engine->SendMessage(message, 0.0f);
    engine->SendMessage(new TaggedMessage("nobody", 90, 999999), 0.0f);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"object" + std::to_string(object->GetId()) + ":mine"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, GroupDeliveryWalksASnapshotOfLiveMembers)
{
    GameFactory* factory = engine->GetFactory();
    ListeningComponent* firstListener = nullptr;
    GameObject* first = MakeObject(&firstListener);
    GameObject* second = MakeObject();
    GameObject* third = MakeObject();
    const u32 group = 4242;
    ASSERT_TRUE(factory->AddToGroup(first->GetId(), group));
    ASSERT_TRUE(factory->AddToGroup(second->GetId(), group));
    ASSERT_TRUE(factory->AddToGroup(third->GetId(), group));
    const u32 secondId = second->GetId();
    const u32 thirdId = third->GetId();
    // The first member destroys the second and takes the third out of the group.
    firstListener->onMessage = [&](Message*) {
        factory->DestroyObject(secondId);
        factory->RemoveFromGroup(thirdId, group);
    };
    auto* message = new TaggedMessage("group");
    message->targetGroupId = group;
    engine->SendMessage(message, 0.0f);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"object" + std::to_string(first->GetId()) + ":group"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, ObjectMessagePostedDuringTheWalkRunsInTheSameUpdate)
{
    GameObject* object = MakeObject();
    const u32 objectId = object->GetId();
    alpha->onMessage = [&](Message*) {
        // Type 2 travels in the object list, which the same update walks second.
        engine->SendMessage(new TaggedMessage("destroy", 2, objectId), 0.0f);
    };
    engine->SendMessage(new TaggedMessage("trigger"), 0.0f);
    messages->Update(0.016f);
    EXPECT_EQ(messages->GetObjectMessageCount(), 0u);
    EXPECT_EQ(g_deliveries.back(), "object" + std::to_string(objectId) + ":destroy");
}

TEST_F(MessageSystemTest, DelayedObjectMessageMovesToTheMainQueue)
{
    GameObject* object = MakeObject();
    engine->SendMessage(new TaggedMessage("slow", 2, object->GetId()), 0.05f);
    EXPECT_EQ(messages->GetObjectMessageCount(), 1u);
    messages->Update(0.02f);
    EXPECT_EQ(messages->GetObjectMessageCount(), 0u);
    EXPECT_EQ(messages->GetQueueSize(), 1u);
    messages->Update(0.02f);
    messages->Update(0.02f);
    EXPECT_EQ(messages->GetQueueSize(), 0u);
}

TEST_F(MessageSystemTest, ClearingDestroysWithoutDelivery)
{
    engine->SendMessage(new TaggedMessage("a"), 1.0f);
    engine->SendMessage(new TaggedMessage("b", 2, 12345), 0.0f);
    messages->ClearQueue();
    messages->ClearObjectMessages();
    messages->Update(2.0f);
    EXPECT_TRUE(g_deliveries.empty());
}

TEST_F(MessageSystemTest, SelfTestMessagesReachOnlyTheMessageSystem)
{
    EXPECT_TRUE(messages->RunTests());
    messages->Update(0.016f);
    EXPECT_TRUE(g_deliveries.empty());
}

TEST_F(MessageSystemTest, MessagesHaveIncreasingIdsAndQuietTypes)
{
    TaggedMessage first("x");
    TaggedMessage second("y");
    EXPECT_EQ(second.id, first.id + 1);
    for (u32 type : {0u, 5u, 12u, 15u, 25u, 38u, 41u, 43u, 46u, 48u, 51u, 60u, 76u, 78u, 91u, 94u})
        EXPECT_TRUE(Message::IsQuietType(type)) << type;
    for (u32 type : {6u, 11u, 16u, 24u, 39u, 40u, 44u, 45u, 49u, 50u, 52u, 59u, 77u, 79u, 90u, 95u, 96u})
        EXPECT_FALSE(Message::IsQuietType(type)) << type;
}
