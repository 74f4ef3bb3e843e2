// Post and delivery through the message system against a plain baseline in the same run: a
// mutex-guarded std::deque of std::function, pushed and popped the same number of times, each
// call handing one message to the same game objects (GameObject::HandleMessage) that the
// message system delivers to. The difference is what the message system adds: message memory,
// ids and time stamps, its locks, and finding the addressed objects by id. Scenarios, 100,000
// messages per update each:
// - to one object;
// - to a group of 100 objects (every message reaches all 100);
// - posted by 4 threads while the main thread updates (the same 4 threads all run long).
// Each run reports messages per second and heap allocations per message (AllocationCounter.h;
// message memory comes from the engine's pools and the queues keep their storage, so the count
// is 0 once warm). After the table the ratios are printed with a verdict for each target: on one
// core at least 12 million messages per second and at most 2x the baseline's time; with four
// posting threads at least the baseline's throughput; no heap allocation per message. With
// --benchmark_repetitions the medians are compared.
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/System/MessageSystem.h"
#include "bench/RatioReporter.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include <atomic>
#include <benchmark/benchmark.h>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr u32 MessagesPerUpdate = 100000;
constexpr u32 GroupSize = 100;
constexpr u32 GroupId = 7;
constexpr u32 PostingThreads = 4;
constexpr u32 BenchMessageType = MT_SELF_TEST;
constexpr double TargetMessagesPerSecond = 12.0e6; // on one core, to one object
constexpr double TargetTimeRatio = 2.0;            // one core: system time / baseline time
constexpr double TargetThroughputRatio = 1.0;      // posting threads: system / baseline rate
constexpr double HeapNoise = 1.0e-4;

// The component on every receiving game object; both contenders deliver to it through
// GameObject::HandleMessage.
class CountingComponent : public GameObjectComponent
{
public:
    CountingComponent() : GameObjectComponent(true) {}
    u32 GetType() const override { return 1; }
    const std::string& GetName() const override
    {
        static const std::string name = "CountingComponent";
        return name;
    }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override { ++count; }
    u64 count = 0;
};

struct World
{
    Core::System::MessageSystem* messages = nullptr;
    u32 singleObject = 0;
    std::vector<CountingComponent*> components; // [0] the single object, then the group
    std::vector<GameObject*> single;            // the baseline's receivers
    std::vector<GameObject*> group;
};
World g_world;

u64 Delivered()
{
    u64 total = 0;
    for (CountingComponent* component : g_world.components)
        total += component->count;
    return total;
}

// Scenario: who receives, and how many threads post.
struct Scenario
{
    const char* name;
    bool toGroup;
    u32 threads;
    bool hasRateTarget; // the messages-per-second target is for one core and one receiver
};

void PostMessages(const Scenario& scenario, u32 count)
{
    for (u32 i = 0; i < count; ++i)
    {
        auto* message = new Message(0, BenchMessageType,
                                    scenario.toGroup ? 0 : g_world.singleObject, sizeof(Message));
        if (scenario.toGroup)
            message->targetGroupId = GroupId;
        g_Engine->SendMessage(message, 0.0f);
    }
}

// Posting threads that live for the whole program, so that a round measures posting and
// delivery, not the creation of threads (which allocates). Between rounds they sleep on a
// condition variable: spinning idle threads would take processor time from the rounds that run
// on the main thread alone, and those would then measure how many cores are free.
class Posters
{
public:
    explicit Posters(u32 threads)
    {
        for (u32 t = 0; t < threads; ++t)
            m_threads.emplace_back([this] { Serve(); });
    }
    ~Posters()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
            ++m_round;
        }
        m_wake.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }
    // Starts `work` on every thread; Wait returns when all are done with it.
    void Start(std::function<void()> work)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_work = std::move(work);
            m_done = 0;
            ++m_round;
        }
        m_wake.notify_all();
    }
    void Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_finished.wait(lock, [this] { return m_done == m_threads.size(); });
    }

private:
    void Serve()
    {
        u64 seen = 0;
        for (;;)
        {
            std::function<void()>* work = nullptr;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_round != seen; });
                seen = m_round;
                if (m_stop)
                    return;
                work = &m_work;
            }
            (*work)();
            bool last = false;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                last = ++m_done == m_threads.size();
            }
            if (last)
                m_finished.notify_one();
        }
    }

    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake;     // a round has started (or the program ends)
    std::condition_variable m_finished; // every thread is done with the round
    std::function<void()> m_work;       // set under the mutex before a round starts
    u64 m_round = 0;
    std::size_t m_done = 0;
    bool m_stop = false;
};
Posters* g_posters = nullptr;

// One update's worth: post everything (on the main thread or on the posting threads) and
// deliver it.
void MessageSystemRound(const Scenario& scenario)
{
    const u32 receivers = scenario.toGroup ? GroupSize : 1;
    const u64 expected = Delivered() + u64{MessagesPerUpdate} * receivers;
    if (scenario.threads <= 1)
    {
        PostMessages(scenario, MessagesPerUpdate);
        g_world.messages->Update(0.0f);
        return;
    }
    g_posters->Start([&scenario] { PostMessages(scenario, MessagesPerUpdate / scenario.threads); });
    while (Delivered() < expected)
        g_world.messages->Update(0.0f);
    g_posters->Wait();
}

// The baseline: the same pushes, pops and receiver calls through a locked deque of functions.
class FunctionQueue
{
public:
    void Push(std::function<void()> work)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(work));
    }
    bool PopAndRun()
    {
        std::function<void()> work;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_queue.empty())
                return false;
            work = std::move(m_queue.front());
            m_queue.pop_front();
        }
        work();
        return true;
    }

private:
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_queue;
};

// The one message the baseline hands to the objects (it has no messages of its own to make).
Message* g_baselineMessage = nullptr;

void PushWork(FunctionQueue& queue, const std::vector<GameObject*>& receivers, u32 count)
{
    for (u32 i = 0; i < count; ++i)
    {
        queue.Push(
            [&receivers]
            {
                for (GameObject* receiver : receivers)
                    receiver->HandleMessage(g_baselineMessage);
            });
    }
}

void BaselineRound(const Scenario& scenario, FunctionQueue& queue)
{
    const std::vector<GameObject*>& receivers = scenario.toGroup ? g_world.group : g_world.single;
    if (scenario.threads <= 1)
    {
        PushWork(queue, receivers, MessagesPerUpdate);
        while (queue.PopAndRun())
        {
        }
        return;
    }
    g_posters->Start([&] { PushWork(queue, receivers, MessagesPerUpdate / scenario.threads); });
    u32 done = 0;
    while (done < MessagesPerUpdate)
        done += queue.PopAndRun() ? 1 : 0;
    g_posters->Wait();
}

template <class Round> void Measure(benchmark::State& state, Round round)
{
    round(); // warm-up: pools, queues and snapshot buffers reach their working size
    const u64 allocationsBefore = Bench::HeapAllocations();
    for (auto _ : state)
        round();
    const double messages = static_cast<double>(state.iterations()) * MessagesPerUpdate;
    state.counters["msgs/s"] =
        benchmark::Counter(MessagesPerUpdate, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["heap/msg"] =
        static_cast<double>(Bench::HeapAllocations() - allocationsBefore) / messages;
}

// Which scenario and contender each registered benchmark is, for the ratio table.
struct Entry
{
    std::string scenario;
    bool isMessageSystem;
    bool hasRateTarget;
    u32 threads;
};
std::map<std::string, Entry> g_entries;

void Register(const Scenario& scenario)
{
    const std::string systemName = std::string("MessageSystem/") + scenario.name;
    const std::string baselineName = std::string("DequeOfFunction/") + scenario.name;
    g_entries[systemName] = {scenario.name, true, scenario.hasRateTarget, scenario.threads};
    g_entries[baselineName] = {scenario.name, false, scenario.hasRateTarget, scenario.threads};
    benchmark::RegisterBenchmark(systemName.c_str(), [scenario](benchmark::State& state)
                                 { Measure(state, [&] { MessageSystemRound(scenario); }); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(baselineName.c_str(),
                                 [scenario](benchmark::State& state)
                                 {
                                     FunctionQueue queue;
                                     Measure(state, [&] { BaselineRound(scenario, queue); });
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// Keeps each run's time so that the ratios can be printed after the table.
class MessageSystemRatios : public RatioReporter
{
public:
    MessageSystemRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        std::printf("\nMessage system against a locked deque of std::function (lower time, higher "
                    "throughput is better)\n");
        for (const auto& [scenario, times] : m_times)
        {
            if (times.system <= 0.0 || times.baseline <= 0.0)
                continue;
            // Times are milliseconds per update of MessagesPerUpdate messages.
            const double perSecond = MessagesPerUpdate / (times.system / 1000.0);
            const double ratio = times.system / times.baseline;
            // Below one allocation in HeapNoise messages: what is left is the harness (the
            // benchmark library's bookkeeping, the posting threads' creation), not the path.
            const bool heapMet =
                !Bench::CountsHeapAllocations() || times.heapPerMessage < HeapNoise;
            if (times.threads > 1)
            {
                const double throughput = times.baseline / times.system;
                std::printf(
                    "%-10s %8.2f M msgs/s  throughput system/baseline %6.3f  heap/msg %.6f\n",
                    scenario.c_str(), perSecond / 1.0e6, throughput, times.heapPerMessage);
                std::printf("%-10s   target throughput >= %.2fx the baseline's: %s\n",
                            scenario.c_str(), TargetThroughputRatio,
                            Verdict(throughput >= TargetThroughputRatio));
            }
            else
            {
                std::printf("%-10s %8.2f M msgs/s  time system/baseline %6.3f  heap/msg %.6f\n",
                            scenario.c_str(), perSecond / 1.0e6, ratio, times.heapPerMessage);
                if (times.hasRateTarget)
                    std::printf("%-10s   target >= %.0f M msgs/s: %s\n", scenario.c_str(),
                                TargetMessagesPerSecond / 1.0e6,
                                Verdict(perSecond >= TargetMessagesPerSecond));
                std::printf("%-10s   target time <= %.1fx the baseline's: %s\n", scenario.c_str(),
                            TargetTimeRatio, Verdict(ratio <= TargetTimeRatio));
            }
            std::printf("%-10s   target 0 heap allocations per message: %s\n", scenario.c_str(),
                        Verdict(heapMet));
        }
    }

private:
    struct Times
    {
        double system = 0.0;
        double baseline = 0.0;
        bool hasRateTarget = false;
        u32 threads = 1;
        double heapPerMessage = 0.0; // the message system's
    };

    void Record(const Run& run) override
    {
        const auto entry = g_entries.find(run.run_name.function_name);
        if (entry == g_entries.end())
            return;
        Times& times = m_times[entry->second.scenario];
        times.hasRateTarget = entry->second.hasRateTarget;
        times.threads = entry->second.threads;
        (entry->second.isMessageSystem ? times.system : times.baseline) = run.GetAdjustedRealTime();
        if (entry->second.isMessageSystem && run.counters.count("heap/msg") != 0)
            times.heapPerMessage = run.counters.at("heap/msg").value;
    }

    std::map<std::string, Times> m_times;
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    Engine engine;
    engine.GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
    g_world.messages =
        static_cast<Core::System::MessageSystem*>(engine.AddSystem("MessagingSystem"));
    GameFactory* factory = engine.GetFactory();
    for (u32 i = 0; i <= GroupSize; ++i)
    {
        GameObject* object = factory->CreateObject("Receiver", Engine::GenerateId());
        auto* component = new CountingComponent();
        object->AddComponent(component);
        g_world.components.push_back(component);
        if (i == 0)
        {
            g_world.singleObject = object->GetId();
            g_world.single.push_back(object);
        }
        else
        {
            factory->AddToGroup(object->GetId(), GroupId);
            g_world.group.push_back(object);
        }
    }
    Message baselineMessage(0, BenchMessageType, 0, sizeof(Message));
    g_baselineMessage = &baselineMessage;

    Posters posters(PostingThreads);
    g_posters = &posters;
    Register({"OneObject", false, 1, true});
    Register({"Group100", true, 1, false});
    Register({"4Threads", false, PostingThreads, false});

    MessageSystemRatios reporter;
    return RunAndPrintRatios(reporter);
}
