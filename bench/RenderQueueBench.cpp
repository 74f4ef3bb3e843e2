// The render queue's frame work: 1,000 render components (10 programs, 20 models, 5 materials)
// cleared, queued and walked through the forward routine into a counting recorder, against the
// plain way of grouping them: 1,000 (program, model, material, component) keys sorted with
// std::sort and walked with a bind at every change. Both walks draw each component with the
// same routine, so the comparison is the grouping. The steady run counts heap allocations per
// frame over 1,000 frames of the same scene.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/Rendering/NodeMaterial.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "bench/RatioReporter.h"
#include "bench/ScratchFolder.h"
#include "tests/Graphics/Rendering/RenderRecorder.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int QueuedComponentCount = 1000;
constexpr int Programs = 10;
constexpr int ModelCount = 20;
constexpr int MaterialCount = 5;
constexpr int SteadyFrames = 1000;
constexpr double RatioTarget = 1.5;

struct Scene
{
    Graphics::RenderQueue* queue = nullptr;
    RenderRecorder* recorder = nullptr;
    std::vector<Graphics::RenderComponent*> components;
};
Scene g_scene;

// What the baseline sorts: the assets in draw order, then the add order.
struct Key
{
    const Graphics::ShaderProgram* program;
    const Graphics::Model* model;
    const Graphics::Material* material;
    std::size_t order;
    Graphics::RenderComponent* component;
    bool operator<(const Key& other) const
    {
        return std::tie(program, model, material, order) <
               std::tie(other.program, other.model, other.material, other.order);
    }
};

void QueueFrame()
{
    Graphics::RenderQueue& queue = *g_scene.queue;
    queue.Clear();
    for (Graphics::RenderComponent* component : g_scene.components)
        queue.Add(*component);
    queue.RenderForward();
}

void Queue(benchmark::State& state)
{
    QueueFrame(); // the nodes exist from the first frame on
    const std::uint64_t before = Bench::HeapAllocations();
    for (auto _ : state)
        QueueFrame();
    state.counters["heap/frame"] = static_cast<double>(Bench::HeapAllocations() - before) /
                                   static_cast<double>(state.iterations());
}

void SortedKeys(benchmark::State& state)
{
    Graphics::RenderQueue& queue = *g_scene.queue;
    Graphics::RenderSubmitter& submitter = queue.GetSubmitter();
    std::vector<Key> keys;
    keys.reserve(g_scene.components.size());
    for (auto _ : state)
    {
        keys.clear();
        for (std::size_t i = 0; i < g_scene.components.size(); ++i)
        {
            Graphics::RenderComponent* c = g_scene.components[i];
            keys.push_back(Key{c->GetProgram(), c->GetModel(), c->GetMaterial(), i, c});
        }
        std::sort(keys.begin(), keys.end());
        submitter.SetBlending(false);
        const Key* last = nullptr;
        for (const Key& key : keys)
        {
            const bool newProgram = last == nullptr || key.program != last->program;
            const bool newModel = newProgram || key.model != last->model;
            const bool newMaterial = newModel || key.material != last->material;
            if (last != nullptr && newMaterial)
                submitter.UnbindMaterial(*last->material);
            if (last != nullptr && newModel)
                submitter.UnbindModel(*last->model);
            if (newProgram)
            {
                submitter.UseProgram(key.program);
                submitter.SetForwardUniforms();
            }
            if (newModel)
                submitter.BindModel(*key.model);
            if (newMaterial)
                submitter.BindMaterial(*key.material);
            Graphics::NodeMaterial::DrawComponent(queue, *key.model, *key.component);
            last = &key;
        }
        if (last != nullptr)
        {
            submitter.UnbindMaterial(*last->material);
            submitter.UnbindModel(*last->model);
        }
        submitter.SetBlending(true);
        benchmark::DoNotOptimize(keys.data());
    }
}

class QueueRatios : public RatioReporter
{
public:
    QueueRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        std::printf("\nRender queue, %d components of %d programs, %d models, %d materials "
                    "(lower is better)\n",
                    QueuedComponentCount, Programs, ModelCount, MaterialCount);
        if (Has("Queue") && Has("SortedKeys"))
        {
            const double ratio = m_runs.at("Queue").time / m_runs.at("SortedKeys").time;
            std::printf("queue/sorted keys %6.3f  target <= %.1f %s\n", ratio, RatioTarget,
                        Verdict(ratio <= RatioTarget));
        }
        if (Has("QueueSteady"))
        {
            const double heap = m_runs.at("QueueSteady").heapPerFrame;
            std::printf("heap allocations per frame over %d frames %.3f  target 0 %s\n",
                        SteadyFrames, heap,
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
        Figures& figures = m_runs[run.run_name.function_name];
        figures.time = run.GetAdjustedRealTime();
        if (run.counters.count("heap/frame") != 0)
            figures.heapPerFrame = run.counters.at("heap/frame").value;
    }

    std::map<std::string, Figures> m_runs;
};

// The models, materials and program files live in a scratch folder that is the working
// directory while the program runs, as the repository root is for the game.
class BenchAssets : public ScratchFolder
{
public:
    BenchAssets() : ScratchFolder("quill-queue-bench")
    {
        if (!Ready())
            return;
        std::filesystem::create_directories("assets/Models/bin");
        std::filesystem::create_directories("assets/Materials");
        std::filesystem::create_directories("assets/ShaderPrograms");
        Graphics::ModelFile model;
        model.hasMesh = true;
        model.vertexCount = 3;
        model.triangleCount = 1;
        model.vertices.resize(3 * sizeof(Graphics::StaticVertex));
        model.indices = {0, 1, 2};
        for (int i = 0; i < ModelCount; ++i)
        {
            Graphics::FbxBinWriter writer;
            writer.WriteMesh(model);
            writer.WriteEnd();
            writer.Save("assets/Models/bin/M" + std::to_string(i) + ".fbxbin");
        }
        for (int i = 0; i < MaterialCount; ++i)
            std::ofstream("assets/Materials/T" + std::to_string(i) + ".xml") << "<Material/>";
        for (int i = 0; i < Programs; ++i)
            std::ofstream("assets/ShaderPrograms/P" + std::to_string(i) + ".xml")
                << "<P>Static<VertexShader>S.vs</VertexShader></P>";
    }
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    BenchAssets folder;
    if (!folder.Ready())
    {
        std::printf("no scratch folder for the benchmark's assets\n");
        return 1;
    }
    {
        Engine engine;
        Core::RegisterCoreComponents(engine.GetFactory()->GetComponentFactory());
        Graphics::RegisterGraphics(engine);
        auto models = std::make_unique<Graphics::ModelManager>();
        auto materials = std::make_unique<Graphics::MaterialManager>();
        auto programs = std::make_unique<Graphics::ShaderProgramManager>();
        models->LoadAll(0);
        materials->LoadAll(0);
        programs->LoadAll(
            0); // no context: programs without GL objects, which the recorder needs not

        RenderRecorder recorder;
        recorder.keep = false;
        Graphics::RenderQueue::Statistics statistics;
        Graphics::RenderQueue queue(recorder, statistics);
        g_scene.queue = &queue;
        g_scene.recorder = &recorder;
        GameFactory* factory = engine.GetFactory();
        for (int i = 0; i < QueuedComponentCount; ++i)
        {
            GameObject* object = factory->CreateObject("Bench", Engine::GenerateId());
            object->AddComponent(factory->CreateComponent("TransformComponent"));
            auto* render = static_cast<Graphics::RenderComponent*>(
                object->AddComponent(factory->CreateComponent("RenderComponent")));
            // Spread over the assets in an order unlike the grouping, so both sides must sort.
            render->SetAssets(models->Find("M" + std::to_string((i * 7) % ModelCount), 0),
                              materials->Find("T" + std::to_string((i * 3) % MaterialCount), 0),
                              programs->Find("P" + std::to_string((i * 11) % Programs), 1));
            g_scene.components.push_back(render);
        }

        benchmark::RegisterBenchmark("Queue", &Queue)->Unit(benchmark::kMicrosecond)->UseRealTime();
        benchmark::RegisterBenchmark("SortedKeys", &SortedKeys)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark("QueueSteady", &Queue)
            ->Iterations(SteadyFrames)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        QueueRatios reporter;
        RunAndPrintRatios(reporter);
        g_scene = Scene();
        // Assets come from the engine's allocator: they go before it.
        programs.reset();
        materials.reset();
        models.reset();
    }
    return 0;
}
