#include "Graphics/EditorBars/ImGuiBarRenderer.h"
#include "Platform/KeyCodes.h"
#include "TweakBar/BarInspector.h"
#include "TweakBar/BarRenderer.h"
#include <GLFW/glfw3.h>
#include <algorithm>
#include <backends/imgui_impl_glfw.h>
#include <backends/imgui_impl_opengl3.h>
#include <cstdio>
#include <imgui.h>
#include <map>
#include <string>
#include <vector>

namespace TweakBar
{
namespace
{
namespace Keys = Platform::Keys;

// The back end's shaders: GLSL 3.30 compiles in every 3.3-or-later context, core or not.
const char* const GlslVersion = "#version 330 core";
// DejaVu (package fonts-dejavu-core): the fixed face when a definition asks for
// "fontstyle=fixed", else the proportional one; ImGui's built-in face if neither is there.
const char* const FontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const FixedFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr float FontPixels = 14.0f;
// The longest text a string entry takes while edited.
constexpr size_t TextCapacity = 1024;
// Drag speed of numbers without a step, and the shown decimals without a precision.
constexpr double DefaultDragSpeed = 0.01;
constexpr int DefaultFloatDecimals = 3;
constexpr float ColorChannelMax = 255.0f;
// The narrowest a value field gets so that its label beside it fits in the bar.
constexpr float MinValueWidth = 40.0f;
// A frame step the clock cannot give (two frames in one clock tick) becomes this.
constexpr float FallbackFrameSeconds = 1.0f / 60.0f;

// The keys ImGui edits text with, in the engine's numbering.
struct KeyCode
{
    ImGuiKey imgui;
    int engine;
};
constexpr KeyCode KeyTable[] = {
    {ImGuiKey_Tab, Keys::Tab},
    {ImGuiKey_LeftArrow, Keys::Left},
    {ImGuiKey_RightArrow, Keys::Right},
    {ImGuiKey_UpArrow, Keys::Up},
    {ImGuiKey_DownArrow, Keys::Down},
    {ImGuiKey_PageUp, Keys::PageUp},
    {ImGuiKey_PageDown, Keys::PageDown},
    {ImGuiKey_Home, Keys::Home},
    {ImGuiKey_End, Keys::End},
    {ImGuiKey_Insert, Keys::Insert},
    {ImGuiKey_Delete, Keys::Delete},
    {ImGuiKey_Backspace, Keys::Backspace},
    {ImGuiKey_Space, Keys::Space},
    {ImGuiKey_Enter, Keys::Enter},
    {ImGuiKey_Escape, Keys::Escape},
    {ImGuiKey_KeyPadEnter, Keys::KeypadEnter},
    {ImGuiKey_A, 'A'},
    {ImGuiKey_C, 'C'},
    {ImGuiKey_V, 'V'},
    {ImGuiKey_X, 'X'},
    {ImGuiKey_Y, 'Y'},
    {ImGuiKey_Z, 'Z'},
};
constexpr int ShiftKeys[] = {Keys::LeftShift, Keys::RightShift};
constexpr int ControlKeys[] = {Keys::LeftControl, Keys::RightControl};
constexpr int AltKeys[] = {Keys::LeftAlt, Keys::RightAlt};

struct RendererState
{
    bool started = false;
    bool glfwBackEnd = false;
    bool openGlBackEnd = false;
    bool fixedFont = false;
    bool mouseHeld[ImGuiMouseButton_COUNT] = {};
    // The placement count of each bar when the renderer last placed it.
    std::map<std::string, unsigned int> placed;
    std::vector<ScreenArea> areas;
    // The "valueswidth" of the bar being drawn.
    float valuesWidth = 0.0f;
};
RendererState g_renderer;
// Set while suspended from a running state.
bool g_suspended = false;

bool FileExists(const char* path)
{
    if (FILE* file = std::fopen(path, "rb"))
    {
        std::fclose(file);
        return true;
    }
    return false;
}

void LoadFont(bool fixed)
{
    ImGuiIO& io = ImGui::GetIO();
    io.Fonts->Clear();
    const char* path = fixed ? FixedFontPath : FontPath;
    // ImGui stops the program on a font file it cannot open: it is looked for first.
    if (FileExists(path) && io.Fonts->AddFontFromFileTTF(path, FontPixels) != nullptr)
        return;
    ReportRendererError(std::string("font ") + path + " not found; ImGui's own face is used");
    io.Fonts->AddFontDefault();
}

// The OpenGL state that the back ends touch but do not put back.
struct PixelStoreState
{
    GLint unpackRowLength = 0;
    GLint unpackAlignment = 0;
    GLint texture2D = 0;

    void Save()
    {
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &unpackRowLength);
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture2D);
    }
    void Restore() const
    {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, unpackRowLength);
        glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture2D));
    }
};

bool Start()
{
    GLFWwindow* window = glfwGetCurrentContext();
    if (window == nullptr)
    {
        ReportRendererError("no current OpenGL context to draw the bars in");
        return false;
    }
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is written next to the game, and the pointer's shape stays the engine's.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    ImGui::StyleColorsDark();
    g_renderer = RendererState();
    g_renderer.glfwBackEnd = ImGui_ImplGlfw_InitForOpenGL(window, false);
    PixelStoreState pixels;
    pixels.Save();
    g_renderer.openGlBackEnd = g_renderer.glfwBackEnd && ImGui_ImplOpenGL3_Init(GlslVersion);
    pixels.Restore();
    if (!g_renderer.openGlBackEnd)
    {
        ReportRendererError("ImGui's GLFW or OpenGL3 back end did not start");
        if (g_renderer.glfwBackEnd)
            ImGui_ImplGlfw_Shutdown();
        ImGui::DestroyContext();
        g_renderer = RendererState();
        return false;
    }
    // Our key numbering, not GLFW's: the event calls fill KeysDown with engine codes.
    for (const KeyCode& key : KeyTable)
        io.KeyMap[key.imgui] = key.engine;
    LoadFont(false);
    g_renderer.started = true;
    return true;
}

void Stop()
{
    if (!g_renderer.started)
        return;
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplGlfw_Shutdown();
    ImGui::DestroyContext();
    g_renderer = RendererState();
}

bool AnyHeld(const ImGuiIO& io, const int* keys, size_t count)
{
    return std::any_of(keys, keys + count, [&io](int key) { return io.KeysDown[key]; });
}

// Hands ImGui this frame's input, after the GLFW back end polled its own.
void FeedInput()
{
    ImGuiIO& io = ImGui::GetIO();
    const LayerState& layer = GetLayerState();
    if (layer.windowWidth > 0 && layer.windowHeight > 0)
        io.DisplaySize =
            ImVec2(static_cast<float>(layer.windowWidth), static_cast<float>(layer.windowHeight));
    if (io.DeltaTime <= 0.0f)
        io.DeltaTime = FallbackFrameSeconds;
    PendingInput input = TakeInput();
    io.MousePos = ImVec2(static_cast<float>(input.mouseX), static_cast<float>(input.mouseY));
    if (input.hasButtonTransition && input.buttonTransition.code >= 0 &&
        input.buttonTransition.code < ImGuiMouseButton_COUNT)
        g_renderer.mouseHeld[input.buttonTransition.code] = input.buttonTransition.down;
    for (int button = 0; button < ImGuiMouseButton_COUNT; ++button)
        io.MouseDown[button] = g_renderer.mouseHeld[button];
    io.MouseWheel = static_cast<float>(input.wheelSteps);
    const int keyCount = static_cast<int>(IM_ARRAYSIZE(io.KeysDown));
    if (input.hasKeyTransition && input.keyTransition.code >= 0 &&
        input.keyTransition.code < keyCount)
        io.KeysDown[input.keyTransition.code] = input.keyTransition.down;
    io.KeyShift = AnyHeld(io, ShiftKeys, IM_ARRAYSIZE(ShiftKeys));
    io.KeyCtrl = AnyHeld(io, ControlKeys, IM_ARRAYSIZE(ControlKeys));
    io.KeyAlt = AnyHeld(io, AltKeys, IM_ARRAYSIZE(AltKeys));
    for (unsigned int character : input.characters)
        io.AddInputCharacter(character);
}

void ShowHelp(const EntryView& entry)
{
    if (!entry.help.empty() && ImGui::IsItemHovered())
        ImGui::SetTooltip("%s", entry.help.c_str());
}

std::string NumberFormat(const EntryView& entry)
{
    const bool integral = entry.type != TW_TYPE_FLOAT && entry.type != TW_TYPE_DOUBLE;
    const int decimals =
        integral ? 0 : (entry.precision >= 0 ? entry.precision : DefaultFloatDecimals);
    return "%." + std::to_string(decimals) + "f";
}

void DrawEntry(const std::string& bar, const EntryView& entry);

// ImGui puts a variable's label right of its value: the value field takes the bar's
// "valueswidth" where the label still fits beside it, and gives way to the label where not.
void SetValueWidth(const char* label)
{
    const float labelWidth = ImGui::CalcTextSize(label, nullptr, true).x;
    const float room =
        ImGui::GetContentRegionAvail().x - labelWidth - ImGui::GetStyle().ItemInnerSpacing.x;
    ImGui::SetNextItemWidth(std::max(MinValueWidth, std::min(g_renderer.valuesWidth, room)));
}

void DrawVariable(const std::string& bar, const EntryView& entry)
{
    const char* label = entry.label.c_str();
    TypeView type;
    DescribeType(entry.type, type);
    if (type.kind != TypeKind::Struct)
        SetValueWidth(label);
    if (type.kind == TypeKind::Struct)
    {
        if (ImGui::TreeNode(label))
        {
            for (const EntryView& member : entry.children)
                DrawEntry(bar, member);
            ImGui::TreePop();
        }
        return;
    }
    if (entry.readOnly)
        ImGui::BeginDisabled();
    if (entry.type == TW_TYPE_BOOLCPP || entry.type == TW_TYPE_BOOL8)
    {
        double number = 0.0;
        bool flag = ReadNumber(bar, entry.name, number) && number != 0.0;
        if (ImGui::Checkbox(label, &flag))
            SetNumber(bar, entry.name, flag ? 1.0 : 0.0);
    }
    else if (type.kind == TypeKind::Enumeration)
    {
        double number = 0.0;
        std::string current;
        ReadNumber(bar, entry.name, number);
        ReadText(bar, entry.name, current);
        if (ImGui::BeginCombo(label, current.c_str()))
        {
            for (const TwEnumVal& value : type.values)
            {
                if (ImGui::Selectable(value.Label, value.Value == static_cast<int>(number)))
                    SetNumber(bar, entry.name, value.Value);
            }
            ImGui::EndCombo();
        }
    }
    else if (entry.type == TW_TYPE_COLOR4F)
    {
        float color[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        ReadFloats(bar, entry.name, color, 4);
        if (ImGui::ColorEdit4(label, color))
            SetFloats(bar, entry.name, color, 4);
    }
    else if (entry.type == TW_TYPE_DIR3F)
    {
        float direction[3] = {0.0f, 0.0f, 0.0f};
        ReadFloats(bar, entry.name, direction, 3);
        if (ImGui::DragFloat3(label, direction, static_cast<float>(DefaultDragSpeed)))
            SetFloats(bar, entry.name, direction, 3);
    }
    else if (entry.type == TW_TYPE_STDSTRING)
    {
        std::string text;
        ReadText(bar, entry.name, text);
        char buffer[TextCapacity];
        const size_t length = std::min(text.size(), TextCapacity - 1);
        text.copy(buffer, length);
        buffer[length] = '\0';
        // The text is handed over when Enter ends the edit.
        if (ImGui::InputText(label, buffer, sizeof(buffer), ImGuiInputTextFlags_EnterReturnsTrue))
            SetText(bar, entry.name, buffer);
    }
    else
    {
        double number = 0.0;
        ReadNumber(bar, entry.name, number);
        const float speed = static_cast<float>(entry.step > 0.0 ? entry.step : DefaultDragSpeed);
        const std::string format = NumberFormat(entry);
        const double* low = entry.hasRange ? &entry.min : nullptr;
        const double* high = entry.hasRange ? &entry.max : nullptr;
        if (ImGui::DragScalar(label, ImGuiDataType_Double, &number, speed, low, high,
                              format.c_str(), ImGuiSliderFlags_AlwaysClamp))
            SetNumber(bar, entry.name, number);
    }
    if (entry.readOnly)
        ImGui::EndDisabled();
}

void ReportItemArea(const std::string& bar, const std::string& name)
{
    const ImVec2 low = ImGui::GetItemRectMin();
    const ImVec2 high = ImGui::GetItemRectMax();
    ReportEntryArea(bar, name,
                    ScreenArea{static_cast<int>(low.x), static_cast<int>(low.y),
                               static_cast<int>(high.x - low.x), static_cast<int>(high.y - low.y)});
}

void DrawEntry(const std::string& bar, const EntryView& entry)
{
    if (!entry.visible)
        return;
    ImGui::PushID(entry.name.c_str());
    switch (entry.kind)
    {
    case EntryKind::Group:
    {
        ImGui::SetNextItemOpen(entry.opened, ImGuiCond_Always);
        const bool opened = ImGui::TreeNode(entry.label.c_str());
        ReportItemArea(bar, entry.name);
        ShowHelp(entry);
        if (opened != entry.opened)
            SetOpened(bar, entry.name, opened);
        if (opened)
        {
            for (const EntryView& child : entry.children)
                DrawEntry(bar, child);
            ImGui::TreePop();
        }
        break;
    }
    case EntryKind::Separator:
        ImGui::Separator();
        if (!entry.label.empty())
            ImGui::TextDisabled("%s", entry.label.c_str());
        break;
    case EntryKind::Button:
        if (ImGui::Button(entry.label.c_str()))
            Click(bar, entry.name);
        ReportItemArea(bar, entry.name);
        ShowHelp(entry);
        break;
    case EntryKind::Variable:
        DrawVariable(bar, entry);
        ReportItemArea(bar, entry.name);
        ShowHelp(entry);
        break;
    }
    ImGui::PopID();
}

void DrawBar(const BarView& bar)
{
    const bool place =
        g_renderer.placed.count(bar.name) == 0 || g_renderer.placed[bar.name] != bar.placement;
    g_renderer.placed[bar.name] = bar.placement;
    const ImGuiCond when = place ? ImGuiCond_Always : ImGuiCond_Once;
    ImGui::SetNextWindowPos(ImVec2(static_cast<float>(bar.x), static_cast<float>(bar.y)), when);
    ImGui::SetNextWindowSize(ImVec2(static_cast<float>(bar.width), static_cast<float>(bar.height)),
                             when);
    if (place)
        ImGui::SetNextWindowCollapsed(bar.iconified, ImGuiCond_Always);
    ImGui::PushStyleColor(ImGuiCol_WindowBg,
                          ImVec4(bar.color[0] / ColorChannelMax, bar.color[1] / ColorChannelMax,
                                 bar.color[2] / ColorChannelMax, bar.alpha / ColorChannelMax));
    // "###" keeps the window's identity on its name while the title changes.
    const std::string title = bar.label + "###" + bar.name;
    if (ImGui::Begin(title.c_str(), nullptr, ImGuiWindowFlags_NoSavedSettings))
    {
        g_renderer.valuesWidth = static_cast<float>(bar.valuesWidth);
        ImGui::PushItemWidth(g_renderer.valuesWidth);
        for (const EntryView& entry : bar.entries)
            DrawEntry(bar.name, entry);
        ImGui::PopItemWidth();
    }
    const ImVec2 position = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    g_renderer.areas.push_back(ScreenArea{static_cast<int>(position.x),
                                          static_cast<int>(position.y), static_cast<int>(size.x),
                                          static_cast<int>(size.y)});
    ImGui::End();
    ImGui::PopStyleColor();
}

void Draw()
{
    if (!g_renderer.started)
        return;
    PixelStoreState pixels;
    pixels.Save();
    // Makes the back end's objects on the first frame, the font texture among them.
    ImGui_ImplOpenGL3_NewFrame();
    // The font follows "GLOBAL fontstyle=": the atlas and its texture are made again.
    const bool fixed = GlobalSetting("fontstyle") == "fixed";
    if (fixed != g_renderer.fixedFont)
    {
        g_renderer.fixedFont = fixed;
        LoadFont(fixed);
        ImGui_ImplOpenGL3_DestroyFontsTexture();
        ImGui_ImplOpenGL3_CreateFontsTexture();
    }
    ImGui_ImplGlfw_NewFrame();
    FeedInput();
    ImGui::NewFrame();
    g_renderer.areas.clear();
    for (const std::string& name : BarNames())
    {
        BarView bar;
        if (InspectBar(name, bar) && bar.visible)
            DrawBar(bar);
    }
    ImGui::Render();
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    pixels.Restore();
    ReportDrawnFrame(g_renderer.areas, ImGui::GetIO().WantTextInput);
}
} // namespace

void ImGuiBarRenderer::Install()
{
    RendererTable table;
    table.start = &Start;
    table.stop = &Stop;
    table.draw = &Draw;
    InstallRenderer(table);
}

void ImGuiBarRenderer::Remove()
{
    RemoveRenderer();
}

void ImGuiBarRenderer::Suspend()
{
    g_suspended = g_renderer.started;
    Stop();
}

void ImGuiBarRenderer::Resume()
{
    if (g_suspended)
        Start();
    g_suspended = false;
}
} // namespace TweakBar
