// The bars drawn by ImGui in a real window: found on screen, clicked through the event calls,
// and the OpenGL state as it was. The frame is kept as "bars.png" beside the test binary.
#include "Graphics/EditorBars/ImGuiBarRenderer.h"
#include "Platform/Window.h"
#include "Platform/WindowLayer.h"
#include "TweakBar/BarInspector.h"
#include "TweakBar/TweakBar.h"
#include "tests/Platform/Support/Display.h"
#include <GL/glew.h>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace
{
// The GL driver keeps two small blocks from a process's first real draw until the process ends;
// the leak checker of sanitizer builds is told not to count what is allocated while this lives.
class DriverAllocations
{
public:
#if defined(__SANITIZE_ADDRESS__)
    DriverAllocations()
    {
        __lsan_disable();
    }
    ~DriverAllocations()
    {
        __lsan_enable();
    }
#endif
};

constexpr int Width = 640;
constexpr int Height = 480;
// The bar's place and a background colour nothing else in the frame has.
constexpr int BarX = 20;
constexpr int BarY = 20;
constexpr int BarWidth = 380;
constexpr int BarHeight = 440;
constexpr unsigned char BarColor[3] = {200, 40, 40};
// Frames a click takes: the press is fed in one, the release in the next, the callback runs
// after that one; one more shows nothing is left over.
constexpr int ClickFrames = 3;

// Values behind the bar's entries.
struct Values
{
    bool flag = false;
    int count = 3;
    float speed = 0.5f;
    double ratio = 0.25;
    float color[4] = {0.2f, 0.6f, 0.9f, 1.0f};
    float direction[3] = {0.0f, 1.0f, 0.0f};
    std::string name = "Lantern";
    int mode = 1;
    float pair[2] = {1.0f, 2.0f};
    int clicks = 0;
};
Values g_values;

template <typename T> void Get(void* value, void* client)
{
    *static_cast<T*>(value) = *static_cast<T*>(client);
}
template <typename T> void Set(const void* value, void* client)
{
    *static_cast<T*>(client) = *static_cast<const T*>(value);
}
void GetBytes16(void* value, void* client)
{
    std::copy_n(static_cast<const char*>(client), 4 * sizeof(float), static_cast<char*>(value));
}
void SetBytes16(const void* value, void* client)
{
    std::copy_n(static_cast<const char*>(value), 4 * sizeof(float), static_cast<char*>(client));
}
void GetBytes12(void* value, void* client)
{
    std::copy_n(static_cast<const char*>(client), 3 * sizeof(float), static_cast<char*>(value));
}
void SetBytes12(const void* value, void* client)
{
    std::copy_n(static_cast<const char*>(value), 3 * sizeof(float), static_cast<char*>(client));
}
void GetBytes8(void* value, void* client)
{
    std::copy_n(static_cast<const char*>(client), 2 * sizeof(float), static_cast<char*>(value));
}
void SetBytes8(const void* value, void* client)
{
    std::copy_n(static_cast<const char*>(value), 2 * sizeof(float), static_cast<char*>(client));
}
void GetString(void* value, void* client)
{
    TwCopyStdStringToLibrary(*static_cast<std::string*>(value),
                             *static_cast<const std::string*>(client));
}
void SetString(const void* value, void* client)
{
    *static_cast<std::string*>(client) = *static_cast<const std::string*>(value);
}
void CountClick(void* client)
{
    ++*static_cast<int*>(client);
}

// The OpenGL state a drawing pass could leave changed.
std::vector<GLint> ReadState()
{
    const GLenum values[] = {GL_CURRENT_PROGRAM,      GL_ACTIVE_TEXTURE,
                             GL_TEXTURE_BINDING_2D,   GL_ARRAY_BUFFER_BINDING,
                             GL_VERTEX_ARRAY_BINDING, GL_BLEND_SRC_RGB,
                             GL_BLEND_DST_RGB,        GL_BLEND_EQUATION_RGB,
                             GL_UNPACK_ALIGNMENT,     GL_UNPACK_ROW_LENGTH};
    const GLenum flags[] = {GL_BLEND, GL_CULL_FACE, GL_DEPTH_TEST, GL_SCISSOR_TEST,
                            GL_STENCIL_TEST};
    std::vector<GLint> state;
    for (GLenum value : values)
    {
        GLint read = 0;
        glGetIntegerv(value, &read);
        state.push_back(read);
    }
    for (GLenum flag : flags)
        state.push_back(glIsEnabled(flag));
    GLint boxes[8] = {};
    glGetIntegerv(GL_VIEWPORT, boxes);
    glGetIntegerv(GL_SCISSOR_BOX, boxes + 4);
    state.insert(state.end(), boxes, boxes + 8);
    return state;
}

bool WritePng(const std::string& path, const std::vector<unsigned char>& rgba)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, Width, Height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // OpenGL's rows run bottom up.
    for (int row = Height - 1; row >= 0; --row)
        png_write_row(png, rgba.data() + static_cast<size_t>(row) * Width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

class ImGuiBarRendererTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!HasDisplay())
            GTEST_SKIP() << NoDisplayReason;
        ASSERT_TRUE(Platform::InitializeWindowing());
        m_started = true;
        ASSERT_TRUE(Platform::GetWindowLayer().Open(Width, Height, false));
        glewExperimental = GL_TRUE;
        ASSERT_EQ(glewInit(), static_cast<GLenum>(GLEW_OK));
        TweakBar::ImGuiBarRenderer::Install();
        ASSERT_EQ(TwInit(TW_OPENGL, nullptr), 1) << TwGetLastError();
        ASSERT_EQ(TwWindowSize(Width, Height), 1);
    }
    void TearDown() override
    {
        if (!m_started)
            return;
        TwTerminate();
        TweakBar::ImGuiBarRenderer::Remove();
        Platform::GetWindowLayer().Close();
        Platform::TerminateWindowing();
    }

    // Presses and releases the left button on an entry, then draws until the callback ran.
    void ClickOn(const char* entry)
    {
        TweakBar::ScreenArea area;
        ASSERT_TRUE(TweakBar::DrawnArea("Review", entry, area)) << entry << " was not drawn";
        // The left end: a checkbox's box, a button's face.
        const int x = area.x + area.height / 2;
        const int y = area.y + area.height / 2;
        EXPECT_EQ(TwMouseMotion(x, y), 1) << "the pointer over a bar is the bar's";
        EXPECT_EQ(TwEventMouseButtonGLFW(0, 1), 1);
        EXPECT_EQ(TwEventMouseButtonGLFW(0, 0), 1);
        for (int frame = 0; frame < ClickFrames; ++frame)
            ASSERT_EQ(TwDraw(), 1);
    }

private:
    bool m_started = false;
};
} // namespace

TEST_F(ImGuiBarRendererTest, DrawsEveryEntryKindTakesClicksAndLeavesTheStateAsFound)
{
    g_values = Values();
    TwBar* bar = TwNewBar("Review");
    ASSERT_NE(bar, nullptr);
    const std::string placement = " Review label='Every entry' position='" + std::to_string(BarX) +
                                  " " + std::to_string(BarY) + "' size='" +
                                  std::to_string(BarWidth) + " " + std::to_string(BarHeight) +
                                  "' color='200 40 40' alpha=255 " + "valueswidth=160 ";
    ASSERT_EQ(TwDefine(placement.c_str()), 1);
    // The editor asks for the fixed face, which the renderer loads before its first frame.
    ASSERT_EQ(TwDefine(" GLOBAL fontstyle=fixed fontsize=1 "), 1);
    TwEnumVal modes[] = {{0, "Off"}, {1, "Slow"}, {2, "Fast"}};
    const TwType modeType = TwDefineEnum("ReviewMode", modes, 3);
    TwStructMember members[] = {{"first", TW_TYPE_FLOAT, 0, " label='First' step=0.5 "},
                                {"second", TW_TYPE_FLOAT, sizeof(float), " label='Second' "}};
    const TwType pairType =
        TwDefineStruct("ReviewPair", members, 2, 2 * sizeof(float), nullptr, nullptr);
    ASSERT_NE(pairType, TW_TYPE_UNDEF) << TwGetLastError();
    ASSERT_EQ(TwAddButton(bar, "button", &CountClick, &g_values.clicks, " label='Press' "), 1);
    ASSERT_EQ(TwAddVarCB(bar, "flag", TW_TYPE_BOOLCPP, &Set<bool>, &Get<bool>, &g_values.flag,
                         " label='Flag' "),
              1);
    ASSERT_EQ(TwAddVarCB(bar, "count", TW_TYPE_INT32, &Set<int>, &Get<int>, &g_values.count,
                         " min=0 max=10 group='Numbers' "),
              1);
    ASSERT_EQ(TwAddVarCB(bar, "speed", TW_TYPE_FLOAT, &Set<float>, &Get<float>, &g_values.speed,
                         " step=0.01 precision=2 group='Numbers' "),
              1);
    ASSERT_EQ(TwAddVarCB(bar, "ratio", TW_TYPE_DOUBLE, nullptr, &Get<double>, &g_values.ratio,
                         " label='Ratio (read-only)' group='Numbers' "),
              1);
    ASSERT_EQ(TwDefine(" Review/Numbers opened=true "), 1);
    ASSERT_EQ(TwAddSeparator(bar, "line", ""), 1);
    ASSERT_EQ(
        TwAddVarCB(bar, "color", TW_TYPE_COLOR4F, &SetBytes16, &GetBytes16, g_values.color, ""), 1);
    ASSERT_EQ(TwAddVarCB(bar, "direction", TW_TYPE_DIR3F, &SetBytes12, &GetBytes12,
                         g_values.direction, ""),
              1);
    ASSERT_EQ(
        TwAddVarCB(bar, "name", TW_TYPE_STDSTRING, &SetString, &GetString, &g_values.name, ""), 1);
    ASSERT_EQ(TwAddVarCB(bar, "mode", modeType, &Set<int>, &Get<int>, &g_values.mode, ""), 1);
    ASSERT_EQ(TwAddVarCB(bar, "pair", pairType, &SetBytes8, &GetBytes8, g_values.pair, ""), 1);

    // A state unlike the one ImGui draws with.
    GLuint objects[3] = {};
    glGenVertexArrays(1, &objects[0]);
    glBindVertexArray(objects[0]);
    glGenBuffers(1, &objects[1]);
    glBindBuffer(GL_ARRAY_BUFFER, objects[1]);
    glActiveTexture(GL_TEXTURE1);
    glGenTextures(1, &objects[2]);
    glBindTexture(GL_TEXTURE_2D, objects[2]);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glViewport(0, 0, Width, Height);
    glScissor(0, 0, Width, Height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const std::vector<GLint> before = ReadState();

    {
        [[maybe_unused]] DriverAllocations driver;
        ASSERT_EQ(TwDraw(), 1);
    }
    EXPECT_EQ(ReadState(), before) << "the drawing pass changed the OpenGL state";
    std::vector<unsigned char> frame(static_cast<size_t>(Width) * Height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    const std::string path = std::string(QUILL_TEST_OUTPUT_DIR) + "/bars.png";
    EXPECT_TRUE(WritePng(path, frame)) << path;

    // The bar's colour fills much of its rectangle and appears nowhere else.
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < Height; ++y)
    {
        for (int x = 0; x < Width; ++x)
        {
            const unsigned char* pixel =
                &frame[(static_cast<size_t>(Height - 1 - y) * Width + x) * 4];
            if (pixel[0] != BarColor[0] || pixel[1] != BarColor[1] || pixel[2] != BarColor[2])
                continue;
            const bool inBar =
                x >= BarX && x < BarX + BarWidth && y >= BarY && y < BarY + BarHeight;
            ++(inBar ? inside : outside);
        }
    }
    EXPECT_GT(inside, BarWidth * BarHeight / 4) << "the bar is not on screen (" << path << ")";
    EXPECT_EQ(outside, 0);
    for (const char* entry : {"button", "flag", "Numbers", "count", "speed", "ratio", "color",
                              "direction", "name", "mode", "pair"})
    {
        TweakBar::ScreenArea area;
        EXPECT_TRUE(TweakBar::DrawnArea("Review", entry, area)) << entry;
    }

    ClickOn("button");
    EXPECT_EQ(g_values.clicks, 1);
    ClickOn("flag");
    EXPECT_TRUE(g_values.flag);
    ClickOn("flag");
    EXPECT_FALSE(g_values.flag);
    EXPECT_EQ(g_values.clicks, 1);
    EXPECT_EQ(ReadState(), before);
    glDeleteTextures(1, &objects[2]);
    glDeleteBuffers(1, &objects[1]);
    glDeleteVertexArrays(1, &objects[0]);
}

// ImGui puts each label right of its value field: in a narrow bar the fields give way, so that
// every label ends inside the bar (the editor's bars are a few hundred pixels wide and their
// labels run to "Premade Emitters").
TEST_F(ImGuiBarRendererTest, KeepsEveryLabelInsideANarrowBar)
{
    g_values = Values();
    constexpr int NarrowWidth = 200;
    constexpr int Padding = 8; // ImGui's window padding
    TwBar* bar = TwNewBar("Narrow");
    ASSERT_NE(bar, nullptr);
    const std::string placement = " Narrow position='" + std::to_string(BarX) + " " +
                                  std::to_string(BarY) + "' size='" + std::to_string(NarrowWidth) +
                                  " 300' valueswidth=100 ";
    ASSERT_EQ(TwDefine(placement.c_str()), 1);
    ASSERT_EQ(TwDefine(" GLOBAL fontstyle=fixed fontsize=1 "), 1);
    TwEnumVal modes[] = {{0, "Off"}, {1, "Slow"}};
    const TwType modeType = TwDefineEnum("NarrowMode", modes, 2);
    ASSERT_EQ(TwAddVarCB(bar, "count", TW_TYPE_INT32, nullptr, &Get<int>, &g_values.count,
                         " label='Animations' "),
              1);
    ASSERT_EQ(TwAddVarCB(bar, "name", TW_TYPE_STDSTRING, &SetString, &GetString, &g_values.name,
                         " label='Filename' group='Load' "),
              1);
    ASSERT_EQ(TwAddVarCB(bar, "mode", modeType, &Set<int>, &Get<int>, &g_values.mode,
                         " label='Premade Emitters' group='Load' "),
              1);
    ASSERT_EQ(TwDefine(" Narrow/Load opened=true "), 1);
    {
        [[maybe_unused]] DriverAllocations driver;
        ASSERT_EQ(TwDraw(), 1);
    }
    for (const char* entry : {"count", "name", "mode"})
    {
        TweakBar::ScreenArea area;
        ASSERT_TRUE(TweakBar::DrawnArea("Narrow", entry, area)) << entry;
        EXPECT_LE(area.x + area.width, BarX + NarrowWidth - Padding) << entry;
    }
}
