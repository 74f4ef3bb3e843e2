// Calls across the Lua boundary against the bare Lua API in the same run:
// - engine to script: LuaComponent::CallWithFloat on an empty script function (looked up by
//   name on every call), against lua_pcall of the same function kept by registry reference
//   (lua_rawgeti + lua_pushnumber + lua_pcall), and, for comparison with earlier figures,
//   against lua_getglobal + lua_pushnumber + lua_pcall;
// - script to engine: a script loop calling test.a (a bound engine function behind its call
//   thunk), against the same loop calling a plain C function bound with lua_pushcfunction.
// After the table the ratios are printed; targets: at most 1.3 of the registry-reference call
// (engine to script) and 1.1 of the plain C function (script to engine). The script loops are
// the same on both sides, so their own cost is in both times. The targets are judged on paired
// runs, which alternate short blocks of the engine path and of its baseline and time each block:
// this machine's speed drifts by half from one second to the next, and separate runs (also
// printed) meet different speeds, where paired blocks meet the same one.
// The instruction-count hook every script runs under is measured as well: the engine-to-script
// call and the script-to-engine loop, each against the same in a second script component whose
// hook is removed; target: at most 1.10.
#include "ScriptApi/ScriptApiRegistration.h"
#include "Scripting/LuaComponent.h"
#include "bench/RatioReporter.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <lua.hpp>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr int CallsPerLoop = 1000;
// Each benchmark runs this often; the ratios use the medians, which machine noise moves least.
constexpr int RepetitionCount = 5;
constexpr double EngineToScriptTarget = 1.3;
constexpr double ScriptToEngineTarget = 1.1;
constexpr double HookTarget = 1.10;

const char* const Script = R"(
function Empty(x) end
function CallBound(n) local a = test.a for i = 1, n do a(1.5) end end
function CallPlain(n) local a = plainA for i = 1, n do a(1.5) end end
)";

// The baseline for test.a: the same conversion, bound without a thunk or upvalue.
int PlainA(lua_State* state)
{
    lua_pushnumber(state, static_cast<f32>(lua_tonumberx(state, 1, nullptr)));
    return 1;
}

Scripting::LuaComponent* g_script = nullptr;
// The same script without the instruction-count hook.
Scripting::LuaComponent* g_unhooked = nullptr;

void EngineToScript_CallWithFloat(benchmark::State& state)
{
    for (auto _ : state)
        g_script->CallWithFloat("Empty", 1.0f);
    state.SetItemsProcessed(state.iterations());
}

void EngineToScript_CallWithFloatNoHook(benchmark::State& state)
{
    for (auto _ : state)
        g_unhooked->CallWithFloat("Empty", 1.0f);
    state.SetItemsProcessed(state.iterations());
}

// The baseline call: the function kept by registry reference, no look-up at all.
inline void CallByReference(lua_State* lua, int reference)
{
    g_script->GetLimits().StartCall(lua);
    lua_rawgeti(lua, LUA_REGISTRYINDEX, reference);
    lua_pushnumber(lua, 1.0);
    lua_pcall(lua, 1, 0, 0);
}

void EngineToScript_RegistryRefPcall(benchmark::State& state)
{
    lua_State* lua = g_script->GetState();
    lua_getglobal(lua, "Empty");
    const int reference = luaL_ref(lua, LUA_REGISTRYINDEX);
    for (auto _ : state)
        CallByReference(lua, reference);
    luaL_unref(lua, LUA_REGISTRYINDEX, reference);
    state.SetItemsProcessed(state.iterations());
}

void EngineToScript_BarePcall(benchmark::State& state)
{
    lua_State* lua = g_script->GetState();
    for (auto _ : state)
    {
        g_script->GetLimits().StartCall(lua);
        lua_getglobal(lua, "Empty");
        lua_pushnumber(lua, 1.0);
        lua_pcall(lua, 1, 0, 0);
    }
    state.SetItemsProcessed(state.iterations());
}

// One script loop of CallsPerLoop calls. Each loop is one call from the engine: it gets a
// fresh instruction budget, as the call helpers give every call.
void CallLoop(Scripting::LuaComponent* script, const char* loop)
{
    lua_State* lua = script->GetState();
    script->GetLimits().StartCall(lua);
    lua_getglobal(lua, loop);
    lua_pushinteger(lua, CallsPerLoop);
    lua_pcall(lua, 1, 0, 0);
}

void RunLoop(benchmark::State& state, const char* loop, Scripting::LuaComponent* script = g_script)
{
    for (auto _ : state)
        CallLoop(script, loop);
    state.SetItemsProcessed(state.iterations() * CallsPerLoop);
}

void ScriptToEngine_Thunk(benchmark::State& state)
{
    RunLoop(state, "CallBound");
}

void ScriptToEngine_ThunkNoHook(benchmark::State& state)
{
    RunLoop(state, "CallBound", g_unhooked);
}

void ScriptToEngine_PlainCFunction(benchmark::State& state)
{
    RunLoop(state, "CallPlain");
}

// Calls per block of a paired run: each block takes some microseconds, far shorter than the
// machine's changes of speed and far longer than a clock read.
constexpr int CallsPerBlock = 256;
constexpr int LoopsPerBlock = 1;

// Alternates a block of `engine` calls and a block of `baseline` calls (the first of each pair
// taking turns) and times every block; reports both times per item and engine / baseline.
template <class Engine, class Baseline>
void RunPaired(benchmark::State& state, int callsPerBlock, int itemsPerCall, Engine engine,
               Baseline baseline)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration engineTime{};
    Clock::duration baselineTime{};
    const auto timeBlock = [callsPerBlock](auto& call)
    {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < callsPerBlock; ++i)
            call();
        return Clock::now() - start;
    };
    bool engineFirst = true;
    for (auto _ : state)
    {
        if (engineFirst)
        {
            engineTime += timeBlock(engine);
            baselineTime += timeBlock(baseline);
        }
        else
        {
            baselineTime += timeBlock(baseline);
            engineTime += timeBlock(engine);
        }
        engineFirst = !engineFirst;
    }
    const double items =
        static_cast<double>(state.iterations()) * callsPerBlock * static_cast<double>(itemsPerCall);
    const double engineNs = std::chrono::duration<double, std::nano>(engineTime).count();
    const double baselineNs = std::chrono::duration<double, std::nano>(baselineTime).count();
    state.counters["engine ns"] = engineNs / items;
    state.counters["baseline ns"] = baselineNs / items;
    state.counters["ratio"] = baselineNs > 0.0 ? engineNs / baselineNs : 0.0;
}

void EngineToScript_Paired(benchmark::State& state)
{
    lua_State* lua = g_script->GetState();
    lua_getglobal(lua, "Empty");
    const int reference = luaL_ref(lua, LUA_REGISTRYINDEX);
    RunPaired(
        state, CallsPerBlock, 1, [] { g_script->CallWithFloat("Empty", 1.0f); },
        [lua, reference] { CallByReference(lua, reference); });
    luaL_unref(lua, LUA_REGISTRYINDEX, reference);
}

void ScriptToEngine_Paired(benchmark::State& state)
{
    RunPaired(
        state, LoopsPerBlock, CallsPerLoop, [] { CallLoop(g_script, "CallBound"); },
        [] { CallLoop(g_script, "CallPlain"); });
}

// Keeps each run's time per item so that the ratios can be printed after the table.
class ScriptCallRatios : public RatioReporter
{
public:
    void PrintRatios() const override
    {
        std::printf("\nRatios (engine path time / baseline time; lower is better)\n");
        PrintPaired("engine to script", "EngineToScript_Paired", EngineToScriptTarget);
        PrintPaired("script to engine", "ScriptToEngine_Paired", ScriptToEngineTarget);
        std::printf("the same from separate runs:\n");
        PrintRatio("engine to script", "EngineToScript_CallWithFloat",
                   "EngineToScript_RegistryRefPcall", 0.0);
        PrintRatio("  (vs getglobal)", "EngineToScript_CallWithFloat", "EngineToScript_BarePcall",
                   0.0);
        PrintRatio("script to engine", "ScriptToEngine_Thunk", "ScriptToEngine_PlainCFunction",
                   0.0);
        std::printf("the instruction-count hook (separate runs):\n");
        PrintRatio("hook, engine call", "EngineToScript_CallWithFloat",
                   "EngineToScript_CallWithFloatNoHook", HookTarget);
        PrintRatio("hook, script call", "ScriptToEngine_Thunk", "ScriptToEngine_ThunkNoHook",
                   HookTarget);
    }

private:
    static double ItemsPerIteration(const Run& run)
    {
        return run.run_name.function_name.rfind("ScriptToEngine", 0) == 0 ? CallsPerLoop : 1;
    }

    void Record(const Run& run) override
    {
        const std::string& name = run.run_name.function_name;
        const auto ratio = run.counters.find("ratio");
        if (ratio != run.counters.end())
        {
            m_paired[name] = {ratio->second.value, run.counters.at("engine ns").value,
                              run.counters.at("baseline ns").value};
            return;
        }
        m_times[name] = run.GetAdjustedRealTime() / ItemsPerIteration(run);
    }

    void PrintPaired(const char* label, const std::string& run, double target) const
    {
        const auto found = m_paired.find(run);
        if (found == m_paired.end())
            return;
        const Paired& paired = found->second;
        std::printf("%-18s %6.3f  (%.1f ns against %.1f ns, paired blocks)  target <= %.2f %s\n",
                    label, paired.ratio, paired.engineNs, paired.baselineNs, target,
                    Verdict(paired.ratio <= target));
    }

    void PrintRatio(const char* label, const std::string& engine, const std::string& baseline,
                    double target) const
    {
        if (m_times.count(engine) == 0 || m_times.count(baseline) == 0)
            return;
        const double ratio = m_times.at(engine) / m_times.at(baseline);
        if (target <= 0.0)
        {
            std::printf("%-18s %6.3f  (no target)\n", label, ratio);
            return;
        }
        std::printf("%-18s %6.3f  target <= %.2f %s\n", label, ratio, target,
                    Verdict(ratio <= target));
    }

    struct Paired
    {
        double ratio;
        double engineNs; // per item
        double baselineNs;
    };

    std::map<std::string, double> m_times;
    std::map<std::string, Paired> m_paired;
};
} // namespace

int main(int argc, char** argv)
{
    // Every script state gets the script tables, as in the game.
    Scripting::RegisterScriptTables();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    Scripting::LuaComponent script;
    lua_State* lua = script.GetState();
    if (lua == nullptr || luaL_dostring(lua, Script) != LUA_OK)
    {
        std::printf("the benchmark script could not be set up\n");
        return 1;
    }
    lua_register(lua, "plainA", &PlainA);
    g_script = &script;

    Scripting::LuaComponent unhooked;
    lua_State* bare = unhooked.GetState();
    if (bare == nullptr || luaL_dostring(bare, Script) != LUA_OK)
    {
        std::printf("the benchmark script could not be set up\n");
        return 1;
    }
    lua_sethook(bare, nullptr, 0, 0);
    g_unhooked = &unhooked;

    const std::pair<const char*, void (*)(benchmark::State&)> benchmarks[] = {
        {"EngineToScript_CallWithFloat", &EngineToScript_CallWithFloat},
        {"EngineToScript_CallWithFloatNoHook", &EngineToScript_CallWithFloatNoHook},
        {"EngineToScript_RegistryRefPcall", &EngineToScript_RegistryRefPcall},
        {"EngineToScript_BarePcall", &EngineToScript_BarePcall},
        {"ScriptToEngine_Thunk", &ScriptToEngine_Thunk},
        {"ScriptToEngine_ThunkNoHook", &ScriptToEngine_ThunkNoHook},
        {"ScriptToEngine_PlainCFunction", &ScriptToEngine_PlainCFunction},
        {"EngineToScript_Paired", &EngineToScript_Paired},
        {"ScriptToEngine_Paired", &ScriptToEngine_Paired},
    };
    // The fastest and slowest repetition are printed with the mean and median, so that a
    // table shows how far machine noise spread the runs.
    const auto fastest = [](const std::vector<double>& times)
    { return *std::min_element(times.begin(), times.end()); };
    const auto slowest = [](const std::vector<double>& times)
    { return *std::max_element(times.begin(), times.end()); };
    for (const auto& [name, function] : benchmarks)
        benchmark::RegisterBenchmark(name, function)
            ->Repetitions(RepetitionCount)
            ->ReportAggregatesOnly(true)
            ->ComputeStatistics("min", fastest)
            ->ComputeStatistics("max", slowest);

    ScriptCallRatios reporter;
    return RunAndPrintRatios(reporter);
}
