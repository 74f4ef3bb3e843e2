#pragma once
// The one object that owns the running program: the systems in their fixed creation order, the
// game factory, the bucket allocator, the launch options and the frame timer. Every part reaches
// it through g_Engine. Everything here belongs to the main thread except Allocate, Free,
// SendMessage and GenerateIdLocked, which worker threads use as well.
#include "Core/FrameTimer.h"
#include "Core/SystemFactory.h"
#include "Math/Types.h"
#include "Platform/KeyCodes.h"
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class Allocator;
class GameFactory;
class LaunchOptions;
class Message;
class SystemComponent;
struct ErrorReport;

class Engine
{
public:
    using SystemList = std::vector<SystemComponent*>;

    // Frame-time bounds and the rates of the two decoupled systems.
    static constexpr f32 MaxFrameTime = 1.0f / 30.0f;
    static constexpr f32 MinFrameTime = 0.00001f;
    static constexpr f32 GraphicsStep = 1.0f / 60.0f;
    static constexpr f32 ParticleStep = 1.0f / 30.0f;
    // The allocator's doubling buckets (128 bytes up to 64 KiB).
    static constexpr u32 AllocatorBuckets = 10;
    // Pressing F11 writes the allocator statistics.
    static constexpr u32 KeyF11 = Platform::Keys::F11;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void ParseCommandLine(int argc, const char* const* argv);
    // Creates the per-user folder, fills the type registry, creates the systems in their fixed
    // order and runs the self-tests of a test run.
    void Initialize();
    // One frame: measures the time since the last one and runs StepFrame with it.
    void Update();
    // One frame of the given measured length: clamp, accumulators, every system in order.
    void StepFrame(f32 measuredSeconds);
    bool IsDone() const { return !m_running; }
    // Clears the running flag and posts the game-state exit command.
    void Quit();

    // The one way to post a message; the message must come from Allocate (Message::operator new)
    // and belongs to the message system from this call on.
    void SendMessage(Message* message, f32 delay);
    void* Allocate(u32 size);
    // Returns a block; a null pointer does nothing. Sets the caller's pointer to null.
    void Free(void*& block, u32 size);

    SystemComponent* AddSystem(const std::string& name);
    SystemComponent* GetSystem(std::string_view name) const;
    SystemList::const_iterator GetSystemsBegin() const { return m_systems.begin(); }
    SystemList::const_iterator GetSystemsEnd() const { return m_systems.end(); }
    const SystemList& GetSystems() const { return m_systems; }

    f32 GetFrameTime() const { return m_frameTime; }
    u32 GetFrameCount() const { return m_frameCount; }
    FrameTimer& GetTimer() { return m_timer; }
    GameFactory* GetFactory() const { return m_factory.get(); }
    // The factory of the process's engine, or null when there is no engine.
    static GameFactory* Factory();
    Allocator* GetAllocator() const { return m_allocator.get(); }
    LaunchOptions* GetLaunchOptions() const { return m_launchOptions.get(); }
    SystemFactory& GetSystemFactory() { return m_systemFactory; }

    // Unlocked id from the global counter, for the main thread.
    static u32 GenerateId();
    static u32 GetLastId();

    // The game-state system's pause flag, read through the isPaused hook of
    // Core/CoreServices.h; false while no game-state system has installed it.
    bool IsPaused() const;

    // The error sink: each report is written to the log as one line.
    Engine& LogError(const ErrorReport& report);

    // Messages posted before the message system exists wait here; the message system takes
    // them when it is created.
    std::vector<std::pair<Message*, f32>> TakeHeldMessages();

    void CreateUserFolder();

private:
    void RunTestRun();
    // Notes the systems the frame loop treats on their own rates, once, as they are added.
    void ClassifySystem(SystemComponent* system);

    FrameTimer m_timer;
    bool m_running;
    std::unique_ptr<LaunchOptions> m_launchOptions;
    std::unique_ptr<GameFactory> m_factory;
    std::unique_ptr<Allocator> m_allocator;
    // The systems in creation order: m_systems is what callers see, m_ownedSystems owns the same
    // systems in the same order.
    SystemList m_systems;
    std::vector<std::unique_ptr<SystemComponent>> m_ownedSystems;
    // The systems the frame loop runs on their own rates; null while they do not exist.
    SystemComponent* m_graphicsSystem;
    SystemComponent* m_particleSystem;
    SystemComponent* m_uiSystem;
    SystemFactory m_systemFactory;
    f32 m_frameTime;
    u32 m_frameCount;
    f32 m_graphicsAccumulator;
    f32 m_particleAccumulator;

    std::mutex m_heldMutex;
    std::vector<std::pair<Message*, f32>> m_heldMessages;
    bool m_shuttingDown;
};

// The engine of this process; set by the entry point right after construction.
extern Engine* g_Engine;

inline GameFactory* Engine::Factory()
{
    return g_Engine != nullptr ? g_Engine->m_factory.get() : nullptr;
}

// An id from the global counter under the global id mutex, for ids reserved off the main thread
// or ahead of a posted creation.
u32 GenerateIdLocked();
