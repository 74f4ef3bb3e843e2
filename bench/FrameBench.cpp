// A headless frame (Engine::StepFrame with the message and Lua systems, no window) over 1,000
// game objects, with 100 and with 1,000 scripts whose Update calls engine entries (test.a and
// Logic.SetDeathCounter, through the binding layer's call thunks). Baselines in the same run:
// the same Update functions called by bare lua_getglobal + lua_pushnumber + lua_pcall in a loop
// over the same states. Each run reports heap allocations per frame (AllocationCounter.h).
// After the table: the 1,000-script frame against its baseline, target at most 2x; heap
// allocations per steady frame with 1,000 objects and 100 scripts, target 0.
//
// What a frame still costs beyond the scripts: Engine::StepFrame copies each system's name to
// pick the systems it steps specially (the names here fit std::string's inline buffer, so the
// copies allocate nothing; longer names would).
#include "Core/Components/TestComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/MessageSystem.h"
#include "ScriptApi/ScriptApiRegistration.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include "bench/RatioReporter.h"
#include "bench/ScratchFolder.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <lua.hpp>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int ObjectCount = 1000;
constexpr int FewScripts = 100;
constexpr int ManyScripts = 1000;
constexpr f32 FrameSeconds = 1.0f / 60.0f;
constexpr double FrameTarget = 2.0;
const char* const ScriptFile = "FrameBench.lua";
const char* const ScriptText = R"(
local frames = 0
function Update(dt)
    frames = frames + 1
    local a = test.a(dt)
    Logic.SetDeathCounter(frames, 2, 3)
end
)";

Engine* g_engine = nullptr;
std::vector<Scripting::LuaComponent*> g_scripts; // every script loaded, in load order

// Loads scripts until `count` are registered with the Lua system; the first `count` of
// g_scripts are the ones registered.
void SetScriptCount(std::size_t count)
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    while (g_scripts.size() < count)
    {
        Scripting::LuaComponent* script =
            lua->LoadScript(ScriptFile, "Bench" + std::to_string(g_scripts.size()));
        if (script == nullptr)
        {
            std::printf("the benchmark script could not be loaded\n");
            std::exit(1);
        }
        g_scripts.push_back(script);
    }
    while (lua->GetScriptCount() > count)
    {
        lua->RemoveScriptById(g_scripts.back()->GetId());
        g_scripts.pop_back();
    }
}

void Frame(benchmark::State& state)
{
    SetScriptCount(static_cast<std::size_t>(state.range(0)));
    g_engine->StepFrame(FrameSeconds); // warm-up: storage reaches its working size
    const u64 before = Bench::HeapAllocations();
    for (auto _ : state)
        g_engine->StepFrame(FrameSeconds);
    state.counters["heap/frame"] = static_cast<double>(Bench::HeapAllocations() - before) /
                                   static_cast<double>(state.iterations());
}

void BarePcalls(benchmark::State& state)
{
    SetScriptCount(static_cast<std::size_t>(state.range(0)));
    const u64 before = Bench::HeapAllocations();
    for (auto _ : state)
    {
        for (Scripting::LuaComponent* script : g_scripts)
        {
            lua_State* lua = script->GetState();
            lua_getglobal(lua, "Update");
            lua_pushnumber(lua, FrameSeconds);
            lua_pcall(lua, 1, 0, 0);
        }
    }
    state.counters["heap/frame"] = static_cast<double>(Bench::HeapAllocations() - before) /
                                   static_cast<double>(state.iterations());
}

class FrameRatios : public RatioReporter
{
public:
    FrameRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        std::printf("\nHeadless frame, %d objects (lower is better)\n", ObjectCount);
        const std::string many = "/" + std::to_string(ManyScripts);
        const std::string few = "/" + std::to_string(FewScripts);
        if (Has("Frame" + many) && Has("BarePcalls" + many))
        {
            const double ratio =
                m_runs.at("Frame" + many).time / m_runs.at("BarePcalls" + many).time;
            std::printf("%d scripts: frame/bare pcalls %6.3f  target <= %.1f %s\n", ManyScripts,
                        ratio, FrameTarget, Verdict(ratio <= FrameTarget));
        }
        for (const std::string& scripts : {few, many})
        {
            if (!Has("Frame" + scripts))
                continue;
            const double heap = m_runs.at("Frame" + scripts).heapPerFrame;
            std::printf("%s scripts: heap allocations per frame %.3f  target 0 %s\n",
                        scripts.c_str() + 1, heap,
                        Bench::CountsHeapAllocations() ? Verdict(heap == 0.0) : "(not counted)");
        }
    }

private:
    struct Figures
    {
        double time = 0.0;
        double heapPerFrame = 0.0;
    };

    bool Has(const std::string& name) const { return m_runs.count(name) != 0; }

    void Record(const Run& run) override
    {
        Figures& figures = m_runs[run.run_name.function_name + "/" + run.run_name.args];
        figures.time = run.GetAdjustedRealTime();
        if (run.counters.count("heap/frame") != 0)
            figures.heapPerFrame = run.counters.at("heap/frame").value;
    }

    std::map<std::string, Figures> m_runs;
};

// The script file lives in a scratch folder that is the working directory while the program
// runs, as "assets/Scripts/" is for the game.
class BenchAssets : public ScratchFolder
{
public:
    BenchAssets() : ScratchFolder("quill-frame-bench")
    {
        if (!Ready())
            return;
        std::filesystem::create_directories("assets/Scripts");
        std::ofstream(std::filesystem::path("assets/Scripts") / ScriptFile) << ScriptText;
    }
};
} // namespace

int main(int argc, char** argv)
{
    // Every script state gets the script tables, as in the game.
    Scripting::RegisterScriptTables();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    BenchAssets folder;
    if (!folder.Ready())
    {
        std::printf("no scratch folder for the benchmark script\n");
        return 1;
    }

    {
        Engine engine;
        g_engine = &engine;
        engine.GetSystemFactory().Register<Core::System::MessageSystem>("MessagingSystem");
        engine.GetSystemFactory().Register<Scripting::System::LuaSystem>("ScriptingSystem");
        engine.AddSystem("MessagingSystem");
        engine.AddSystem("ScriptingSystem");
        GameFactory* factory = engine.GetFactory();
        for (int i = 0; i < ObjectCount; ++i)
        {
            GameObject* object = factory->CreateObject("Bench", Engine::GenerateId());
            object->AddComponent(factory->CreateComponent("TestComponent"));
        }

        for (int scripts : {FewScripts, ManyScripts})
        {
            benchmark::RegisterBenchmark("Frame", &Frame)
                ->Arg(scripts)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark("BarePcalls", &BarePcalls)
                ->Arg(scripts)
                ->Unit(benchmark::kMicrosecond)
                ->UseRealTime();
        }
        FrameRatios reporter;
        RunAndPrintRatios(reporter);
        g_scripts.clear();
    }
    return 0;
}
