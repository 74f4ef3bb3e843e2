#include "Graphics/GraphicsSystem.h"
#include "Core/Components/ObjectBoneMountsComponent.h"
#include "Core/Components/OrbitComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/SetBackgroundFadeToMessage.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Graphics/Assets/GraphicsAssets.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/GlowComponent.h"
#include "Graphics/Components/IntensityComponent.h"
#include "Graphics/Components/LightComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Components/TextComponent.h"
#include "Graphics/EditorBars/ImGuiBarRenderer.h"
#include "Graphics/GlslHeader.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Graphics/Rendering/DebugShapeDrawer.h"
#include "Graphics/Rendering/DeferredRenderer.h"
#include "Graphics/Rendering/GlDebugVertexSink.h"
#include "Graphics/Rendering/GlRenderSubmitter.h"
#include "Graphics/Rendering/OverlayPass.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/System/CameraSystem.h"
#include "Platform/WindowLayer.h"
#include "Scripting/LuaComponent.h"
#include "TweakBar/TweakBar.h"
#include <GL/glew.h>
#include <algorithm>

namespace Graphics
{
namespace System
{
GraphicsSystem* GraphicsSystem::s_instance = nullptr;

namespace
{
const char* const LogName = "GraphicsSystem";
const char* const UISystemName = "UISystem";
// Report level of a window that cannot be opened.
constexpr s32 WindowReportLevel = 0;
constexpr f32 FadeStart = 1.0f;

struct ListName
{
    const char* typeName;
    GraphicsSystem::ComponentList list;
};
constexpr ListName ListNames[] = {
    {"RenderComponent", GraphicsSystem::RenderComponents},
    {"AnimationControllerComponent", GraphicsSystem::AnimationControllerComponents},
    {"Sprite", GraphicsSystem::Sprites},
    {"ModelComponent", GraphicsSystem::ModelComponents},
    {"TextComponent", GraphicsSystem::TextComponents},
    {"PointLightComponent", GraphicsSystem::PointLightComponents},
    {"SpotLightComponent", GraphicsSystem::SpotLightComponents},
    {"DirectionalLightComponent", GraphicsSystem::DirectionalLightComponents},
    {"AmbientLightComponent", GraphicsSystem::AmbientLightComponents},
    {"IntensityComponent", GraphicsSystem::IntensityComponents},
    {"GlowComponent", GraphicsSystem::GlowComponents},
    {"ObjectBoneMountsComponent", GraphicsSystem::ObjectBoneMountsComponents},
    {"OrbitComponent", GraphicsSystem::OrbitComponents},
};

// What the input system asks of the window (Core/CoreServices.h).
s32 HookWindowWidth()
{
    GraphicsSystem* graphics = GraphicsSystem::Instance();
    return graphics != nullptr ? graphics->GetWindowWidth() : Core::DefaultWindowWidth;
}

s32 HookWindowHeight()
{
    GraphicsSystem* graphics = GraphicsSystem::Instance();
    return graphics != nullptr ? graphics->GetWindowHeight() : Core::DefaultWindowHeight;
}

// The editor bars' failures, one line each.
void LogBarError(const char* line)
{
    Core::Log() << line;
}

bool HookEditorBarsShown()
{
    GraphicsSystem* graphics = GraphicsSystem::Instance();
    return graphics != nullptr && graphics->AreEditorBarsShown();
}

void HookSetMouseCursorVisible(bool visible)
{
    if (GraphicsSystem* graphics = GraphicsSystem::Instance())
        graphics->SetMouseCursorVisible(visible);
}

const ShaderProgram* FindProgram(const std::string& name, u32 category)
{
    ShaderProgramManager* programs = ShaderProgramManager::Instance();
    return programs != nullptr ? programs->Find(name, category) : nullptr;
}

// Light values of the forward pass until the light components set their own.
constexpr f32 LightValueColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr f32 LightAmbientColour[4] = {0.3f, 0.3f, 0.3f, 1.0f};
constexpr f32 MaterialEmittedColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
// Below this determinant a matrix counts as singular.
constexpr f32 InverseTolerance = 0.00001f;
} // namespace

GraphicsSystem::GraphicsSystem()
    : m_currentProgram(0), m_currentProgramAsset(nullptr),
      m_referenceSize(ReferenceWidth, ReferenceHeight), m_renderWidth(0), m_renderHeight(0),
      m_swapInterval(1), m_windowWidth(static_cast<int>(DefaultWindowWidth)),
      m_windowHeight(static_cast<int>(DefaultWindowHeight)), m_windowOpen(false),
      m_fullScreen(false), m_noVisual(false), m_debugDraw(false), m_editorBars(false),
      m_hudShown(true), m_rendererReady(false), m_assetsCreated(false), m_hooksInstalled(false),
      m_settings(nullptr), m_renderedFrames(0), m_reloadGeometryScript(true)
{
    m_name = "GraphicsSystem";
    s_instance = this;
}

GraphicsSystem::~GraphicsSystem()
{
    // Whoever closes the renderer ends the game.
    Core::PostNew<GameStateMessage>(LogName, 0.0f, 0u, u32(GSM_EXIT), 0u);
    if (m_hooksInstalled)
        RemoveHooks();
    // The shapes go back to the allocator before the engine's allocator can go.
    if (m_debugSink != nullptr)
        DebugShapeDrawer::Remove();
    m_debugQueue.reset();
    Platform::WindowLayer& layer = Platform::GetWindowLayer();
    layer.SetWindowHandlers(Platform::WindowEventHandlers());
    // The assets' OpenGL objects go while their context still exists.
    if (m_assetsCreated)
        GraphicsAssets::Destroy();
    if (m_rendererReady)
        TwTerminate();
    TweakBar::ImGuiBarRenderer::Remove();
    TweakBar::SetErrorSink(nullptr);
    layer.Close();
    Scripting::LuaComponent::Destroy(m_settings);
    m_settings = nullptr;
    for (auto& list : m_lists)
        list.Clear();
    if (s_instance == this)
        s_instance = nullptr;
}

GraphicsSystem::ComponentList GraphicsSystem::ListOfTypeName(const std::string& typeName)
{
    for (const ListName& entry : ListNames)
    {
        if (typeName == entry.typeName)
            return entry.list;
    }
    return ComponentListCount;
}

void GraphicsSystem::Initialize(u32 launchFlags)
{
    Platform::WindowLayer& layer = Platform::GetWindowLayer();
    layer.GetDesktopSize(m_renderWidth, m_renderHeight);
    m_noVisual = (launchFlags & NoVisualFlag) != 0;
    if (m_noVisual)
        m_swapInterval = 0;
    SetFade(FadeStart, FadeStart, FadeStart);
    ReadSettings();
    InstallHooks();
    OpenWindow();

    const GLenum glewStatus = glewInit();
    if (glewStatus != GLEW_OK)
    {
        // Without the loader there is no renderer: frames only swap and poll.
        Core::Log() << "Error [GraphicsSystem]: "
                    << reinterpret_cast<const char*>(glewGetErrorString(glewStatus)) << '\n';
        return;
    }
    // The bars draw with ImGui in this context; a failure to start is logged through the sink.
    TweakBar::SetErrorSink(&LogBarError);
    TweakBar::ImGuiBarRenderer::Install();
    TwInit(TW_OPENGL, nullptr);
    m_rendererReady = true;
    // Empty managers: the asset loader's batches fill them.
    GraphicsAssets::Create();
    m_assetsCreated = true;
    m_submitter = std::make_unique<GlRenderSubmitter>();
    m_queue = std::make_unique<RenderQueue>(*m_submitter, m_statistics);
    m_queue->SetProgramLookup(&FindProgram);
    m_debugQueue =
        std::make_unique<DebugDrawQueue>(g_Engine != nullptr ? g_Engine->GetAllocator() : nullptr);
    m_renderer = std::make_unique<DeferredRenderer>(*m_queue);
    m_renderer->CreateRenderTargets(m_renderWidth, m_renderHeight);
    m_overlay = std::make_unique<OverlayPass>();
    // Every shape's Draw now reaches the window (only inside the forward pass while F2 is on).
    m_debugSink = std::make_unique<GlDebugVertexSink>();
    DebugShapeDrawer::Install(*m_debugSink);
    // The forward pass leaves room for the debug shapes; they are drawn only while F2 is on.
    m_renderer->drawDebugShapes = [this]()
    {
        if (m_debugDraw)
            DrawDebug();
    };
    // The overlay (pages, world texts, cursor) on the window, after composition.
    m_renderer->drawOverlay = [this]() { m_overlay->Draw(m_windowWidth, m_windowHeight); };

    if (!m_noVisual)
    {
        glEnable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        Core::Log() << "Success [GraphicsSystem]: Initialized Settings.\n";
    }
}

void GraphicsSystem::ReadSettings()
{
    // A script that does not load leaves the defaults (the component reported why).
    bool loaded = false;
    m_settings = Scripting::LuaComponent::CreateLoaded(
        SettingsScript, std::string(), Scripting::LuaComponent::FailedLoad::Keep, &loaded);
    if (!loaded)
        return;
    m_settings->GetGlobalBool("fullscreen", m_fullScreen);
    s32 width = m_windowWidth;
    s32 height = m_windowHeight;
    m_settings->GetGlobalInt("width", width);
    m_settings->GetGlobalInt("height", height);
    // A size that no window can have keeps the default.
    if (width > 0 && height > 0 && width <= MaxWindowSide && height <= MaxWindowSide)
    {
        m_windowWidth = width;
        m_windowHeight = height;
    }
    else
    {
        Core::Log() << "Error [GraphicsSystem]: window size " << width << " x " << height
                    << " from " << SettingsScript << " ignored\n";
    }
}

void GraphicsSystem::InstallHooks()
{
    Core::CoreServices& services = Core::Services();
    services.windowWidth.Install(&HookWindowWidth);
    services.windowHeight.Install(&HookWindowHeight);
    services.editorBarsShown.Install(&HookEditorBarsShown);
    services.setMouseCursorVisible.Install(&HookSetMouseCursorVisible);
    m_hooksInstalled = true;
}

void GraphicsSystem::RemoveHooks()
{
    Core::CoreServices& services = Core::Services();
    services.windowWidth.Remove(&HookWindowWidth);
    services.windowHeight.Remove(&HookWindowHeight);
    services.editorBarsShown.Remove(&HookEditorBarsShown);
    services.setMouseCursorVisible.Remove(&HookSetMouseCursorVisible);
    m_hooksInstalled = false;
}

void GraphicsSystem::OpenWindow()
{
    Platform::WindowLayer& layer = Platform::GetWindowLayer();
    // The old window and its context go; every GL object goes with them.
    layer.Close();
    m_windowOpen = false;

    Platform::WindowEventHandlers handlers;
    handlers.resize = [this](int width, int height) { OnWindowResize(width, height); };
    handlers.close = [this]() { OnWindowClose(); };
    layer.SetWindowHandlers(std::move(handlers));

    if (!m_fullScreen)
    {
        if (!layer.Open(m_windowWidth, m_windowHeight, false) && g_Engine != nullptr)
            g_Engine->LogError(ErrorReport("Couldn't Open Windowed Window!", WindowReportLevel));
        OnWindowResize(m_windowWidth, m_windowHeight);
    }
    else
    {
        Core::Log() << "Not Open\n";
        if (!layer.Open(m_renderWidth, m_renderHeight, true) && g_Engine != nullptr)
            g_Engine->LogError(ErrorReport("Couln't Open Fullscreen Window!", WindowReportLevel));
        OnWindowResize(m_renderWidth, m_renderHeight);
        Core::Log() << "Open\n";
    }
    if (!layer.IsOpen())
        return;

    int major = 0;
    int minor = 0;
    int revision = 0;
    layer.GetContextVersion(major, minor, revision);
    Core::Log() << "Major: " << major << " Minor: " << minor << " Rev: " << revision << '\n';
    layer.SetTitle(WindowTitle);
    ChooseShaderHeader();

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    layer.SetSwapInterval(m_swapInterval);
    Core::PostNew<WindowResizeMessage>(
        LogName, 0.0f, 0u,
        Math::Vector2(static_cast<f32>(m_windowWidth), static_cast<f32>(m_windowHeight)), 0u);
    m_windowOpen = true;
}

void GraphicsSystem::ChooseShaderHeader()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
    Core::Log() << (version != nullptr ? version : "(no shading-language version)") << '\n';
    const GlslHeader header = ChooseGlslHeader(version);
    if (!header.supported)
    {
        // Shaders keep the lines they had (none at start-up).
        Core::Log() << "Shader Version [" << header.major << "." << header.minor
                    << "] Not Supported.\n";
        return;
    }
    m_glslVersion = header.versionLine;
    m_glslDefine = header.defineLine;
}

void GraphicsSystem::OnWindowResize(int width, int height)
{
    // A minimised window reports a zero size: nothing changes.
    if (width == 0 || height == 0)
        return;
    // Cameras made for the old size follow the window; they compare with the size stored now.
    if (CameraSystem* cameras = CameraSystem::Instance())
        cameras->OnWindowResize(width, height);
    m_windowWidth = width;
    m_windowHeight = height;
    SetMouseCursorVisible(true);
    if (Platform::GetWindowLayer().IsOpen())
        glViewport(0, 0, width, height);
    TwWindowSize(width, height);
    Core::Services().reloadEditorBars();
    Core::PostNew<WindowResizeMessage>(
        LogName, 0.0f, 0u, Math::Vector2(static_cast<f32>(width), static_cast<f32>(height)),
        std::string(UISystemName));
}

void GraphicsSystem::OnWindowClose()
{
    // The game-state system ends the program; the window stays until then.
    Core::PostNew<GameStateMessage>(LogName, 0.0f, 0u, u32(GSM_EXIT), 0u);
}

void GraphicsSystem::Update(f32 seconds)
{
    if (!m_windowOpen)
        return;
    Platform::WindowLayer& layer = Platform::GetWindowLayer();
    if (m_renderedFrames > TitleRefreshFrames)
    {
        layer.SetTitle(WindowTitle);
        m_renderedFrames = 0;
    }
    ++m_renderedFrames;
    m_statistics = FrameStatistics();
    if (m_noVisual)
    {
        layer.SwapBuffers();
        ClearDebugQueue();
        return;
    }
    for (Math::PingPongValue& channel : m_fade)
        channel.Update(seconds);
    // While paused the components keep their last state and are drawn as they are.
    if (g_Engine == nullptr || !g_Engine->IsPaused())
        UpdateComponents(seconds);

    // The drawing steps need the loader's functions and the renderer's parts.
    if (m_rendererReady)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        DrawFrame();
        if (m_editorBars)
            TwDraw();
        glFlush();
    }
    layer.SwapBuffers();
    ClearDebugQueue();
}

void GraphicsSystem::UpdateComponents(f32 seconds)
{
    // Filed by type name: only a real component of the kind is driven. The steps move values
    // and transforms only, so the lists stay as they are during the walk.
    for (GameObjectComponent* component : m_lists[RenderComponents])
    {
        if (auto* render = dynamic_cast<RenderComponent*>(component))
            render->ResetBloom();
    }
    for (GameObjectComponent* component : m_lists[AnimationControllerComponents])
    {
        if (auto* controller = dynamic_cast<AnimationControllerComponent*>(component))
            controller->Update(seconds);
    }
    for (GameObjectComponent* component : m_lists[IntensityComponents])
    {
        if (auto* intensity = dynamic_cast<IntensityComponent*>(component))
            intensity->Update(seconds);
    }
    for (GameObjectComponent* component : m_lists[GlowComponents])
    {
        if (auto* glow = dynamic_cast<GlowComponent*>(component))
            glow->Update(seconds);
    }
    GameFactory* factory = Engine::Factory();
    for (GameObjectComponent* component : m_lists[ObjectBoneMountsComponents])
    {
        auto* mounts = dynamic_cast<ObjectBoneMountsComponent*>(component);
        const GameObject* carrier = mounts != nullptr && factory != nullptr
                                        ? factory->FindObject(mounts->GetOwner())
                                        : nullptr;
        if (carrier == nullptr)
            continue;
        const auto* controller = carrier->GetComponent<AnimationControllerComponent>();
        const auto* transform = carrier->GetComponent<TransformComponent>();
        if (controller == nullptr || transform == nullptr ||
            mounts->GetBoneIndex() >= controller->GetBoneCount())
            continue;
        const Math::Matrix4 model = transform->GetTranslationMatrix() *
                                    transform->GetRotationMatrix() *
                                    Math::Matrix4::Scale(transform->GetScale());
        const Math::Point4 bone = controller->GetBonePosition(mounts->GetBoneIndex());
        const Math::Vector4 world = model * Math::Vector4(bone.x, bone.y, bone.z, 1.0f);
        mounts->FollowBone(Math::Point4(world.x, world.y, world.z, 1.0f));
    }
    // Each light moves its channels, then its kind's own values; the list order is the kinds'.
    const ComponentList lights[] = {AmbientLightComponents, DirectionalLightComponents,
                                    PointLightComponents, SpotLightComponents};
    for (ComponentList list : lights)
    {
        for (GameObjectComponent* component : m_lists[list])
        {
            if (auto* light = dynamic_cast<LightComponent*>(component))
                light->Update(seconds);
        }
    }
    // Orbits last, so they stand still with everything else while paused or under "-no_vis".
    for (GameObjectComponent* component : m_lists[OrbitComponents])
    {
        if (auto* orbit = dynamic_cast<OrbitComponent*>(component))
            orbit->Update(seconds);
    }
}

void GraphicsSystem::DrawFrame()
{
    if (m_queue == nullptr || m_renderer == nullptr)
        return;
    m_queue->Clear();
    m_queue->SetDebugDraw(m_debugDraw);
    for (GameObjectComponent* component : m_lists[RenderComponents])
    {
        if (auto* render = dynamic_cast<RenderComponent*>(component))
            m_queue->Add(*render);
    }
    m_renderer->Render(m_windowWidth, m_windowHeight);
}

void GraphicsSystem::IdleUpdate(f32)
{
    // Shapes queued in a frame that is not drawn are dropped, so none is drawn late.
    ClearDebugQueue();
}

void GraphicsSystem::ClearDebugQueue()
{
    if (m_debugQueue != nullptr)
        m_debugQueue->Clear();
}

void GraphicsSystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    if (message->type == MT_KEYBOARD)
    {
        const auto* key = dynamic_cast<const KeyboardMessage*>(message);
        if (key == nullptr || key->state != KS_TRIGGER)
            return;
        if (key->keyCode == KeyF1)
            m_editorBars = !m_editorBars;
        else if (key->keyCode == KeyF2)
            m_debugDraw = !m_debugDraw;
        else if (key->keyCode == KeyF10)
        {
            Core::Log() << "GraphicsSystem handling keyboard key 'F10'\n";
            ReloadShaders();
        }
        return;
    }
    if (message->type == MT_SET_BACKGROUND_FADE_TO)
    {
        if (const auto* fade = dynamic_cast<const SetBackgroundFadeToMessage*>(message))
            FadeTo(fade->color.r, fade->color.g, fade->color.b, fade->duration);
    }
}

void GraphicsSystem::SetFade(f32 red, f32 green, f32 blue)
{
    const f32 values[FadeChannelCount] = {red, green, blue};
    for (int i = 0; i < FadeChannelCount; ++i)
        m_fade[i].Set(values[i], values[i], values[i], 0.0f, true, true);
}

void GraphicsSystem::FadeTo(f32 red, f32 green, f32 blue, f32 duration)
{
    const f32 targets[FadeChannelCount] = {red, green, blue};
    for (int i = 0; i < FadeChannelCount; ++i)
    {
        const f32 current = m_fade[i].GetClampedValue();
        const f32 target = targets[i];
        // No time to move in (or a nonsense duration): the fade is there at once.
        if (!(duration > 0.0f))
        {
            m_fade[i].Set(target, target, target, 0.0f, true, true);
            continue;
        }
        m_fade[i].Set(current, target, current, (target - current) / duration, true, true);
    }
}

void GraphicsSystem::Register(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    const ComponentList list = ListOfTypeName(component->GetName());
    if (list == ComponentListCount)
        return;
    if (!m_lists[list].Add(component))
        return;
    // A text gets its buffers as it joins, when there is a context to make them in.
    if (list == TextComponents && m_rendererReady && m_windowOpen && !m_noVisual)
    {
        if (auto* text = dynamic_cast<TextComponent*>(component))
            text->CreateBuffers();
    }
}

void GraphicsSystem::Unregister(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    const ComponentList list = ListOfTypeName(component->GetName());
    if (list == ComponentListCount)
        return;
    // Components leave from both Shutdown and their destructor: the second call finds nothing,
    // in constant time like the first.
    m_lists[list].Remove(component);
}

u32 GraphicsSystem::UseShaderProgram(const std::string& name)
{
    ShaderProgramManager* programs = ShaderProgramManager::Instance();
    ShaderProgram* program =
        programs != nullptr ? programs->Find(name, ShaderProgramFile::Standard) : nullptr;
    if (program == nullptr || !m_rendererReady)
    {
        // An unknown name leaves no program current rather than a stale one.
        ClearShaderProgram();
        return 0;
    }
    m_currentProgramAsset = program;
    m_currentProgram = program->Use();
    return m_currentProgram;
}

void GraphicsSystem::ClearShaderProgram()
{
    if (m_rendererReady)
        ShaderProgram::UseNone();
    m_currentProgram = 0;
    m_currentProgramAsset = nullptr;
}

void GraphicsSystem::ReloadShaders()
{
    if (!m_assetsCreated)
        return;
    // The current program's object is about to be deleted.
    ClearShaderProgram();
    GraphicsAssets::ReloadShaders();
}

void GraphicsSystem::SetCameraUniforms(u32 program)
{
    CameraSystem* cameras = CameraSystem::Instance();
    if (cameras == nullptr || !m_rendererReady)
        return;
    cameras->SetProjectionUniform(program);
    cameras->SetViewUniforms(program);
}

void GraphicsSystem::SetCameraUniforms(u32 program, const CameraComponent& camera)
{
    if (!m_rendererReady)
        return;
    const Math::Matrix4& view = camera.GetView();
    glUniformMatrix4fv(glGetUniformLocation(program, "ProjectionMatrix"), 1, GL_FALSE,
                       camera.GetProjection().m);
    glUniformMatrix4fv(glGetUniformLocation(program, "ViewMatrix"), 1, GL_FALSE, view.m);
    glUniformMatrix4fv(glGetUniformLocation(program, "CameraOrientation"), 1, GL_TRUE, view.m);
    Math::Matrix4 inverse;
    view.Inverse(inverse, InverseTolerance);
    glUniformMatrix4fv(glGetUniformLocation(program, "ViewInverse"), 1, GL_FALSE, inverse.m);
    glUniform1f(glGetUniformLocation(program, "Near"), camera.nearFar.x);
    glUniform1f(glGetUniformLocation(program, "Far"), camera.nearFar.y);
    glUniform1f(glGetUniformLocation(program, "Width"), camera.viewport.x);
    glUniform1f(glGetUniformLocation(program, "Height"), camera.viewport.y);
}

void GraphicsSystem::SetLightUniforms(u32 program)
{
    if (!m_rendererReady)
        return;
    glUniform4fv(glGetUniformLocation(program, "LightValue"), 1, LightValueColour);
    glUniform4fv(glGetUniformLocation(program, "LightAmbient"), 1, LightAmbientColour);
    // The first shadow caster's camera position, when its object has a camera; the search ends
    // at the first caster either way.
    GameFactory* factory = Engine::Factory();
    for (GameObjectComponent* component : m_lists[SpotLightComponents])
    {
        const auto* light = dynamic_cast<const LightComponent*>(component);
        if (light == nullptr || !light->IsShadowCaster())
            continue;
        const GameObject* owner =
            factory != nullptr ? factory->FindObject(light->GetOwner()) : nullptr;
        const auto* camera = owner != nullptr ? owner->GetComponent<CameraComponent>() : nullptr;
        if (camera != nullptr)
        {
            const Math::Point4 eye = camera->GetEye();
            glUniform4f(glGetUniformLocation(program, "LightPosition"), eye.x, eye.y, eye.z, eye.w);
        }
        break;
    }
    glUniform4fv(glGetUniformLocation(program, "MaterialEmitted"), 1, MaterialEmittedColour);
}

void GraphicsSystem::SetMouseCursorVisible(bool visible)
{
    Platform::GetWindowLayer().SetCursorVisible(visible);
}

void GraphicsSystem::ToggleFullScreen()
{
    m_fullScreen = !m_fullScreen;
    // ImGui's objects belong to the context that closes with the old window.
    TweakBar::ImGuiBarRenderer::Suspend();
    OpenWindow();
    TweakBar::ImGuiBarRenderer::Resume();
    // Every OpenGL object went with the old context: the assets make theirs again from memory.
    m_currentProgram = 0;
    m_currentProgramAsset = nullptr;
    if (m_assetsCreated && m_windowOpen)
        GraphicsAssets::ReloadAll();
    // The texts' buffers went with the old context too.
    if (!m_rendererReady || !m_windowOpen || m_noVisual)
        return;
    for (GameObjectComponent* component : m_lists[TextComponents])
    {
        if (auto* text = dynamic_cast<TextComponent*>(component))
        {
            text->CreateBuffers();
            text->Construct(text->text);
        }
    }
}

void GraphicsSystem::CreateSkybox(const std::string& definition)
{
    const u32 id = GenerateIdLocked();
    if (m_renderer != nullptr)
        m_renderer->SetSkyboxId(id);
    Core::PostNew<ObjectCreateMessage>(LogName, 0.0f, GetId(), id, definition, 0u);
}

void GraphicsSystem::CreatePerformanceBar()
{
    // The performance bar is made through the editor's bar manager, which arrives with it.
}
} // namespace System
} // namespace Graphics
