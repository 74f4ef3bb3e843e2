// Queueing, delays, walk rules and addressing of the message system, with a real engine and
// recording systems and components.
#include "Core/System/MessageSystem.h"
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/System/LogSystem.h"
#include "Core/SystemComponent.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/ProbeComponent.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <atomic>
#include <boost/filesystem.hpp>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
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
    const std::string& GetName() const override { return m_name; }
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
    bool RunTests(int) override { return true; }

    std::function<void(Message*)> onMessage;
};

class ListeningComponent : public GameObjectComponent
{
public:
    ListeningComponent() : GameObjectComponent(true) {}
    u32 GetType() const override { return 77; }
    const std::string& GetName() const override
    {
        static const std::string name = "ListeningComponent";
        return name;
    }
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
            "Alpha",
            [](const LaunchOptions&) -> SystemComponent* { return new ListeningSystem("Alpha"); },
            []() -> SystemComponent* { return nullptr; });
        factory.Register(
            "Beta",
            [](const LaunchOptions&) -> SystemComponent* { return new ListeningSystem("Beta"); },
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

    // `count` new objects in `group`, the first listening through `firstListener`.
    std::vector<GameObject*> MakeGroup(u32 group, int count, ListeningComponent** firstListener)
    {
        std::vector<GameObject*> members;
        for (int i = 0; i < count; ++i)
        {
            members.push_back(MakeObject(i == 0 ? firstListener : nullptr));
            EXPECT_TRUE(engine->GetFactory()->AddToGroup(members.back()->GetId(), group));
        }
        return members;
    }

    // Sends a tagged "group" message to `group` and delivers it.
    void DeliverToGroup(u32 group)
    {
        auto* message = new TaggedMessage("group");
        message->targetGroupId = group;
        engine->SendMessage(message, 0.0f);
        messages->Update(0.016f);
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
    alpha->onMessage = [&](Message*)
    {
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
    const std::vector<std::string> expected = {"object" + std::to_string(object->GetId()) +
                                               ":mine"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, GroupDeliveryWalksASnapshotOfLiveMembers)
{
    GameFactory* factory = engine->GetFactory();
    ListeningComponent* firstListener = nullptr;
    const u32 group = 4242;
    const std::vector<GameObject*> members = MakeGroup(group, 3, &firstListener);
    const u32 secondId = members[1]->GetId();
    const u32 thirdId = members[2]->GetId();
    // The first member destroys the second and takes the third out of the group.
    firstListener->onMessage = [&](Message*)
    {
        factory->DestroyObject(secondId);
        factory->RemoveFromGroup(thirdId, group);
    };
    DeliverToGroup(group);
    const std::vector<std::string> expected = {"object" + std::to_string(members[0]->GetId()) +
                                               ":group"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, GroupDeliverySkipsAMemberThatLeftTheGroupAlive)
{
    GameFactory* factory = engine->GetFactory();
    ListeningComponent* firstListener = nullptr;
    const u32 group = 4243;
    const std::vector<GameObject*> members = MakeGroup(group, 2, &firstListener);
    const u32 secondId = members[1]->GetId();
    firstListener->onMessage = [&](Message*) { factory->RemoveFromGroup(secondId, group); };
    DeliverToGroup(group);
    const std::vector<std::string> expected = {"object" + std::to_string(members[0]->GetId()) +
                                               ":group"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, ObjectMessagePostedDuringTheWalkRunsInTheSameUpdate)
{
    GameObject* object = MakeObject();
    const u32 objectId = object->GetId();
    alpha->onMessage = [&](Message*)
    {
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
    EXPECT_TRUE(messages->RunTests(-1));
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
    for (u32 type :
         {6u, 11u, 16u, 24u, 39u, 40u, 44u, 45u, 49u, 50u, 52u, 59u, 77u, 79u, 90u, 95u, 96u})
        EXPECT_FALSE(Message::IsQuietType(type)) << type;
}

namespace
{
// A message that says which posting thread made it and in what order.
class SequencedMessage : public Message
{
public:
    SequencedMessage(u32 messageType, u32 postingThread, u32 sequence)
        : Message(1, messageType, 0, sizeof(SequencedMessage)), thread(postingThread),
          index(sequence)
    {
    }
    u32 thread;
    u32 index;
};
} // namespace

TEST_F(MessageSystemTest, RequeuedMessageKeepsItsReducedDelay)
{
    engine->SendMessage(new TaggedMessage("later"), 0.5f);
    for (f32 remaining : {0.3f, 0.1f})
    {
        messages->Update(0.2f);
        Message* queued = messages->PopFront();
        ASSERT_NE(queued, nullptr);
        EXPECT_NEAR(queued->delay, remaining, 1e-6f);
        messages->Enqueue(queued);
    }
    EXPECT_TRUE(g_deliveries.empty());
    messages->Update(0.2f); // -0.1: due
    EXPECT_EQ(g_deliveries.size(), 2u);
}

TEST_F(MessageSystemTest, FirstAddressingRuleThatAppliesWins)
{
    GameFactory* factory = engine->GetFactory();
    GameObject* object = MakeObject();
    GameObject* member = MakeObject();
    const u32 group = 31;
    ASSERT_TRUE(factory->AddToGroup(member->GetId(), group));
    const std::string toObject = "object" + std::to_string(object->GetId()) + ":m";
    const std::string toMember = "object" + std::to_string(member->GetId()) + ":m";

    struct Case
    {
        const char* name;
        bool object;
        bool group;
        const char* system;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"object, group and system", true, true, "Beta", {toObject}},
        {"group and system", false, true, "Beta", {toMember}},
        {"system", false, false, "Beta", {"Beta:m"}},
        {"nothing: every system in creation order", false, false, nullptr, {"Alpha:m", "Beta:m"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_deliveries.clear();
        auto* message = new TaggedMessage("m", 90, c.object ? object->GetId() : 0);
        if (c.group)
            message->targetGroupId = group;
        if (c.system != nullptr)
            message->targetSystem = c.system;
        engine->SendMessage(message, 0.0f);
        messages->Update(0.016f);
        EXPECT_EQ(g_deliveries, c.expected);
    }
}

TEST_F(MessageSystemTest, MissingTargetObjectIsReportedAndItsAddedComponentDestroyed)
{
    LogCapture log;
    const u32 missing = Engine::GenerateId();
    std::vector<u32> shutdowns;
    const int aliveBefore = ProbeComponent::alive;
    auto* probe = new ProbeComponent(ProbeComponent::DefaultType, &shutdowns);
    const u32 probeId = probe->GetId();

    engine->SendMessage(new AddComponentMessage(1, probe, missing, 0), 0.0f);
    messages->Update(0.016f);
    const std::string addReport = "Tried to add a component to an object that doesn't exist (" +
                                  std::to_string(ProbeComponent::DefaultType) + ": ProbeComponent)";
    const std::string general = "Sent a message to an object that could not be located. (TYPE:4)";
    const std::string text = log.Text();
    ASSERT_NE(text.find(addReport), std::string::npos) << text;
    ASSERT_NE(text.find(general), std::string::npos) << text;
    EXPECT_LT(text.find(addReport), text.find(general));
    EXPECT_EQ(shutdowns, std::vector<u32>{probeId});
    EXPECT_EQ(ProbeComponent::alive, aliveBefore);

    // Any other type gets the general report only.
    engine->SendMessage(new TaggedMessage("remove", 5, missing), 0.0f);
    messages->Update(0.016f);
    EXPECT_EQ(log.Count("(TYPE:5)"), 1u);
    EXPECT_EQ(log.Count("Tried to add a component"), 1u);
    EXPECT_TRUE(g_deliveries.empty());
}

TEST_F(MessageSystemTest, MessageLogLeavesOutExactlyTheQuietTypes)
{
    // The quiet set, written out independently of Message::IsQuietType.
    const std::vector<std::pair<u32, u32>> quiet = {
        {0, 5}, {12, 15}, {25, 38}, {41, 43}, {46, 48}, {51, 51}, {60, 76}, {78, 78}, {91, 94}};
    auto isQuiet = [&](u32 type)
    {
        return std::any_of(quiet.begin(), quiet.end(),
                           [type](const std::pair<u32, u32>& range)
                           { return type >= range.first && type <= range.second; });
    };
    constexpr u32 LastType = 96;

    const std::string path = TempPath("quill-messagelog-%%%%%%.txt");
    {
        Core::System::LogSystem log(path);
        log.Initialize(LaunchOptions::OutFile);
        for (u32 type = 0; type <= LastType; ++type)
            engine->SendMessage(new Message(1, type, 0, sizeof(Message)), 0.0f);
        messages->Update(0.016f);
    }
    const std::string text = ReadFile(path);
    boost::filesystem::remove(path);
    for (u32 type = 1; type <= LastType; ++type)
    {
        const std::string line =
            " Sec :: NO OUTPUT SPECIFIED FOR MESSAGE :: TYPE " + std::to_string(type) + "\n";
        EXPECT_EQ(text.find(line) == std::string::npos, isQuiet(type)) << "type " << type;
        EXPECT_EQ(Message::IsQuietType(type), isQuiet(type)) << "type " << type;
    }
    EXPECT_EQ(text.find("Unknown Message"), std::string::npos); // type 0 is quiet too
}

TEST_F(MessageSystemTest, DeliveredMessagesReachTheConsoleOnlyWithVerbose)
{
    for (bool verbose : {false, true})
    {
        SCOPED_TRACE(verbose ? "-console -verbose" : "-console");
        Core::System::LogSystem log;
        testing::internal::CaptureStdout();
        log.Initialize(LaunchOptions::Console | (verbose ? LaunchOptions::Verbose : 0u));
        engine->SendMessage(new Message(1, 95, 0, sizeof(Message)), 0.0f);
        engine->SendMessage(new Message(1, 33, 0, sizeof(Message)), 0.0f); // quiet
        messages->Update(0.016f);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(out.find(" Sec :: NO OUTPUT SPECIFIED FOR MESSAGE :: TYPE 95\n") !=
                      std::string::npos,
                  verbose)
            << out;
        EXPECT_EQ(out.find("TYPE 33"), std::string::npos) << out;
    }
}

TEST_F(MessageSystemTest, DerivedMessageTakesItsSourcesAddressingAndIsLogged)
{
    LogCapture log;
    KeyboardMessage source(9, 32, KS_TRIGGER, 17);
    source.targetGroupId = 4;
    source.targetSystem = "Beta";
    source.delay = 0.25f;
    source.SetTimeStamp(12.5);
    auto* derived = new InputActionMessage(messages->GetId(), 0, 8, KS_TRIGGER, 0);
    const u32 derivedId = derived->id;

    messages->QueueDerived(derived, &source);
    ASSERT_EQ(messages->GetQueueSize(), 1u);
    Message* queued = messages->PopFront();
    ASSERT_EQ(queued, derived);
    EXPECT_EQ(queued->targetGroupId, 4u);
    EXPECT_EQ(queued->targetObjectId, 17u);
    EXPECT_EQ(queued->targetSystem, "Beta");
    EXPECT_EQ(queued->delay, 0.25f);
    EXPECT_EQ(queued->GetTimeStamp(), 12.5);
    EXPECT_EQ(queued->id, derivedId);
    EXPECT_EQ(queued->senderId, messages->GetId());
    DestroyMessage(queued);
    EXPECT_TRUE(log.Text().empty()); // input messages are quiet

    messages->QueueDerived(nullptr, &source); // nothing to queue
    EXPECT_EQ(messages->GetQueueSize(), 0u);
}

TEST_F(MessageSystemTest, ClearingTheQueueFromAHandlerEndsTheWalk)
{
    alpha->onMessage = [&](Message*) { messages->ClearQueue(); };
    engine->SendMessage(new TaggedMessage("first"), 0.0f);
    engine->SendMessage(new TaggedMessage("second"), 0.0f);
    engine->SendMessage(new TaggedMessage("third"), 0.0f);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"Alpha:first", "Beta:first"};
    EXPECT_EQ(g_deliveries, expected);
    EXPECT_EQ(messages->GetQueueSize(), 0u);
}

TEST_F(MessageSystemTest, ASparingClearFromAHandlerKeepsOnlyTheSparedTypeForTheNextUpdate)
{
    constexpr u32 Spared = 95;
    alpha->onMessage = [&](Message*)
    {
        if (g_deliveries.size() == 1)
            messages->ClearQueueSparing(Spared);
    };
    engine->SendMessage(new TaggedMessage("first"), 0.0f);
    engine->SendMessage(new TaggedMessage("dropped"), 0.0f);
    engine->SendMessage(new TaggedMessage("kept", Spared), 0.0f);
    engine->SendMessage(new TaggedMessage("later", Spared), 0.5f);
    messages->Update(0.016f);
    EXPECT_EQ(messages->GetQueueSize(), 2u);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"Alpha:first", "Beta:first", "Alpha:kept",
                                               "Beta:kept"};
    EXPECT_EQ(g_deliveries, expected);
    EXPECT_EQ(messages->GetQueueSize(), 1u) << "the delayed one still waits";
}

TEST_F(MessageSystemTest, SystemCreatedDuringABroadcastGetsTheNextOne)
{
    engine->GetSystemFactory().Register(
        "Gamma",
        [](const LaunchOptions&) -> SystemComponent* { return new ListeningSystem("Gamma"); },
        []() -> SystemComponent* { return nullptr; });
    alpha->onMessage = [&](Message*) { engine->AddSystem("Gamma"); };
    engine->SendMessage(new TaggedMessage("first"), 0.0f);
    messages->Update(0.016f);
    alpha->onMessage = nullptr;
    engine->SendMessage(new TaggedMessage("second"), 0.0f);
    messages->Update(0.016f);
    const std::vector<std::string> expected = {"Alpha:first", "Beta:first", "Alpha:second",
                                               "Beta:second", "Gamma:second"};
    EXPECT_EQ(g_deliveries, expected);
}

TEST_F(MessageSystemTest, ThreadsPostingWhileTheMainThreadUpdatesLoseAndRepeatNothing)
{
    constexpr u32 Threads = 4;
    constexpr u32 PerThread = 3000;
    constexpr u32 ObjectMessageEvery = 4; // type 2 travels in the object list
    constexpr u32 DestroyObjectType = 2;
    constexpr u32 QueuedType = 90;

    // Delivered indices per thread and per list, in delivery order (main thread only).
    std::vector<std::vector<u32>> queued(Threads);
    std::vector<std::vector<u32>> listed(Threads);
    alpha->onMessage = [&](Message* message)
    {
        auto* sequenced = dynamic_cast<SequencedMessage*>(message);
        ASSERT_NE(sequenced, nullptr);
        ASSERT_LT(sequenced->thread, Threads);
        auto& record = message->type == DestroyObjectType ? listed : queued;
        record[sequenced->thread].push_back(sequenced->index);
    };

    std::atomic<u32> finished{0};
    std::vector<std::thread> posters;
    for (u32 t = 0; t < Threads; ++t)
    {
        posters.emplace_back(
            [&, t]
            {
                for (u32 i = 0; i < PerThread; ++i)
                {
                    const u32 type = i % ObjectMessageEvery == 0 ? DestroyObjectType : QueuedType;
                    engine->SendMessage(new SequencedMessage(type, t, i), 0.0f);
                }
                finished.fetch_add(1);
            });
    }
    while (finished.load() < Threads)
        messages->Update(0.0f);
    for (std::thread& poster : posters)
        poster.join();
    messages->Update(0.0f);
    EXPECT_EQ(messages->GetQueueSize(), 0u);
    EXPECT_EQ(messages->GetObjectMessageCount(), 0u);

    for (u32 t = 0; t < Threads; ++t)
    {
        SCOPED_TRACE(testing::Message() << "thread " << t);
        // Each list keeps a poster's order; together they hold every index exactly once.
        EXPECT_TRUE(std::is_sorted(queued[t].begin(), queued[t].end()));
        EXPECT_TRUE(std::is_sorted(listed[t].begin(), listed[t].end()));
        std::vector<u32> all = queued[t];
        all.insert(all.end(), listed[t].begin(), listed[t].end());
        std::sort(all.begin(), all.end());
        ASSERT_EQ(all.size(), PerThread);
        for (u32 i = 0; i < PerThread; ++i)
            ASSERT_EQ(all[i], i);
        EXPECT_EQ(listed[t].size(), PerThread / ObjectMessageEvery);
    }
}

TEST_F(MessageSystemTest, ThreadsPostingOneAfterAnotherArriveWithTheMainThreadsInIdOrder)
{
    // The second thread starts after the first has ended and takes over its post lists, half
    // full; the main thread posts between them. Nothing is collected until the update, which
    // must deliver all of them in the order of their ids (the order they were made in).
    constexpr u32 QueuedType = 90;
    constexpr u32 PerThread = 700; // more than one block of a post list
    std::vector<u32> delivered;
    alpha->onMessage = [&](Message* message) { delivered.push_back(message->id); };

    const auto post = [&](u32 thread)
    {
        for (u32 i = 0; i < PerThread; ++i)
            engine->SendMessage(new SequencedMessage(QueuedType, thread, i), 0.0f);
    };
    std::thread(post, 0).join();
    post(1);
    std::thread(post, 2).join();
    EXPECT_EQ(messages->GetQueueSize(), 3 * PerThread);
    messages->Update(0.0f);
    EXPECT_EQ(messages->GetQueueSize(), 0u);
    ASSERT_EQ(delivered.size(), 3 * PerThread);
    for (std::size_t i = 1; i < delivered.size(); ++i)
        ASSERT_EQ(delivered[i], delivered[i - 1] + 1) << i;

    // The blocks taken by the update go back to the lists: a later thread posting into them
    // loses and repeats nothing.
    delivered.clear();
    std::thread(post, 3).join();
    messages->Update(0.0f);
    EXPECT_EQ(delivered.size(), PerThread);
}
