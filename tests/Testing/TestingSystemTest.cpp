// The testing system's report, read from the log as a test run writes it: which systems each
// switch tests and in which order, the exact framing, the verbose rows, the error path of a
// system that does not exist, and the exit status of a failed row.
#include "Testing/TestingSystem.h"
#include "Core/Components/ActionListComponent.h"
#include "Core/Components/NaturalTypingComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/ProcessControl.h"
#include "Testing/TestingRegistration.h"
#include "tests/Support/LogCapture.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// A system of the engine's start-up list that answers its test as told.
class StandInSystem : public SystemComponent
{
public:
    StandInSystem(const std::string& name, bool passes) : m_passes(passes) { m_name = name; }
    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    void Initialize(u32) override {}
    bool RunTests(int depth) override
    {
        depths.push_back(depth);
        return m_passes;
    }

    std::vector<int> depths;

private:
    bool m_passes;
};

constexpr char GraphicsName[] = "GraphicsSystem";
constexpr char Logic[] = "LogicSystem";
constexpr char Scripting[] = "ScriptingSystem";
constexpr char Messaging[] = "MessagingSystem";
constexpr char Physics[] = "PhysicsSystem";

const std::string FrameStep = "\n#### ~ System Testing ~ ####\n";
const std::string FactoryAndSerializer = "\n####### GameFactory #######\n"
                                         "|+| |-GameFactory\n"
                                         "\n######## Serializer ########\n"
                                         "|+| |-Serializer\n";

class TestingSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        StandIns().clear();
        Testing::RegisterTesting(engine);
        Core::ProcessControl::ResetExitStatus();
    }
    void TearDown() override { Core::ProcessControl::ResetExitStatus(); }

    // A stand-in under a start-up name; the engine creates it in its place in the list.
    template <const char* Name, bool Passes = true> void AddStandIn()
    {
        engine.GetSystemFactory().Register(
            Name,
            [](const LaunchOptions&) -> SystemComponent*
            {
                StandIns().push_back(new StandInSystem(Name, Passes));
                return StandIns().back();
            },
            []() -> SystemComponent* { return nullptr; });
    }
    static std::vector<StandInSystem*>& StandIns()
    {
        static std::vector<StandInSystem*> created;
        return created;
    }

    // Starts the engine with the switches and answers the report: the log from its opening
    // frame on.
    std::string Report(std::vector<const char*> args)
    {
        ComponentFactory& components = engine.GetFactory()->GetComponentFactory();
        components.Register<ActionListComponent>(ComponentFactory::CorePool);
        if (withTypingComponent)
            components.Register<NaturalTypingComponent>(ComponentFactory::CorePool);
        args.insert(args.begin(), "quillmere");
        engine.ParseCommandLine(static_cast<int>(args.size()), args.data());
        engine.Initialize();
        const std::string text = log.Text();
        const std::size_t start = text.find(FrameStep);
        return start == std::string::npos ? std::string() : text.substr(start);
    }

    LogCapture log;
    Engine engine;
    std::vector<StandInSystem*>& standIns = StandIns();
    bool withTypingComponent = true;
};
} // namespace

TEST_F(TestingSystemTest, WithoutATestSwitchThereIsNoTestingSystem)
{
    AddStandIn<GraphicsName>();
    EXPECT_EQ(Report({}), "");
    EXPECT_EQ(engine.GetSystem("TestingSystem"), nullptr);
    EXPECT_TRUE(standIns.at(0)->depths.empty());
}

TEST_F(TestingSystemTest, TestRunTestsEverySystemInCreationOrderAndPlaysOn)
{
    AddStandIn<Logic>();
    AddStandIn<Scripting>();
    AddStandIn<GraphicsName>();
    AddStandIn<Messaging>();
    EXPECT_EQ(Report({"-test_run"}), FrameStep + FactoryAndSerializer +
                                         "\n##### ScriptingSystem #####\n|+| |-ScriptingSystem\n"
                                         "\n##### MessagingSystem #####\n|+| |-MessagingSystem\n"
                                         "\n###### GraphicsSystem ######\n|+| |-GraphicsSystem\n"
                                         "\n####### LogicSystem #######\n|+| |-LogicSystem\n" +
                                         FrameStep);
    for (StandInSystem* system : standIns)
        EXPECT_EQ(system->depths, std::vector<int>{-1}) << system->GetName();
    EXPECT_FALSE(engine.IsDone());
    EXPECT_EQ(Core::ProcessControl::GetExitStatus(), 0);
}

TEST_F(TestingSystemTest, NamedSwitchesTestGraphicsBeforeLogicAndNothingElse)
{
    AddStandIn<Scripting>();
    AddStandIn<GraphicsName>();
    AddStandIn<Logic>();
    EXPECT_EQ(Report({"-test_ai", "-test_graphics"}),
              FrameStep + FactoryAndSerializer +
                  "\n###### GraphicsSystem ######\n|+| |-GraphicsSystem\n"
                  "\n####### LogicSystem #######\n|+| |-LogicSystem\n" +
                  FrameStep);
    EXPECT_TRUE(standIns.at(0)->depths.empty());
}

TEST_F(TestingSystemTest, ASystemThatDoesNotExistLeavesALineBreakAndAnErrorLine)
{
    EXPECT_EQ(Report({"-test_network"}),
              FrameStep + FactoryAndSerializer +
                  "\nError report (level 0): Tried Testing a nonvalid System.\n" + FrameStep);
}

TEST_F(TestingSystemTest, VerboseAddsTheFactoryRows)
{
    AddStandIn<GraphicsName>();
    EXPECT_EQ(Report({"-test_graphics", "-verbose"}),
              FrameStep +
                  "\n####### GameFactory #######\n"
                  "|+| |---Component Creation\n"
                  "|+| |---TypingComponent Creation\n"
                  "|+| |--Component Tests\n"
                  "|+| |---Adding Object to Group\n"
                  "|+| |---Adding Object to multiple Groups\n"
                  "|+| |--Group Tests\n"
                  "|+| |-GameFactory\n"
                  "\n######## Serializer ########\n|+| |-Serializer\n"
                  "\n###### GraphicsSystem ######\n|+| |-GraphicsSystem\n" +
                  FrameStep);
    // The factory's test object is gone, and with it its place in group 1.
    GameFactory& factory = *engine.GetFactory();
    EXPECT_EQ(factory.GetGroupBegin(1), factory.GetGroupEnd(1));
}

TEST_F(TestingSystemTest, AFailedRowIsMarkedAndFailsTheTestSwitch)
{
    AddStandIn<Physics, false>();
    // Without the typing component the factory's creation row fails as well.
    withTypingComponent = false;
    const std::string report = Report({"-test"});
    EXPECT_NE(report.find("| |X|-GameFactory\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\n###### PhysicsSystem ######\n| |X|-PhysicsSystem\n"),
              std::string::npos)
        << report;
    EXPECT_TRUE(engine.IsDone());
    EXPECT_EQ(Core::ProcessControl::GetExitStatus(), Core::ProcessControl::FailureStatus);
}

TEST_F(TestingSystemTest, HeadersAndRowsAtOtherDepths)
{
    Core::System::TestingSystem testing;
    testing.Initialize(LaunchOptions::TestRun);
    // A name longer than the frame's width gets no frame characters.
    testing.PrintHeader("A header name of 23 chr", -1);
    testing.PrintHeader("Twenty-two characters!", -1);
    // Inner rows only show in a verbose report.
    testing.PrintHeader("Inner", 0);
    testing.PrintResult("Inner", false, 1);
    testing.Initialize(LaunchOptions::TestRun | LaunchOptions::Verbose);
    testing.PrintHeader("Inner", 0);
    testing.PrintResult("Component Creation", false, 1);
    EXPECT_EQ(log.Text(), "\n A header name of 23 chr \n"
                          "\n## Twenty-two characters! ##\n"
                          "\n==> Inner <==\n"
                          "| |X|---Component Creation\n");
}
