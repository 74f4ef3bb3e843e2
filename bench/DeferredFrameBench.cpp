// The deferred frame against plain drawing: the lit screenshot scene (tests/Graphics/Scenes/
// LitScene.xml) drawn full-window through the graphics system's renderer (seven passes, six
// targets, the skybox, point lights, the shadow map and the bloom) against the same models drawn
// once each with one plain program straight into the window. Both wait for the frame to finish
// (glFinish) and swap. Run it under Xvfb at 1366 x 768, where the render targets and the window
// have the screen's size:
//   xvfb-run -a -s "-screen 0 1366x768x24" build-release/bench/deferred_frame_bench
// Target: the deferred frame within 8 times the plain one on llvmpipe.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Graphics/Assets/Material.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Graphics/GraphicsRegistration.h"
#include "Platform/Window.h"
#include "Platform/WindowLayer.h"
#include "ScriptApi/ScriptApiRegistration.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "bench/PairRatioReporter.h"
#include "bench/ScratchFolder.h"
#include "tests/Graphics/Rendering/SceneFile.h"
#include <GL/glew.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace
{
using Graphics::System::GraphicsSystem;

constexpr double TargetRatio = 8.0;
constexpr int WindowWidthPixels = 1366;
constexpr int WindowHeightPixels = 768;
constexpr f32 FrameTime = 1.0f / 60.0f;
// Frames drawn before timing starts: the sky is created by a message, and the driver warms up.
constexpr int WarmUpFrames = 4;
constexpr f32 InverseTolerance = 0.00001f;
const char* const Scene = "tests/Graphics/Scenes/LitScene.xml";
const char* const PlainProgram = "Default";

struct World
{
    Engine* engine = nullptr;
    GraphicsSystem* graphics = nullptr;
    SystemComponent* messages = nullptr;
    SystemComponent* cameras = nullptr;
};
World g_world;

void DeferredFrame(benchmark::State& state)
{
    for (auto _ : state)
    {
        g_world.cameras->Update(FrameTime);
        g_world.graphics->Update(FrameTime);
        glFinish();
    }
}

// The scene's render components, each drawn once with the "Default" program into the window.
void PlainDraw(benchmark::State& state)
{
    const Graphics::ShaderProgram* program = Graphics::ShaderProgramManager::Instance()->Find(
        PlainProgram, Graphics::ShaderProgramFile::Static);
    GameFactory* factory = g_world.engine->GetFactory();
    for (auto _ : state)
    {
        g_world.cameras->Update(FrameTime);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, g_world.graphics->GetWindowWidth(), g_world.graphics->GetWindowHeight());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_BLEND);
        const u32 handle = program->Use();
        g_world.graphics->SetCameraUniforms(handle);
        for (GameObjectComponent* component :
             g_world.graphics->GetComponents(GraphicsSystem::RenderComponents))
        {
            auto* render = dynamic_cast<Graphics::RenderComponent*>(component);
            const GameObject* owner = factory->FindObject(render->GetOwner());
            const auto* transform = owner->GetComponent<TransformComponent>();
            if (!render->visible || render->GetModel() == nullptr)
                continue;
            const Math::Matrix4 model = transform->GetTransformMatrix();
            Math::Matrix4 normal;
            model.Inverse(normal, InverseTolerance);
            glUniformMatrix4fv(glGetUniformLocation(handle, "ModelMatrix"), 1, GL_TRUE, model.m);
            glUniformMatrix4fv(glGetUniformLocation(handle, "NormalMatrix"), 1, GL_FALSE, normal.m);
            render->GetModel()->BindVertexFormat();
            if (render->GetMaterial() != nullptr)
                render->GetMaterial()->Bind(handle);
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(render->GetModel()->GetIndexCount()),
                           GL_UNSIGNED_INT, nullptr);
            render->GetModel()->UnbindVertexFormat();
        }
        Graphics::Material::UnbindAll();
        Graphics::ShaderProgram::UseNone();
        glEnable(GL_BLEND);
        Platform::GetWindowLayer().SwapBuffers();
        glFinish();
    }
}

class DeferredRatios : public PairRatioReporter
{
public:
    DeferredRatios() : PairRatioReporter("DeferredFrame", "PlainDraw") {}

    void PrintRatios() const override
    {
        if (m_system <= 0.0 || m_plain <= 0.0)
            return;
        const double ratio = m_system / m_plain;
        // Both runs are timed in milliseconds.
        std::printf("\nLit scene at %d x %d: deferred frame %.2f ms, plain drawing %.2f ms\n",
                    WindowWidthPixels, WindowHeightPixels, m_system, m_plain);
        std::printf("Ratio (deferred frame / plain drawing; lower is better)\n"
                    "%-28s %6.3f  target (<= %.1f) %s\n",
                    "deferred frame", ratio, TargetRatio, Verdict(ratio <= TargetRatio));
    }
};

bool StartWorld()
{
    if (!Platform::InitializeWindowing())
        return false;
    g_world.engine = new Engine();
    g_Engine = g_world.engine;
    Core::RegisterCore(*g_world.engine);
    Serializer::RegisterSerializer(*g_world.engine);
    Scripting::RegisterScripting(*g_world.engine);
    Graphics::RegisterGraphics(*g_world.engine);
    const char* const arguments[] = {"quillmere"};
    g_world.engine->ParseCommandLine(1, arguments);
    g_world.engine->Initialize();
    g_world.graphics = static_cast<GraphicsSystem*>(g_world.engine->GetSystem("GraphicsSystem"));
    g_world.messages = g_world.engine->GetSystem("MessagingSystem");
    g_world.cameras = g_world.engine->GetSystem("CameraSystem");
    if (g_world.graphics == nullptr || !g_world.graphics->IsRendererReady() ||
        g_world.messages == nullptr || g_world.cameras == nullptr ||
        Graphics::ShaderProgramManager::Instance()->Find(
            PlainProgram, Graphics::ShaderProgramFile::Static) == nullptr)
        return false;
    tinyxml2::XMLDocument document;
    if (document.LoadFile((std::string(QUILL_SOURCE_ROOT) + "/" + Scene).c_str()) !=
        tinyxml2::XML_SUCCESS)
        return false;
    SceneFile::BuildScene(document.RootElement(), *g_world.graphics);
    for (int i = 0; i < WarmUpFrames; ++i)
    {
        g_world.messages->Update(FrameTime);
        g_world.cameras->Update(FrameTime);
        g_world.graphics->Update(FrameTime);
    }
    return true;
}

void StopWorld()
{
    delete g_world.engine;
    g_Engine = nullptr;
    g_world = World();
    Platform::TerminateWindowing();
}
} // namespace

int main(int argc, char** argv)
{
    // Every script state gets the script tables, as in the game.
    Scripting::RegisterScriptTables();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (std::getenv("DISPLAY") == nullptr)
    {
        std::printf("no display: run under xvfb-run -a -s \"-screen 0 1366x768x24\"\n");
        return 0;
    }
    ScratchFolder folder("quill-deferred-bench");
    if (!folder.Ready() ||
        !SceneFile::MakeSceneAssetTree(QUILL_SOURCE_ROOT, std::filesystem::current_path(),
                                       WindowWidthPixels, WindowHeightPixels))
    {
        std::printf("the scene's asset folder could not be made\n");
        return 1;
    }
    if (!StartWorld())
    {
        std::printf("the engine did not start its renderer or read %s\n", Scene);
        StopWorld();
        return 1;
    }
    benchmark::RegisterBenchmark("DeferredFrame", &DeferredFrame)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PlainDraw", &PlainDraw)->Unit(benchmark::kMillisecond);
    DeferredRatios reporter;
    const int status = RunAndPrintRatios(reporter);
    StopWorld();
    return status;
}
