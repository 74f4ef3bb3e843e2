// The engine's frame loop, creation and destruction order, held messages and test runs, driven
// with recording stand-ins for the real systems.
#include "Core/Engine.h"
#include "Core/CoreServices.h"
#include "Core/ErrorReport.h"
#include "Core/LaunchOptions.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/ProcessControl.h"
#include "Core/System/MessageSystem.h"
#include "Core/SystemComponent.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/ProbeComponent.h"
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace
{
struct Call
{
    std::string system;
    std::string what; // "Update" or "Idle"
    f32 seconds;
};

std::vector<Call> g_calls;
std::vector<std::string> g_destroyed;
std::map<std::string, SystemComponent*> g_instances;

class RecordingSystem : public SystemComponent
{
public:
    explicit RecordingSystem(const std::string& name)
    {
        m_name = name;
        g_instances[name] = this;
    }
    ~RecordingSystem() override
    {
        g_destroyed.push_back(m_name);
        g_instances.erase(m_name);
    }
    const std::string& GetName() const override { return m_name; }
    void Update(f32 seconds) override { g_calls.push_back({m_name, "Update", seconds}); }
    void IdleUpdate(f32 seconds) override { g_calls.push_back({m_name, "Idle", seconds}); }
    void Initialize(u32) override { ++initializeCount; }
    void HandleMessage(Message*) override {}
    void Register(GameObjectComponent*) override {}
    void Unregister(GameObjectComponent*) override {}
    bool RunTests(int) override
    {
        ++testRuns;
        return true;
    }

    int initializeCount = 0;
    int testRuns = 0;
};

// Registers a recording system under `name` (a string literal with static storage).
template <const char* Name> void RegisterRecorder(SystemFactory& factory)
{
    factory.Register(
        Name, [](const LaunchOptions&) -> SystemComponent* { return new RecordingSystem(Name); },
        []() -> SystemComponent*
        {
            auto it = g_instances.find(Name);
            return it == g_instances.end() ? nullptr : it->second;
        });
}

// A message that counts the live instances of its class.
int g_liveCountedMessages = 0;
class CountedMessage : public Message
{
public:
    CountedMessage() : Message(0, 95, 0, sizeof(CountedMessage)) { ++g_liveCountedMessages; }
    ~CountedMessage() override { --g_liveCountedMessages; }
};

// Stands in the scripting system's slot (created before the message system, so destroyed
// after it) and posts a message from its destructor, as a system's shut-down may.
class LatePoster : public RecordingSystem
{
public:
    LatePoster() : RecordingSystem("ScriptingSystem") {}
    ~LatePoster() override
    {
        if (g_Engine != nullptr)
            g_Engine->SendMessage(new CountedMessage(), 0.0f);
    }
};

// The stand-in for the game-state system's pause flag.
bool g_paused = false;
bool IsPausedForTest()
{
    return g_paused;
}

constexpr char Log[] = "LogSystem";
constexpr char GraphicsName[] = "GraphicsSystem";
constexpr char ParticlesName[] = "ParticleEffectSystem";
constexpr char Physics[] = "PhysicsSystem";
constexpr char UIName[] = "UISystem";
constexpr char Camera[] = "CameraSystem";
constexpr char Testing[] = "TestingSystem";

class EngineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_calls.clear();
        g_destroyed.clear();
        engine = new Engine();
        g_Engine = engine;
        SystemFactory& factory = engine->GetSystemFactory();
        RegisterRecorder<Log>(factory);
        RegisterRecorder<GraphicsName>(factory);
        RegisterRecorder<ParticlesName>(factory);
        RegisterRecorder<Physics>(factory);
        RegisterRecorder<UIName>(factory);
        RegisterRecorder<Camera>(factory);
    }
    void TearDown() override
    {
        Core::Services().isPaused.Remove(&IsPausedForTest);
        g_paused = false;
        delete engine;
        g_Engine = nullptr;
    }
    void Start(std::vector<const char*> args = {})
    {
        args.insert(args.begin(), "quillmere");
        engine->ParseCommandLine(static_cast<int>(args.size()), args.data());
        engine->Initialize();
        g_calls.clear();
    }
    std::vector<Call> CallsOf(const std::string& system) const
    {
        std::vector<Call> calls;
        for (const Call& call : g_calls)
            if (call.system == system)
                calls.push_back(call);
        return calls;
    }

    Engine* engine = nullptr;
};
} // namespace

TEST_F(EngineTest, CreatesTheKnownSystemsInTheFixedOrder)
{
    Start();
    std::vector<std::string> names;
    for (auto it = engine->GetSystemsBegin(); it != engine->GetSystemsEnd(); ++it)
        names.push_back((*it)->GetName());
    const std::vector<std::string> expected = {Log,     GraphicsName, ParticlesName,
                                               Physics, UIName,       Camera};
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(engine->GetSystem("GraphicsSystem") != nullptr);
    EXPECT_EQ(engine->GetSystem("graphicssystem"), nullptr);
    EXPECT_EQ(engine->GetSystem("Graphics"), nullptr);
    EXPECT_FALSE(engine->IsDone());
}

TEST_F(EngineTest, SecondAddSystemGivesTheSameSystemWithoutASecondEntry)
{
    Start();
    const size_t count = engine->GetSystems().size();
    SystemComponent* camera = engine->GetSystem("CameraSystem");
    EXPECT_EQ(engine->AddSystem("CameraSystem"), camera);
    EXPECT_EQ(engine->GetSystems().size(), count);
    EXPECT_EQ(static_cast<RecordingSystem*>(camera)->initializeCount, 1);
    EXPECT_EQ(engine->AddSystem("NoSuchSystem"), nullptr);
}

TEST_F(EngineTest, LongFrameIsClampedForEverySystem)
{
    Start();
    engine->StepFrame(0.1f);
    EXPECT_FLOAT_EQ(engine->GetFrameTime(), 1.0f / 30.0f);
    for (const Call& call : g_calls)
    {
        EXPECT_EQ(call.what, "Update") << call.system;
        EXPECT_FLOAT_EQ(call.seconds, 1.0f / 30.0f) << call.system;
    }
    EXPECT_EQ(g_calls.size(), 6u); // log, graphics, particles, physics, UI, camera
    EXPECT_EQ(engine->GetFrameCount(), 1u);
}

TEST_F(EngineTest, TinyFrameIsRaisedToTheMinimum)
{
    Start();
    engine->StepFrame(0.0f);
    EXPECT_FLOAT_EQ(engine->GetFrameTime(), 0.00001f);
    engine->StepFrame(-1.0f);
    EXPECT_FLOAT_EQ(engine->GetFrameTime(), 0.00001f);
}

TEST_F(EngineTest, GraphicsRendersAtMostSixtyTimesASecond)
{
    Start();
    engine->StepFrame(1.0f / 120.0f);
    engine->StepFrame(1.0f / 120.0f);
    const auto graphics = CallsOf(GraphicsName);
    ASSERT_EQ(graphics.size(), 2u);
    EXPECT_EQ(graphics[0].what, "Idle");
    EXPECT_FLOAT_EQ(graphics[0].seconds, 1.0f / 120.0f);
    EXPECT_EQ(graphics[1].what, "Update");
    EXPECT_FLOAT_EQ(graphics[1].seconds, 2.0f / 120.0f);
    // Particles wait for a thirtieth of a second; physics runs every frame.
    EXPECT_TRUE(CallsOf(ParticlesName).empty());
    EXPECT_EQ(CallsOf(Physics).size(), 2u);
}

TEST_F(EngineTest, PauseStopsTimeForAllButGraphicsAndUserInterface)
{
    Start();
    Core::Services().isPaused.Install(&IsPausedForTest);
    g_paused = true;
    for (int i = 0; i < 4; ++i)
        engine->StepFrame(1.0f / 30.0f);
    EXPECT_TRUE(CallsOf(ParticlesName).empty());
    for (const Call& call : CallsOf(Physics))
        EXPECT_EQ(call.seconds, 0.0f);
    for (const Call& call : CallsOf(UIName))
        EXPECT_FLOAT_EQ(call.seconds, 1.0f / 30.0f);
    EXPECT_EQ(CallsOf(GraphicsName).size(), 4u);

    // The particle accumulator stopped at exactly a thirtieth: the first frame after the pause
    // updates particles at once.
    g_calls.clear();
    g_paused = false;
    engine->StepFrame(1.0f / 120.0f);
    const auto particles = CallsOf(ParticlesName);
    ASSERT_EQ(particles.size(), 1u);
    EXPECT_FLOAT_EQ(particles[0].seconds, 1.0f / 30.0f);
}

TEST_F(EngineTest, DestroysSystemsInReverseWithTheLogLast)
{
    Start();
    delete engine;
    engine = nullptr;
    const std::vector<std::string> expected = {Camera,        UIName,       Physics,
                                               ParticlesName, GraphicsName, Log};
    EXPECT_EQ(g_destroyed, expected);
}

TEST_F(EngineTest, ComponentsShuttingDownWithTheEngineStillReachTheFactory)
{
    Start();
    GameFactory* factory = engine->GetFactory();
    GameObject* object = factory->CreateObject("Leftover", Engine::GenerateId());
    auto* probe = new ProbeComponent();
    GameFactory* seen = nullptr;
    probe->onShutdown = [&seen](ProbeComponent&) { seen = g_Engine->GetFactory(); };
    object->AddComponent(probe);
    delete engine;
    engine = nullptr;
    EXPECT_EQ(seen, factory);
}

TEST_F(EngineTest, TestSwitchRunsTheTestsAndStopsBeforeTheFirstFrame)
{
    RegisterRecorder<Testing>(engine->GetSystemFactory());
    Start({"-test"});
    auto* testing = static_cast<RecordingSystem*>(engine->GetSystem("TestingSystem"));
    ASSERT_NE(testing, nullptr);
    EXPECT_EQ(testing->testRuns, 1);
    EXPECT_EQ(engine->GetSystems().back(), testing);
    EXPECT_TRUE(engine->IsDone());
}

TEST_F(EngineTest, AFailingSelfTestMakesTheExitStatusFail)
{
    class FailingTests : public RecordingSystem
    {
    public:
        FailingTests() : RecordingSystem(Testing) {}
        bool RunTests(int) override { return false; }
    };
    engine->GetSystemFactory().Register(
        Testing, [](const LaunchOptions&) -> SystemComponent* { return new FailingTests(); },
        []() -> SystemComponent*
        {
            auto it = g_instances.find(Testing);
            return it == g_instances.end() ? nullptr : it->second;
        });
    Core::ProcessControl::ResetExitStatus();
    Start({"-test"});
    EXPECT_EQ(Core::ProcessControl::FailureStatus, Core::ProcessControl::GetExitStatus());
    Core::ProcessControl::ResetExitStatus();
}

TEST_F(EngineTest, TestRunWithoutTestingSystemGoesOn)
{
    Start({"-test_run"});
    EXPECT_FALSE(engine->IsDone());
    EXPECT_EQ(engine->GetSystem("TestingSystem"), nullptr);
}

TEST_F(EngineTest, MessagesPostedBeforeTheMessageSystemAreHandedOver)
{
    engine->AddSystem("LogSystem"); // first created, last destroyed, as in the game
    engine->SendMessage(new GameStateMessage(0, GSM_EXIT, "NoSuchSystem"), 0.25f);
    engine->GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
    engine->AddSystem("MessagingSystem");
    auto* messages = Core::System::MessageSystem::Instance();
    ASSERT_NE(messages, nullptr);
    EXPECT_EQ(messages->GetQueueSize(), 1u);
    EXPECT_TRUE(engine->TakeHeldMessages().empty());
}

TEST_F(EngineTest, QuitClearsTheRunningFlagAndPostsTheExitCommand)
{
    engine->GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
    Start();
    engine->Quit();
    EXPECT_TRUE(engine->IsDone());
    EXPECT_EQ(Core::System::MessageSystem::Instance()->GetQueueSize(), 1u);
}

TEST_F(EngineTest, FirstFrameMeasuresTheStartUpAndIsClamped)
{
    Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(40)); // longer than 1/30 s
    engine->Update();
    EXPECT_FLOAT_EQ(engine->GetFrameTime(), Engine::MaxFrameTime);
    EXPECT_EQ(engine->GetFrameCount(), 1u);
}

TEST_F(EngineTest, MessagesPostedAfterTheMessageSystemIsGoneAreFreedAtOnce)
{
    engine->GetSystemFactory().Register(
        "ScriptingSystem",
        [](const LaunchOptions&) -> SystemComponent* { return new LatePoster(); },
        []() -> SystemComponent*
        {
            auto it = g_instances.find("ScriptingSystem");
            return it == g_instances.end() ? nullptr : it->second;
        });
    engine->GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
    Start();
    ASSERT_NE(engine->GetSystem("ScriptingSystem"), nullptr);
    delete engine;
    engine = nullptr;
    EXPECT_EQ(g_liveCountedMessages, 0);
}

TEST_F(EngineTest, F11PressWritesTheAllocatorStatistics)
{
    engine->GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
    Start();
    LogCapture log;
    engine->SendMessage(new KeyboardMessage(0, Engine::KeyF11, 3, 0), 0.0f); // a release
    EXPECT_FALSE(log.Contains("F11"));
    engine->SendMessage(new KeyboardMessage(0, Engine::KeyF11, 1, 0), 0.0f);
    EXPECT_EQ(log.Count("Engine handling keyboard key 'F11'"), 1u);
    EXPECT_TRUE(log.Contains(":: Allocator Debug ::"));
}

TEST_F(EngineTest, ErrorReportIsOneLogLine)
{
    LogCapture log;
    engine->LogError(ErrorReport("script.lua:3: bad\nstack\n", 2));
    EXPECT_EQ(log.Text(), "Error report (level 2): script.lua:3: bad stack\n");
}

TEST_F(EngineTest, FreeOfNullDoesNothingAndFreeClearsThePointer)
{
    void* block = nullptr;
    engine->Free(block, 64);
    EXPECT_EQ(block, nullptr);
    block = engine->Allocate(100);
    ASSERT_NE(block, nullptr);
    engine->Free(block, 100);
    EXPECT_EQ(block, nullptr);
}

TEST(EngineIds, OneCounterForEverything)
{
    const u32 first = Engine::GenerateId();
    const u32 second = GenerateIdLocked();
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(Engine::GetLastId(), second);
    EXPECT_NE(first, 0u);
}
