#include "Core/Engine.h"
#include "Core/CoreServices.h"
#include "Core/ErrorReport.h"
#include "Core/LaunchOptions.h"
#include "Core/Log.h"
#include "Core/Memory/Allocator.h"
#include "Core/Memory/OAException.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/ProcessControl.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/System/MessageSystem.h"
#include "Core/System/ThreadPool.h"
#include "Core/SystemComponent.h"
#include "Math/ScratchAllocator.h"
#include "Math/SelfTests.h"
#include "Platform/UserFolder.h"
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iostream>

Engine* g_Engine = nullptr;

namespace
{
std::atomic<u32> g_idCounter{1};
std::mutex g_idMutex;

// The systems in creation order: the update order of every frame, the order in which broadcast
// messages reach them and, reversed, the destruction order.
const char* const StartupSystems[] = {
    "LogSystem",        "ScriptingSystem",  "MessagingSystem",
    "ActionListSystem", "ThreadPoolSystem", "FileSystem",
    "InputSystem",      "GraphicsSystem",   "ParticleEffectSystem",
    "PhysicsSystem",    "SerializerSystem", "AudioSystem",
    "LogicSystem",      "AISystem",         "AssetLoaderSystem",
    "GameStateSystem",  "UISystem",         "ToolsSystem",
    "CameraSystem",
};

// The math library's root finder takes its scratch arrays from the engine's allocator.
void* AllocateMathScratch(std::size_t bytes)
{
    if (g_Engine == nullptr)
        return nullptr;
    try
    {
        return g_Engine->Allocate(static_cast<u32>(bytes));
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [Engine]: no scratch memory for the math library: "
                    << exception.what() << '\n';
        return nullptr;
    }
}

void ReleaseMathScratch(void* memory, std::size_t bytes)
{
    if (g_Engine != nullptr)
        g_Engine->Free(memory, static_cast<u32>(bytes));
}

// The per-user folder is made before the log exists: a failure waits here for the log.
std::string g_userFolderProblem;

const char* const TestingSystemName = "TestingSystem";
// The report depth of a top-level test run: the testing system frames its own report.
constexpr int TestReportDepth = -1;
const char* const GraphicsSystemName = "GraphicsSystem";
const char* const ParticleSystem = "ParticleEffectSystem";
const char* const UISystemName = "UISystem";

// Runs the owned object's destructor while the owner still shows it, then empties the owner:
// code that the destructor runs may still reach the object through the engine's getters.
template <class T> void DestroyWhileVisible(std::unique_ptr<T>& owner)
{
    owner.get_deleter()(owner.get());
    owner.release();
}
} // namespace

u32 Engine::GenerateId()
{
    return g_idCounter.fetch_add(1, std::memory_order_relaxed);
}

u32 Engine::GetLastId()
{
    return g_idCounter.load(std::memory_order_relaxed) - 1;
}

u32 GenerateIdLocked()
{
    std::lock_guard<std::mutex> lock(g_idMutex);
    return Engine::GenerateId();
}

Engine::Engine()
    : m_running(true), m_graphicsSystem(nullptr), m_particleSystem(nullptr), m_uiSystem(nullptr),
      m_frameTime(0.0f), m_frameCount(0), m_graphicsAccumulator(0.0f), m_particleAccumulator(0.0f),
      m_shuttingDown(false)
{
    // Parts built below (the factory's pools) may already reach the engine.
    if (g_Engine == nullptr)
        g_Engine = this;
    m_launchOptions = std::make_unique<LaunchOptions>();
    m_factory = std::make_unique<GameFactory>();
    m_allocator = std::make_unique<Allocator>(AllocatorBuckets);
    Math::SetScratchAllocator({AllocateMathScratch, ReleaseMathScratch});
}

Engine::~Engine()
{
    // Background tasks (an asset batch's first pass) use managers, the allocator and the message
    // system: they must all have ended before anything is destroyed.
    if (Core::System::ThreadPool* pool = Core::System::ThreadPool::Instance())
        pool->JoinAll();

    m_launchOptions.reset();
    // An undelivered add-component message shuts down and destroys the component it carries,
    // which needs the component pools: drop the pending messages while the factory exists.
    if (Core::System::MessageSystem* messages = Core::System::MessageSystem::Instance())
    {
        messages->ClearQueue();
        messages->ClearObjectMessages();
    }
    for (auto& [message, delay] : TakeHeldMessages())
        DestroyMessage(message);
    // Destroys every remaining object while every system still exists; components shutting down
    // may still look objects up through GetFactory.
    DestroyWhileVisible(m_factory);

    // A message posted once the message system below is gone is freed at once, not held.
    m_shuttingDown = true;
    m_graphicsSystem = nullptr;
    m_particleSystem = nullptr;
    m_uiSystem = nullptr;
    for (std::size_t i = m_systems.size(); i > 1; --i)
    {
        m_ownedSystems[i - 1].reset();
        m_systems[i - 1] = nullptr;
    }
    for (auto& [message, delay] : TakeHeldMessages())
        DestroyMessage(message);

    // Messages still alive go back to the heap from now on.
    Math::ResetScratchAllocator();
    // Cleared before the allocator's destructor runs: from here on Allocate and Free use the
    // heap.
    m_allocator.reset();

    // The log goes last so that every other destructor can still write to it.
    if (!m_systems.empty())
    {
        m_ownedSystems[0].reset();
        m_systems[0] = nullptr;
    }
    m_systems.clear();
    m_ownedSystems.clear();
    if (g_Engine == this)
        g_Engine = nullptr;
}

void Engine::ParseCommandLine(int argc, const char* const* argv)
{
    m_launchOptions->Parse(argc, argv);
    // The log does not exist yet: standard error now, the log once it does.
    for (const std::string& problem : m_launchOptions->GetProblems())
        std::cerr << "Error [LaunchOptions]: " << problem << '\n';
}

void Engine::Initialize()
{
    CreateUserFolder();
    InitializeTypeRegistry();
    for (const char* name : StartupSystems)
        AddSystem(name);
    for (const std::string& problem : m_launchOptions->GetProblems())
        Core::Log() << "Error [LaunchOptions]: " << problem << '\n';
    if (!g_userFolderProblem.empty())
        Core::Log() << "Error [Engine]: " << g_userFolderProblem << '\n';

    const u32 flags = m_launchOptions->GetFlags();
    if (flags & (LaunchOptions::Test | LaunchOptions::TestRun))
    {
        RunTestRun();
        if (flags & LaunchOptions::Test)
            Quit();
    }
    m_frameTime = 0.0f;
}

void Engine::RunTestRun()
{
    Core::Log() << "Engine: running the self-tests\n";
    // Every suite runs; a failing one makes the exit status say so.
    bool passed = Math::TestMatrix4();
    passed = Math::RunSelfTests() && passed;
    AddSystem(TestingSystemName);
    if (SystemComponent* testing = GetSystem(TestingSystemName))
        passed = testing->RunTests(TestReportDepth) && passed;
    else
        Core::Log() << "Engine: no testing system exists; system self-tests skipped\n";
    if (!passed)
    {
        Core::Log() << "Error [Engine]: a self-test failed\n";
        Core::ProcessControl::SetExitStatus(Core::ProcessControl::FailureStatus);
    }
}

void Engine::CreateUserFolder()
{
    const std::string path = Platform::CreateUserFolder();
    std::error_code error;
    if (path.empty())
        g_userFolderProblem = "there is no per-user folder (neither XDG_DATA_HOME nor HOME is set)";
    else if (!std::filesystem::is_directory(path, error))
        g_userFolderProblem = "the per-user folder " + path + " cannot be created";
    else
        g_userFolderProblem.clear();
}

void Engine::Update()
{
    const f32 measured = m_timer.GetLapSeconds();
    m_timer.ResetLap();
    StepFrame(measured);
}

void Engine::StepFrame(f32 measuredSeconds)
{
    m_frameTime = measuredSeconds;
    ++m_frameCount;

    if (m_frameTime > MaxFrameTime)
        m_frameTime = MaxFrameTime;
    else if (!(m_frameTime > MinFrameTime))
        m_frameTime = MinFrameTime;

    if (m_graphicsAccumulator < GraphicsStep)
        m_graphicsAccumulator += m_frameTime;
    else
        m_graphicsAccumulator = GraphicsStep;
    if (m_particleAccumulator < ParticleStep)
        m_particleAccumulator += m_frameTime;
    else
        m_particleAccumulator = ParticleStep;

    for (std::size_t i = 0; i < m_systems.size(); ++i)
    {
        SystemComponent* system = m_systems[i];
        if (system == m_graphicsSystem)
        {
            if (m_graphicsAccumulator >= GraphicsStep)
            {
                system->Update(m_graphicsAccumulator);
                m_graphicsAccumulator = 0.0f;
            }
            else
            {
                system->IdleUpdate(m_frameTime);
            }
        }
        else if (system == m_particleSystem)
        {
            if (!IsPaused() && m_particleAccumulator >= ParticleStep)
            {
                system->Update(m_particleAccumulator);
                m_particleAccumulator = 0.0f;
            }
        }
        else if (system == m_uiSystem)
        {
            system->Update(m_frameTime);
        }
        else
        {
            system->Update(IsPaused() ? 0.0f : m_frameTime);
        }
    }
}

void Engine::Quit()
{
    m_running = false;
    SendMessage(new GameStateMessage(0, GSM_EXIT, 0), 0.0f);
}

void Engine::SendMessage(Message* message, f32 delay)
{
    if (message == nullptr)
        return;
    message->delay = delay;

    // Read before the post: from then on the message belongs to the message system.
    bool isF11Press = false;
    // Checked by class as well as by type: a plain Message posted under the keyboard's type
    // number has no key fields to read.
    if (message->type == KeyboardMessage::Type)
    {
        if (const auto* key = dynamic_cast<const KeyboardMessage*>(message))
            isF11Press = key->keyCode == KeyF11 && key->state == KS_TRIGGER;
    }

    if (Core::System::MessageSystem* messages = Core::System::MessageSystem::Instance())
    {
        messages->Post(message);
    }
    else if (m_shuttingDown)
    {
        DestroyMessage(message);
    }
    else
    {
        std::lock_guard<std::mutex> lock(m_heldMutex);
        m_heldMessages.emplace_back(message, delay);
    }

    if (isF11Press)
    {
        Core::Log() << "Engine handling keyboard key 'F11'" << '\n';
        if (m_allocator != nullptr)
            m_allocator->PrintStatistics();
    }
}

std::vector<std::pair<Message*, f32>> Engine::TakeHeldMessages()
{
    std::lock_guard<std::mutex> lock(m_heldMutex);
    std::vector<std::pair<Message*, f32>> held;
    held.swap(m_heldMessages);
    return held;
}

void* Engine::Allocate(u32 size)
{
    if (m_allocator == nullptr)
        return ::operator new(size);
    return m_allocator->Allocate(size);
}

void Engine::Free(void*& block, u32 size)
{
    if (block == nullptr)
        return;
    if (m_allocator == nullptr)
    {
        ::operator delete(block);
        block = nullptr;
        return;
    }
    try
    {
        m_allocator->Free(block, size);
        block = nullptr;
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Exception on free: " << exception.what() << '\n';
    }
}

SystemComponent* Engine::AddSystem(const std::string& name)
{
    SystemComponent* system = m_systemFactory.CreateSystem(*m_launchOptions, name);
    if (system == nullptr)
        return nullptr;
    // A second request for a created system hands it back without a second entry.
    for (SystemComponent* existing : m_systems)
    {
        if (existing == system)
            return system;
    }
    m_systems.push_back(system);
    m_ownedSystems.emplace_back(system);
    ClassifySystem(system);
    Core::Log() << "Engine: created " << name << '\n';
    return system;
}

void Engine::ClassifySystem(SystemComponent* system)
{
    // By the name the system carries, which is the name it was created under. The first system
    // of each name counts, as the name lookup of GetSystem finds the first.
    const std::string name = system->GetName();
    if (name == GraphicsSystemName && m_graphicsSystem == nullptr)
        m_graphicsSystem = system;
    else if (name == ParticleSystem && m_particleSystem == nullptr)
        m_particleSystem = system;
    else if (name == UISystemName && m_uiSystem == nullptr)
        m_uiSystem = system;
}

SystemComponent* Engine::GetSystem(std::string_view name) const
{
    for (SystemComponent* system : m_systems)
    {
        if (system != nullptr && system->GetName() == name)
            return system;
    }
    return nullptr;
}

bool Engine::IsPaused() const
{
    return Core::Services().isPaused();
}

Engine& Engine::LogError(const ErrorReport& report)
{
    // One line per report, whatever line breaks the text carries (script errors may).
    std::string text = report.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    Core::Log() << "Error report (level " << report.level << "): " << text << '\n';
    return *this;
}
