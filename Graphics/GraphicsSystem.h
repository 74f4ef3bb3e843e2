#pragma once
// The renderer's system: reads the graphics settings script, opens the window and its OpenGL
// context through the window layer, chooses the GLSL header every shader is compiled with,
// keeps one list per kind of drawable component and draws a frame on each rendered frame.
// Window events are delivered only inside its buffer swap (Update), so input callbacks run
// there. It answers F1 (editor bars), F2 (debug drawing) and F10 (shader reload) and moves the
// background fade toward the colour of a SetBackgroundFadeToMessage.
//
// The input system reaches the window size, the editor-bars flag and the system cursor through
// the hooks this system installs in Initialize (Core/CoreServices.h); the destructor removes
// them. The Graphics script table (ScriptApi/) calls the skybox, full screen, the fade and the
// heads-up-display flag directly.
//
// It owns the graphics asset managers (Graphics/Assets/GraphicsAssets.h): created empty once the
// GL loader has started, filled by asset batches, their shaders and programs reloaded on F10 and
// every OpenGL object made again after a switch to full screen.
//
// It owns the render queue and the frame renderer (Graphics/Rendering): each rendered frame
// updates the drawable components and the lights (not while paused), queues every render
// component and draws. It owns the debug-draw queue (emptied after every frame, drawn or not,
// and in IdleUpdate) and installs the shape drawers of Math/DebugDraw.h with an OpenGL sink for
// its lifetime; the renderer's debug-shapes hook runs DrawDebug while F2 is on, and its overlay
// hook runs the overlay pass, the frame's last. Services whose pieces arrive later (the
// performance bar) answer their defaults until then. Main thread only.
#include "Core/System/RegisteredList.h"
#include "Core/SystemComponent.h"
#include "Math/PingPongValue.h"
#include "Math/Vector2.h"
#include "Platform/KeyCodes.h"
#include <array>
#include <list>
#include <memory>
#include <string>

namespace Scripting
{
class LuaComponent;
}

namespace Graphics
{
class CameraComponent;
class DebugDrawQueue;
class DeferredRenderer;
class GlDebugVertexSink;
class GlRenderSubmitter;
class OverlayPass;
class RenderQueue;
class ShaderProgram;

// The window size before the settings script sets one, and the size screen layouts are made for.
constexpr f32 DefaultWindowWidth = 1024.0f;
constexpr f32 DefaultWindowHeight = 768.0f;
constexpr f32 ReferenceWidth = 1366.0f;
constexpr f32 ReferenceHeight = 768.0f;

namespace System
{
class GraphicsSystem : public SystemComponent
{
public:
    static constexpr const char* SettingsScript = "System/GraphicsSystemScript.lua";
    // The longest window side the settings script may ask for: larger windows make the X client
    // library abort or crash (32767 already does under Xvfb), and no GL driver renders them.
    static constexpr s32 MaxWindowSide = 16384;
    static constexpr const char* WindowTitle = "Quillmere";
    // Keys of the engine's numbering this system answers.
    static constexpr u32 KeyF1 = Platform::Keys::F1;
    static constexpr u32 KeyF2 = Platform::Keys::F2;
    static constexpr u32 KeyF10 = Platform::Keys::F10;
    // The title is set again after this many rendered frames.
    static constexpr u32 TitleRefreshFrames = 60;
    // Launch flag "-no_vis": swap and poll, draw nothing.
    static constexpr u32 NoVisualFlag = 0x2;

    // The drawable kinds, one list each, filed by type name.
    enum ComponentList
    {
        RenderComponents,
        AnimationControllerComponents,
        Sprites,
        ModelComponents,
        TextComponents,
        PointLightComponents,
        SpotLightComponents,
        DirectionalLightComponents,
        AmbientLightComponents,
        IntensityComponents,
        GlowComponents,
        ObjectBoneMountsComponents,
        OrbitComponents,
        ComponentListCount,
    };
    // The list of a type name, or ComponentListCount for a name that is no drawable kind.
    static ComponentList ListOfTypeName(const std::string& typeName);

    // Counted up by the drawing code, zeroed at the start of every rendered frame.
    struct FrameStatistics
    {
        u32 polygons = 0;
        u32 animations = 0;
        u32 staticModels = 0;
        u32 effects = 0;
        u32 particles = 0;
    };

    enum FadeChannel
    {
        FadeRed,
        FadeGreen,
        FadeBlue,
        FadeChannelCount,
    };

    GraphicsSystem();
    ~GraphicsSystem() override;
    GraphicsSystem(const GraphicsSystem&) = delete;
    GraphicsSystem& operator=(const GraphicsSystem&) = delete;

    static GraphicsSystem* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    // One rendered frame with the time since the last one.
    void Update(f32 seconds) override;
    void IdleUpdate(f32 seconds) override;
    void Initialize(u32 launchFlags) override;
    void HandleMessage(Message* message) override;
    void Register(GameObjectComponent* component) override;
    void Unregister(GameObjectComponent* component) override;

    int GetWindowWidth() const { return m_windowWidth; }
    int GetWindowHeight() const { return m_windowHeight; }
    int GetRenderWidth() const { return m_renderWidth; }
    int GetRenderHeight() const { return m_renderHeight; }
    int GetReferenceWidth() const { return static_cast<int>(m_referenceSize.x); }
    int GetReferenceHeight() const { return static_cast<int>(m_referenceSize.y); }

    // The OpenGL handle of the named program of category "Standard", made current; 0 with no
    // program current when there is no such program.
    u32 UseShaderProgram(const std::string& name);
    void ClearShaderProgram();
    u32 GetCurrentProgramHandle() const { return m_currentProgram; }
    // The program UseShaderProgram made current, or null.
    ShaderProgram* GetCurrentProgram() const { return m_currentProgramAsset; }
    // F10: every shader compiled again from its file, every program linked again.
    void ReloadShaders();
    // The active camera's uniforms (through the camera system), or those of one camera.
    void SetCameraUniforms(u32 program);
    void SetCameraUniforms(u32 program, const CameraComponent& camera);
    void SetLightUniforms(u32 program);
    // The forward pass's debug view while F2 is on: the particle outlines join the queue, then
    // the queue, the physics view, the "geo" script and the world axes are drawn with the
    // active camera (GraphicsSystem_Debug.cpp).
    void DrawDebug();
    // Loads "Debug/GeometryDebug.lua" as the script "geo" on first use (and after a reload
    // request) and calls its DrawDebug. The script belongs to the Lua system.
    void DrawGeometryDebugScript();
    void ReloadGeometryDebugScript() { m_reloadGeometryScript = true; }
    void SetMouseCursorVisible(bool visible);
    // Reopens the window in the other mode.
    void ToggleFullScreen();
    void CreateSkybox(const std::string& definition);
    void CreatePerformanceBar();

    bool IsWindowOpen() const { return m_windowOpen; }
    bool IsFullScreen() const { return m_fullScreen; }
    bool IsNoVisual() const { return m_noVisual; }
    bool IsDebugDrawOn() const { return m_debugDraw; }
    void SetDebugDraw(bool on) { m_debugDraw = on; }
    bool AreEditorBarsShown() const { return m_editorBars; }
    // The particle editor shows the bars while it edits and hides them when it stops.
    void SetEditorBarsShown(bool shown) { m_editorBars = shown; }
    // True once the GL loader has started and the renderer's parts exist.
    bool IsRendererReady() const { return m_rendererReady; }
    bool IsHudShown() const { return m_hudShown; }
    void ShowHud() { m_hudShown = true; }
    void HideHud() { m_hudShown = false; }
    int GetSwapInterval() const { return m_swapInterval; }
    const std::string& GetGlslVersionLine() const { return m_glslVersion; }
    const std::string& GetGlslDefineLine() const { return m_glslDefine; }
    FrameStatistics& GetFrameStatistics() { return m_statistics; }
    u32 GetRenderedFrames() const { return m_renderedFrames; }

    // The background fade: each channel at once, or its record and its value within bounds.
    void SetFade(f32 red, f32 green, f32 blue);
    const Math::PingPongValue& GetFadeRecord(FadeChannel channel) const { return m_fade[channel]; }
    f32 GetFade(FadeChannel channel) const { return m_fade[channel].GetClampedValue(); }
    // Moves each channel from where it is to the colour within the duration (0: at once).
    void FadeTo(f32 red, f32 green, f32 blue, f32 duration);

    // Each list in joining order (the order components are stepped and texts drawn).
    const std::list<GameObjectComponent*>& GetComponents(ComponentList list) const
    {
        return m_lists[list].Items();
    }

    // Null until the renderer is ready.
    RenderQueue* GetRenderQueue() const { return m_queue.get(); }
    DeferredRenderer* GetRenderer() const { return m_renderer.get(); }
    // Null until the renderer is ready; also reached through DebugDrawQueue::Instance.
    DebugDrawQueue* GetDebugDrawQueue() const { return m_debugQueue.get(); }
    // The frame's last pass, drawn after the composition; null until the renderer is ready.
    OverlayPass* GetOverlayPass() const { return m_overlay.get(); }

    // The window's events.
    void OnWindowResize(int width, int height);
    void OnWindowClose();

private:
    void ReadSettings();
    void OpenWindow();
    void ChooseShaderHeader();
    void InstallHooks();
    void RemoveHooks();
    // The drawable components' step of an updated frame, in list order.
    void UpdateComponents(f32 seconds);
    void DrawFrame();
    // Drops the shapes queued for a frame that has been drawn or will not be.
    void ClearDebugQueue();

    std::array<Core::RegisteredList<GameObjectComponent>, ComponentListCount> m_lists;
    u32 m_currentProgram;
    ShaderProgram* m_currentProgramAsset;
    Math::Vector2 m_referenceSize;
    int m_renderWidth;
    int m_renderHeight;
    int m_swapInterval;
    int m_windowWidth;
    int m_windowHeight;
    bool m_windowOpen;
    bool m_fullScreen;
    std::array<Math::PingPongValue, FadeChannelCount> m_fade;
    bool m_noVisual;
    bool m_debugDraw;
    bool m_editorBars;
    bool m_hudShown;
    bool m_rendererReady;
    bool m_assetsCreated;
    bool m_hooksInstalled;
    Scripting::LuaComponent* m_settings;
    std::string m_glslVersion;
    std::string m_glslDefine;
    FrameStatistics m_statistics;
    u32 m_renderedFrames;
    std::unique_ptr<GlRenderSubmitter> m_submitter;
    std::unique_ptr<RenderQueue> m_queue;
    std::unique_ptr<DeferredRenderer> m_renderer;
    std::unique_ptr<GlDebugVertexSink> m_debugSink;
    std::unique_ptr<DebugDrawQueue> m_debugQueue;
    std::unique_ptr<OverlayPass> m_overlay;
    bool m_reloadGeometryScript;

    static GraphicsSystem* s_instance;
};
} // namespace System
} // namespace Graphics
