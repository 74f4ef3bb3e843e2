// The add-component message: its addressing check, and that a component it still carries when
// it is destroyed is shut down and returned to the component factory.
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/System/LogSystem.h"
#include "Core/System/MessageSystem.h"
#include "tests/Support/TempFiles.h"
#include <boost/filesystem.hpp>
#include <gtest/gtest.h>

namespace
{
int g_shutdowns = 0;
int g_destructions = 0;

class CountingComponent : public GameObjectComponent
{
public:
    CountingComponent() : GameObjectComponent(true) {}
    ~CountingComponent() override { ++g_destructions; }

    static const std::string& GetTypeName()
    {
        static const std::string name = "CountingComponent";
        return name;
    }
    u32 GetType() const override { return 1234; }
    const std::string& GetName() const override { return GetTypeName(); }
    void Shutdown() override { ++g_shutdowns; }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override {}
};

class AddComponentMessageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_shutdowns = 0;
        g_destructions = 0;
        engine = new Engine();
        g_Engine = engine;
        engine->GetFactory()->GetComponentFactory().Register<CountingComponent>(
            ComponentFactory::LogicPool);
    }
    void TearDown() override
    {
        delete engine;
        g_Engine = nullptr;
    }

    GameObjectComponent* NewComponent()
    {
        return engine->GetFactory()->CreateComponent(CountingComponent::GetTypeName());
    }
    // Everything the error sink wrote while `action` ran.
    template <class Action> std::string LoggedDuring(Action action)
    {
        const std::string path = TempPath("quill-addcomponent-%%%%%%.txt");
        {
            Core::System::LogSystem log(path);
            log.Initialize(LaunchOptions::OutFile);
            action();
        }
        const std::string text = ReadFile(path);
        boost::filesystem::remove(path);
        return text;
    }

    Engine* engine = nullptr;
};

const char* const AddressingReport = "Object Destination does not match the object you want";
} // namespace

TEST_F(AddComponentMessageTest, AddressingCheckReportsOnlyAMismatch)
{
    struct Case
    {
        u32 target;
        u32 checkId;
        bool reports;
    };
    const Case cases[] = {{12, 0, false}, {12, 12, false}, {12, 13, true}, {0, 13, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "target " << c.target << ", check " << c.checkId);
        AddComponentMessage* message = nullptr;
        const std::string logged = LoggedDuring(
            [&] { message = new AddComponentMessage(1, nullptr, c.target, c.checkId); });
        ASSERT_NE(message, nullptr); // built whatever the check says
        EXPECT_EQ(message->checkId, c.checkId);
        EXPECT_EQ(logged.find(AddressingReport) != std::string::npos, c.reports) << logged;
        if (c.reports)
        {
            EXPECT_NE(logged.find("level 1"), std::string::npos) << logged;
        }
        DestroyMessage(message);
    }
}

TEST_F(AddComponentMessageTest, DestroyingItShutsDownAndDestroysTheCarriedComponent)
{
    Message* message = new AddComponentMessage(1, NewComponent(), 12, 0);
    EXPECT_EQ(message->ToString(), "1 wants to add component of type CountingComponent to 12");
    DestroyMessage(message);
    EXPECT_EQ(g_shutdowns, 1);
    EXPECT_EQ(g_destructions, 1);
}

TEST_F(AddComponentMessageTest, AComponentTakenOverIsLeftAlone)
{
    GameObjectComponent* component = NewComponent();
    auto* message = new AddComponentMessage(1, component, 12, 0);
    message->component = nullptr; // what the receiving object does
    DestroyMessage(message);
    EXPECT_EQ(g_shutdowns, 0);
    EXPECT_EQ(g_destructions, 0);
    engine->GetFactory()->DestroyComponent(component);
}

TEST_F(AddComponentMessageTest, DeliveryHandsTheComponentToTheObjectOrDestroysIt)
{
    SystemFactory& systems = engine->GetSystemFactory();
    systems.Register<Core::System::MessageSystem>("MessagingSystem");
    auto* messages =
        static_cast<Core::System::MessageSystem*>(engine->AddSystem("MessagingSystem"));
    GameObject* object = engine->GetFactory()->CreateObject("Holder", Engine::GenerateId());

    GameObjectComponent* kept = NewComponent();
    engine->SendMessage(new AddComponentMessage(1, kept, object->GetId(), object->GetId()), 0.0f);
    engine->SendMessage(new AddComponentMessage(1, NewComponent(), Engine::GenerateId(), 0), 0.0f);
    messages->Update(0.016f);

    EXPECT_EQ(object->GetComponentById(kept->GetId()), kept);
    EXPECT_EQ(g_shutdowns, 1); // only the one for the missing object
    EXPECT_EQ(g_destructions, 1);
}

TEST_F(AddComponentMessageTest, PendingAtShutDownItDestroysItsComponentWhileThePoolsExist)
{
    engine->GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
    engine->AddSystem("MessagingSystem");
    GameObject* object = engine->GetFactory()->CreateObject("Holder", Engine::GenerateId());
    // One waits in the main queue, one in the object list.
    engine->SendMessage(new AddComponentMessage(1, NewComponent(), object->GetId(), 0), 5.0f);
    engine->SendMessage(new AddComponentMessage(1, NewComponent(), object->GetId(), 0), 0.0f);

    delete engine;
    engine = nullptr;
    g_Engine = nullptr;
    EXPECT_EQ(g_shutdowns, 2);
    EXPECT_EQ(g_destructions, 2); // returned to the pool, not left behind in freed memory
}
