#include "Platform/GlfwWindowLayer.h"
#include "Platform/KeyCodes.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace Platform;

TEST(KeyCodes, GlfwKeysBecomeTheEngineNumbering)
{
    const std::vector<std::pair<int, int>> table = {
        {GLFW_KEY_A, 'A'},
        {GLFW_KEY_1, '1'},
        {GLFW_KEY_SPACE, 32},
        {GLFW_KEY_ESCAPE, 257},
        {GLFW_KEY_F1, 258},
        {GLFW_KEY_F10, 267},
        {GLFW_KEY_F11, 268},
        {GLFW_KEY_F25, 282},
        {GLFW_KEY_UP, 283},
        {GLFW_KEY_DOWN, 284},
        {GLFW_KEY_LEFT, 285},
        {GLFW_KEY_RIGHT, 286},
        {GLFW_KEY_LEFT_SHIFT, 287},
        {GLFW_KEY_RIGHT_SHIFT, 288},
        {GLFW_KEY_LEFT_CONTROL, 289},
        {GLFW_KEY_RIGHT_CONTROL, 290},
        {GLFW_KEY_LEFT_ALT, 291},
        {GLFW_KEY_RIGHT_ALT, 292},
        {GLFW_KEY_TAB, 293},
        {GLFW_KEY_ENTER, 294},
        {GLFW_KEY_BACKSPACE, 295},
        {GLFW_KEY_INSERT, 296},
        {GLFW_KEY_DELETE, 297},
        {GLFW_KEY_PAGE_UP, 298},
        {GLFW_KEY_PAGE_DOWN, 299},
        {GLFW_KEY_HOME, 300},
        {GLFW_KEY_END, 301},
        {GLFW_KEY_KP_0, 302},
        {GLFW_KEY_KP_9, 311},
        {GLFW_KEY_KP_DIVIDE, 312},
        {GLFW_KEY_KP_MULTIPLY, 313},
        {GLFW_KEY_KP_SUBTRACT, 314},
        {GLFW_KEY_KP_ADD, 315},
        {GLFW_KEY_KP_DECIMAL, 316},
        {GLFW_KEY_KP_EQUAL, 317},
        {GLFW_KEY_KP_ENTER, 318},
        {GLFW_KEY_NUM_LOCK, 319},
        {GLFW_KEY_CAPS_LOCK, 320},
        {GLFW_KEY_SCROLL_LOCK, 321},
        {GLFW_KEY_PAUSE, 322},
        {GLFW_KEY_LEFT_SUPER, 323},
        {GLFW_KEY_RIGHT_SUPER, 324},
        {GLFW_KEY_MENU, 325},
    };
    for (const auto& [glfw, engine] : table)
        EXPECT_EQ(TranslateKey(glfw), engine) << "GLFW key " << glfw;
    // Keys the engine does not number.
    EXPECT_EQ(TranslateKey(GLFW_KEY_UNKNOWN), NoKey);
    EXPECT_EQ(TranslateKey(GLFW_KEY_PRINT_SCREEN), NoKey);
    EXPECT_EQ(TranslateKey(GLFW_KEY_WORLD_1), NoKey);
}

class WindowLayerEvents : public testing::Test
{
protected:
    void SetUp() override
    {
        InputEventHandlers handlers;
        handlers.key = [this](int key, int action) { keys.emplace_back(key, action); };
        handlers.character = [this](unsigned int c, int action)
        { characters.emplace_back(c, action); };
        handlers.mousePosition = [this](int x, int y) { positions.emplace_back(x, y); };
        handlers.mouseWheel = [this](int position) { wheel.push_back(position); };
        layer.SetInputHandlers(std::move(handlers));
    }

    FakeWindowLayer layer;
    std::vector<std::pair<int, int>> keys;
    std::vector<std::pair<unsigned int, int>> characters;
    std::vector<std::pair<int, int>> positions;
    std::vector<int> wheel;
};

TEST_F(WindowLayerEvents, KeysAreTranslatedAndRepeatsAndUnnumberedKeysDropped)
{
    layer.OnKey(GLFW_KEY_F11, GLFW_PRESS);
    layer.OnKey(GLFW_KEY_F11, GLFW_REPEAT);
    layer.OnKey(GLFW_KEY_PRINT_SCREEN, GLFW_PRESS);
    layer.OnKey(GLFW_KEY_HOME, GLFW_PRESS);
    layer.OnKey(GLFW_KEY_F11, GLFW_RELEASE);
    const std::vector<std::pair<int, int>> expected = {
        {268, ActionPress}, {300, ActionPress}, {268, ActionRelease}};
    EXPECT_EQ(keys, expected);

    layer.OnCharacter('x');
    ASSERT_EQ(characters.size(), 1u);
    EXPECT_EQ(characters[0].second, ActionPress) << "characters are always presses";
}

TEST_F(WindowLayerEvents, ScrollAddsUpToWholeStepsAndPositionsToWholePixels)
{
    layer.OnScroll(0.0, 0.5);
    EXPECT_TRUE(wheel.empty()) << "half a step is no step yet";
    layer.OnScroll(0.0, 0.5);
    layer.OnScroll(0.0, 2.0);
    layer.OnScroll(0.0, -4.0);
    EXPECT_EQ(wheel, (std::vector<int>{1, 3, -1}));

    layer.OnCursorPosition(10.75, 3.2);
    EXPECT_EQ(positions, (std::vector<std::pair<int, int>>{{10, 3}}));
}

TEST_F(WindowLayerEvents, WindowHandlersReportResizeAndClose)
{
    int width = 0;
    int closes = 0;
    WindowEventHandlers handlers;
    handlers.resize = [&](int w, int) { width = w; };
    handlers.close = [&]() { ++closes; };
    layer.SetWindowHandlers(std::move(handlers));
    layer.OnResize(640, 480);
    layer.OnClose();
    EXPECT_EQ(width, 640);
    EXPECT_EQ(closes, 1);
}

TEST(KeyCodes, GamepadAxesAndButtonsTakeTheEngineNumbering)
{
    float axes[GamepadAxes] = {};
    unsigned char buttons[GamepadButtons] = {};
    axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.25f;
    axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.5f; // pushed up
    axes[GLFW_GAMEPAD_AXIS_RIGHT_X] = 0.75f;
    axes[GLFW_GAMEPAD_AXIS_RIGHT_Y] = 0.125f;
    axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = -1.0f; // released
    axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = 1.0f; // pulled
    buttons[GLFW_GAMEPAD_BUTTON_START] = GLFW_PRESS;
    buttons[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] = GLFW_PRESS;
    buttons[GLFW_GAMEPAD_BUTTON_GUIDE] = GLFW_PRESS;

    JoystickState state;
    TranslateGamepad(axes, buttons, state);
    ASSERT_EQ(state.axes.size(), 5u);
    EXPECT_FLOAT_EQ(state.axes[0], 0.25f);
    EXPECT_FLOAT_EQ(state.axes[1], 0.5f) << "left Y grows upwards";
    EXPECT_FLOAT_EQ(state.axes[2], -1.0f) << "the right trigger pulls the axis negative";
    EXPECT_FLOAT_EQ(state.axes[3], 0.125f);
    EXPECT_FLOAT_EQ(state.axes[4], 0.75f);
    const std::vector<unsigned char> expected = {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(state.buttons, expected) << "Start 7, pad Left 13, the guide button dropped";

    axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = 1.0f;
    axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    TranslateGamepad(axes, buttons, state);
    EXPECT_FLOAT_EQ(state.axes[2], 1.0f);
}

TEST(GlfwWindowLayer, WithoutAWindowEveryCallDoesNothing)
{
    GlfwWindowLayer layer;
    EXPECT_FALSE(layer.IsOpen());
    layer.SwapBuffers();
    layer.SetTitle("Quillmere");
    layer.SetSwapInterval(1);
    layer.SetCursorVisible(false);
    layer.SetCursorPosition(5, 5);
    layer.Close();
    int major = -1, minor = -1, revision = -1;
    layer.GetContextVersion(major, minor, revision);
    EXPECT_EQ(major, 0);
    EXPECT_FALSE(layer.IsFocused());
    EXPECT_FALSE(layer.IsJoystickPresent(0));
    JoystickState state;
    state.axes.push_back(1.0f);
    EXPECT_FALSE(layer.ReadJoystick(0, state));
    EXPECT_TRUE(state.axes.empty());
}
