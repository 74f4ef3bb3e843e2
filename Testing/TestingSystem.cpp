#include "Testing/TestingSystem.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/LaunchOptions.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"

namespace Core
{
namespace System
{
namespace
{
const char* const ReportTitle = "~ System Testing ~";
const char* const TopFrame = "#";
const char* const InnerFrame = "=";

// The systems a narrower test switch names, in the order they are tested.
struct NamedTest
{
    u32 bit;
    const char* system;
};
constexpr u32 GraphicsBit = LaunchOptions::TestGraphics & LaunchOptions::TestSelectionMask;
constexpr u32 AiBit = LaunchOptions::TestAI & LaunchOptions::TestSelectionMask;
constexpr u32 NetworkBit = LaunchOptions::TestNetwork & LaunchOptions::TestSelectionMask;
constexpr u32 ScriptingBit = LaunchOptions::TestScripting & LaunchOptions::TestSelectionMask;
constexpr u32 PhysicsBit = LaunchOptions::TestPhysics & LaunchOptions::TestSelectionMask;
constexpr u32 MessagingBit = LaunchOptions::TestMessaging & LaunchOptions::TestSelectionMask;
constexpr u32 ThreadingBit = LaunchOptions::TestThreading & LaunchOptions::TestSelectionMask;
// "-test_ai" examines the logic system, which runs the match the computer players play in.
constexpr NamedTest NamedTests[] = {
    {GraphicsBit, "GraphicsSystem"},    {AiBit, "LogicSystem"},
    {NetworkBit, "NetworkingSystem"},   {ScriptingBit, "ScriptingSystem"},
    {PhysicsBit, "PhysicsSystem"},      {MessagingBit, "MessagingSystem"},
    {ThreadingBit, "ThreadPoolSystem"},
};

// The group the factory test's object joins, and the second one it must be refused.
constexpr u32 FirstGroup = 1;
constexpr u32 SecondGroup = 2;
constexpr int GroupDepth = 0;
constexpr int CaseDepth = 1;

std::string Repeat(const char* frame, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += frame;
    return text;
}
} // namespace

TestingSystem* TestingSystem::s_instance = nullptr;

TestingSystem::TestingSystem() : m_verbose(false), m_testAllSystems(false), m_flags(0)
{
    m_name = "TestingSystem";
    s_instance = this;
}

TestingSystem::~TestingSystem()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void TestingSystem::Initialize(u32 launchFlags)
{
    m_flags = launchFlags;
    m_testAllSystems = (launchFlags & LaunchOptions::TestSelectionMask) == 0;
    m_verbose = (launchFlags & LaunchOptions::Verbose) != 0;
}

void TestingSystem::PrintHeader(const std::string& name, int depth) const
{
    if (!ShouldPrint(depth))
        return;
    const bool top = depth == TopLevel;
    // A top-level name longer than the frame's width gets no frame characters at all.
    const int length = static_cast<int>(name.size());
    const int count = top ? (length > HeaderWidth ? 0 : (HeaderWidth - length) / 2 + 2)
                          : (depth + 2 > 0 ? depth + 2 : 0);
    const std::string frame = Repeat(top ? TopFrame : InnerFrame, count);
    Core::Log() << "\n";
    Core::Log() << frame << (top ? "" : ">") << " " << name << " " << (top ? "" : "<") << frame
                << "\n";
}

void TestingSystem::PrintResult(const std::string& name, bool passed, int depth) const
{
    if (!ShouldPrint(depth))
        return;
    const int dashes = depth + 2 > 0 ? depth + 2 : 0;
    Core::Log() << "|" << (passed ? "+" : " ") << "|" << (passed ? " " : "X") << "|"
                << Repeat("-", dashes) << name << "\n";
}

bool TestingSystem::RunTests(int)
{
    PrintHeader(ReportTitle, TopLevel);

    PrintHeader("GameFactory", TopLevel);
    const bool factoryPassed = TestGameFactory();
    PrintResult("GameFactory", factoryPassed, TopLevel);
    bool passed = factoryPassed;

    // The serializer has no test of its own here: its row always passes.
    PrintHeader("Serializer", TopLevel);
    PrintResult("Serializer", true, TopLevel);

    if (g_Engine != nullptr && m_testAllSystems)
    {
        for (SystemComponent* system : g_Engine->GetSystems())
        {
            if (system != nullptr && system != this && system->GetName() != GetName())
                passed = TestSystem(*system) && passed;
        }
    }
    else if (g_Engine != nullptr)
    {
        for (const NamedTest& test : NamedTests)
        {
            if ((m_flags & test.bit) == 0)
                continue;
            if (SystemComponent* system = g_Engine->GetSystem(test.system))
            {
                passed = TestSystem(*system) && passed;
                continue;
            }
            Core::Log() << "\n";
            g_Engine->LogError(ErrorReport("Tried Testing a nonvalid System.", 0));
        }
    }

    PrintHeader(ReportTitle, TopLevel);
    return passed;
}

bool TestingSystem::TestSystem(SystemComponent& system) const
{
    const std::string name = system.GetName();
    PrintHeader(name, TopLevel);
    const bool passed = system.RunTests(TopLevel);
    PrintResult(name, passed, TopLevel);
    return passed;
}

bool TestingSystem::TestGameFactory() const
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
    {
        Core::Log() << "Error [TestingSystem]: there is no game factory to test\n";
        return false;
    }
    // The object is the factory's own, under a fresh id, so that the factory knows it by id.
    const u32 id = Engine::GenerateId();
    GameObject* object = factory->CreateObject("", id);
    if (object == nullptr)
    {
        Core::Log() << "Error [TestingSystem]: the game factory made no test object\n";
        return false;
    }

    GameObjectComponent* actions = factory->CreateComponent("ActionListComponent");
    GameObjectComponent* typing = factory->CreateComponent("NaturalTypingComponent");
    const bool actionsMade = actions != nullptr;
    const bool typingMade = typing != nullptr;
    if (actionsMade)
        object->AddComponent(actions);
    PrintResult("Component Creation", actionsMade, CaseDepth);
    if (typingMade)
        object->AddComponent(typing);
    PrintResult("TypingComponent Creation", typingMade, CaseDepth);
    PrintResult("Component Tests", actionsMade && typingMade, GroupDepth);

    const bool grouped = factory->AddToGroup(id, FirstGroup);
    PrintResult("Adding Object to Group", grouped, CaseDepth);
    // An object belongs to one group at most: the second must be refused.
    const bool secondRefused = !factory->AddObjectToGroup(object, SecondGroup);
    PrintResult("Adding Object to multiple Groups", secondRefused, CaseDepth);
    PrintResult("Group Tests", grouped && secondRefused, GroupDepth);

    // Destroying through the factory takes the object out of its group and returns its
    // components.
    factory->DestroyObject(id);
    return actionsMade && typingMade && grouped && secondRefused;
}
} // namespace System
} // namespace Core
