// The logic system's frame update over 10,000 registered components against the same work done
// by plain means: virtual Update calls over a std::vector of the same components, walked as a
// list must be when components may leave and join during the walk (by index, the size read
// again each step, a leaving component's slot cleared and skipped). What remains between the two
// is the system's own cost: its walk bookkeeping and the call through its interface. The target
// is at most 1.5 times the plain loop.
#include "Logic/LogicComponent.h"
#include "Logic/LogicSystem.h"
#include "bench/PairRatioReporter.h"
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int ComponentCount = 10000;
constexpr double TargetRatio = 1.5;
constexpr f32 FrameSeconds = 1.0f / 60.0f;

// A logic component with the cheapest update that still does work the compiler must keep.
class Ticker : public Logic::LogicComponent
{
public:
    u32 GetType() const override { return 1; }
    const std::string& GetName() const override
    {
        static const std::string name = "Ticker";
        return name;
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void Update(f32 seconds) override { age += seconds; }

    f32 age = 0.0f;
};

struct Stage
{
    Stage()
    {
        for (int i = 0; i < ComponentCount; ++i)
        {
            owned.push_back(std::make_unique<Ticker>());
            plain.push_back(owned.back().get());
        }
    }
    Logic::System::LogicSystem system; // constructed first: the tickers join it
    std::vector<std::unique_ptr<Ticker>> owned;
    std::vector<Logic::LogicComponent*> plain;
};

void LogicSystemUpdate(benchmark::State& state)
{
    Stage stage;
    for (auto _ : state)
    {
        stage.system.Update(FrameSeconds);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * ComponentCount);
}

void PlainVectorUpdate(benchmark::State& state)
{
    Stage stage;
    for (auto _ : state)
    {
        // By index and re-reading the size: a component that joins is appended and visited; one
        // that leaves has its slot cleared.
        for (std::size_t i = 0; i < stage.plain.size(); ++i)
        {
            if (Logic::LogicComponent* component = stage.plain[i])
                component->Update(FrameSeconds);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * ComponentCount);
}

class LogicRatios : public PairRatioReporter
{
public:
    LogicRatios() : PairRatioReporter("LogicSystemUpdate", "PlainVectorUpdate") {}

    void PrintRatios() const override
    {
        if (m_system <= 0.0 || m_plain <= 0.0)
            return;
        const double ratio = m_system / m_plain;
        std::printf("\nRatio (logic system update / plain vector of virtual calls; lower is "
                    "better)\n%-28s %6.3f  target (<= %.1f) %s\n",
                    "update of 10,000 components", ratio, TargetRatio,
                    Verdict(ratio <= TargetRatio));
    }
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("LogicSystemUpdate", &LogicSystemUpdate);
    benchmark::RegisterBenchmark("PlainVectorUpdate", &PlainVectorUpdate);
    LogicRatios reporter;
    return RunAndPrintRatios(reporter);
}
