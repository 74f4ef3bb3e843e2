// Building game objects from an object definition against parsing the same XML with tinyxml2
// alone. Each run creates 10,000 objects from a three-component definition (through the
// serializer system, as the game does) and destroys them; the baseline parses the definition's
// text once per object. After the table, both rates are printed in objects per second with the
// ratio between them: how much a pre-parsed definition saves over reading the file each time.
// Target: at least twice the parse-alone rate (building an object from what was read once must
// cost well under reading its text).
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Serializer/SerializerSystem.h"
#include "Xml/PlainValueXml.h"
#include "bench/RatioReporter.h"
#include "tests/Support/TempFiles.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace
{
constexpr int ObjectsPerRun = 10000;
constexpr double TargetRatio = 2.0;

const char* const DefinitionName = "Crate";
const char* const DefinitionText = R"(<?xml version="1.0"?>
<Crate>
    <TransformComponent>
        <position X="4" Y="0" Z="-2"/>
        <orientation X="0" Y="45" Z="0"/>
        <scale X="1" Y="1" Z="1"/>
        <relativeToCreator>0</relativeToCreator>
        <updateRelativeToCreator>0</updateRelativeToCreator>
    </TransformComponent>
    <TestComponent/>
    <LabelComponent>
        <label>Supply crate</label>
    </LabelComponent>
</Crate>
)";

// A third component with a member of its own, so that every definition read does some reading
// beyond the transform.
class LabelComponent : public GameObjectComponent
{
public:
    LabelComponent() : GameObjectComponent(true) {}
    static const std::string& GetTypeName()
    {
        static const std::string name = "LabelComponent";
        return name;
    }
    u32 GetType() const override
    {
        static const u32 typeId = HashTypeName(GetTypeName().c_str());
        return typeId;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader& reader) override
    {
        Serializer::ReadString(reader, label, "label");
    }
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override {}

    std::string label;
};

void CreateAndDestroyFromDefinition(benchmark::State& state)
{
    GameFactory& factory = *g_Engine->GetFactory();
    std::vector<u32> ids(ObjectsPerRun);
    for (auto _ : state)
    {
        for (u32& id : ids)
        {
            id = Engine::GenerateId();
            Serializer::System::SerializerSystem::CreateObject(0, DefinitionName, id);
        }
        for (u32 id : ids)
            factory.DestroyObject(id);
    }
    state.counters["objects/s"] =
        benchmark::Counter(ObjectsPerRun, benchmark::Counter::kIsIterationInvariantRate);
}

void ParseWithTinyxml2Alone(benchmark::State& state)
{
    const std::string text = DefinitionText;
    for (auto _ : state)
    {
        for (int i = 0; i < ObjectsPerRun; ++i)
        {
            tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
            document.Parse(text.c_str(), text.size());
            benchmark::DoNotOptimize(document.RootElement());
        }
    }
    state.counters["objects/s"] =
        benchmark::Counter(ObjectsPerRun, benchmark::Counter::kIsIterationInvariantRate);
}

// Keeps each run's rate so that the comparison can be printed after the table.
class ObjectCreationRates : public RatioReporter
{
public:
    ObjectCreationRates() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        const auto created = m_rates.find(CreateRun);
        const auto parsed = m_rates.find(ParseRun);
        if (created == m_rates.end() || parsed == m_rates.end() || parsed->second <= 0.0)
            return;
        std::printf("\nObjects per second, %d per run:\n", ObjectsPerRun);
        for (const auto& [name, rate] : {*created, *parsed})
            std::printf("  %-34s %14.0f\n", name.c_str(), rate);
        const double ratio = created->second / parsed->second;
        std::printf("  create+destroy / parse-alone rate   %14.3f\n", ratio);
        std::printf("  target (>= %.1f) %s\n", TargetRatio, Verdict(ratio >= TargetRatio));
    }

    static constexpr const char* CreateRun = "CreateAndDestroyFromDefinition";
    static constexpr const char* ParseRun = "ParseWithTinyxml2Alone";

private:
    // With repetitions a run is recorded once per repetition and then as its median, which
    // replaces them (RatioReporter).
    void Record(const Run& run) override
    {
        const auto counter = run.counters.find("objects/s");
        if (counter != run.counters.end())
            m_rates[run.run_name.function_name] = counter->second.value;
    }

    std::map<std::string, double> m_rates;
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    // A scratch asset tree holding the one definition, entered for the run.
    TempFolder assets("objects-bench");
    assets.Write(std::string("assets/Objects/") + DefinitionName + ".xml", DefinitionText);
    Engine engine;
    Core::RegisterCore(engine);
    engine.GetFactory()->GetComponentFactory().Register<LabelComponent>(
        ComponentFactory::LogicPool);
    Serializer::System::SerializerSystem serializer;
    serializer.Initialize(0);

    benchmark::RegisterBenchmark(ObjectCreationRates::CreateRun, CreateAndDestroyFromDefinition)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(ObjectCreationRates::ParseRun, ParseWithTinyxml2Alone)
        ->Unit(benchmark::kMillisecond);

    ObjectCreationRates reporter;
    return RunAndPrintRatios(reporter);
}
