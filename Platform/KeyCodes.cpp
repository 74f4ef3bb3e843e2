#include "Platform/KeyCodes.h"
#include <GLFW/glfw3.h>

namespace Platform
{
namespace
{
// The special keys whose codes do not follow from a run of GLFW's.
struct KeyPair
{
    int glfw;
    int engine;
};
constexpr KeyPair SpecialKeys[] = {
    {GLFW_KEY_ESCAPE, Keys::Escape},
    {GLFW_KEY_ENTER, Keys::Enter},
    {GLFW_KEY_TAB, Keys::Tab},
    {GLFW_KEY_BACKSPACE, Keys::Backspace},
    {GLFW_KEY_INSERT, Keys::Insert},
    {GLFW_KEY_DELETE, Keys::Delete},
    {GLFW_KEY_RIGHT, Keys::Right},
    {GLFW_KEY_LEFT, Keys::Left},
    {GLFW_KEY_DOWN, Keys::Down},
    {GLFW_KEY_UP, Keys::Up},
    {GLFW_KEY_PAGE_UP, Keys::PageUp},
    {GLFW_KEY_PAGE_DOWN, Keys::PageDown},
    {GLFW_KEY_HOME, Keys::Home},
    {GLFW_KEY_END, Keys::End},
    {GLFW_KEY_KP_DIVIDE, Keys::KeypadDivide},
    {GLFW_KEY_KP_MULTIPLY, Keys::KeypadMultiply},
    {GLFW_KEY_KP_SUBTRACT, Keys::KeypadSubtract},
    {GLFW_KEY_KP_ADD, Keys::KeypadAdd},
    {GLFW_KEY_KP_DECIMAL, Keys::KeypadDecimal},
    {GLFW_KEY_KP_EQUAL, Keys::KeypadEqual},
    {GLFW_KEY_KP_ENTER, Keys::KeypadEnter},
    {GLFW_KEY_NUM_LOCK, Keys::NumLock},
    {GLFW_KEY_CAPS_LOCK, Keys::CapsLock},
    {GLFW_KEY_SCROLL_LOCK, Keys::ScrollLock},
    {GLFW_KEY_PAUSE, Keys::Pause},
    {GLFW_KEY_LEFT_SHIFT, Keys::LeftShift},
    {GLFW_KEY_RIGHT_SHIFT, Keys::RightShift},
    {GLFW_KEY_LEFT_CONTROL, Keys::LeftControl},
    {GLFW_KEY_RIGHT_CONTROL, Keys::RightControl},
    {GLFW_KEY_LEFT_ALT, Keys::LeftAlt},
    {GLFW_KEY_RIGHT_ALT, Keys::RightAlt},
    {GLFW_KEY_LEFT_SUPER, Keys::LeftSuper},
    {GLFW_KEY_RIGHT_SUPER, Keys::RightSuper},
    {GLFW_KEY_MENU, Keys::Menu},
};

// GLFW's gamepad buttons in the engine's order; the guide button has no engine number.
constexpr int GamepadButtonOrder[EngineControllerButtons] = {
    GLFW_GAMEPAD_BUTTON_A,           GLFW_GAMEPAD_BUTTON_B,
    GLFW_GAMEPAD_BUTTON_X,           GLFW_GAMEPAD_BUTTON_Y,
    GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
    GLFW_GAMEPAD_BUTTON_BACK,        GLFW_GAMEPAD_BUTTON_START,
    GLFW_GAMEPAD_BUTTON_LEFT_THUMB,  GLFW_GAMEPAD_BUTTON_RIGHT_THUMB,
    GLFW_GAMEPAD_BUTTON_DPAD_UP,     GLFW_GAMEPAD_BUTTON_DPAD_RIGHT,
    GLFW_GAMEPAD_BUTTON_DPAD_DOWN,   GLFW_GAMEPAD_BUTTON_DPAD_LEFT,
};

// GLFW reports a trigger from -1 (released) to 1 (pulled); the engine counts 0 to 1.
float TriggerPull(float glfwValue)
{
    return (glfwValue + 1.0f) * 0.5f;
}
} // namespace

int TranslateKey(int glfwKey)
{
    // Printable keys are their character codes in both numberings (letters upper case).
    if (glfwKey >= GLFW_KEY_SPACE && glfwKey <= GLFW_KEY_GRAVE_ACCENT)
        return glfwKey;
    if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F25)
        return Keys::F1 + (glfwKey - GLFW_KEY_F1);
    if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9)
        return Keys::Keypad0 + (glfwKey - GLFW_KEY_KP_0);
    for (const KeyPair& pair : SpecialKeys)
    {
        if (pair.glfw == glfwKey)
            return pair.engine;
    }
    return NoKey;
}

void TranslateGamepad(const float (&axes)[GamepadAxes],
                      const unsigned char (&buttons)[GamepadButtons], JoystickState& state)
{
    state.axes.assign(EngineControllerAxes, 0.0f);
    state.axes[0] = axes[GLFW_GAMEPAD_AXIS_LEFT_X];
    state.axes[1] = -axes[GLFW_GAMEPAD_AXIS_LEFT_Y]; // GLFW's Y grows downwards
    state.axes[2] = TriggerPull(axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER]) -
                    TriggerPull(axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER]);
    state.axes[3] = axes[GLFW_GAMEPAD_AXIS_RIGHT_Y];
    state.axes[4] = axes[GLFW_GAMEPAD_AXIS_RIGHT_X];

    state.buttons.assign(EngineControllerButtons, 0);
    for (int i = 0; i < EngineControllerButtons; ++i)
        state.buttons[i] = buttons[GamepadButtonOrder[i]] == GLFW_PRESS ? 1 : 0;
}
} // namespace Platform
