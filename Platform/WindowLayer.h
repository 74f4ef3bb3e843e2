#pragma once
// The window layer: one window with its OpenGL context, its input events and the controllers.
// The GLFW implementation (GlfwWindowLayer) is the only code that calls GLFW; tests install a
// fake through SetWindowLayer.
//
// Events reach the engine in the engine's numbering (Platform/KeyCodes.h): the implementation
// hands every raw GLFW event to the On* entry points of this base class, which translate key
// codes, drop key repeats and keys without a code, turn scroll offsets into a whole-step wheel
// position and mouse positions into whole pixels, and call the installed handlers. Handlers
// belong to the layer, not to a window: they are attached to every window it opens.
//
// Without a window every call does nothing and every query answers its default. Main thread
// only.
#include <functional>
#include <vector>

namespace Platform
{
// The actions that handlers receive (GLFW's repeat never reaches them).
constexpr int ActionRelease = 0;
constexpr int ActionPress = 1;

// Joystick ids that the layer can be asked about: 0 to 15.
constexpr int MaxJoysticks = 16;

// A controller's axes and buttons in the engine's controller numbering (KeyCodes.h).
struct JoystickState
{
    std::vector<float> axes;
    std::vector<unsigned char> buttons; // 1 pressed, 0 released
};

// Installed by the graphics system.
struct WindowEventHandlers
{
    std::function<void(int width, int height)> resize;
    // The user asked to close the window; the window stays open.
    std::function<void()> close;
};

// Installed by the input system. Keys are engine key codes; positions are whole pixels from the
// window's top left; the wheel position is the sum of all scroll steps so far.
struct InputEventHandlers
{
    std::function<void(int key, int action)> key;
    // Characters are always presses.
    std::function<void(unsigned int character, int action)> character;
    std::function<void(int button, int action)> mouseButton;
    std::function<void(int x, int y)> mousePosition;
    std::function<void(int position)> mouseWheel;
};

class WindowLayer
{
public:
    virtual ~WindowLayer() = default;

    // Destroys any open window and opens a new one with a new, unshared context (8-bit colour
    // and alpha, 24-bit depth), made current. Full screen uses the desktop size. False when no
    // window could be opened; there is then no window.
    virtual bool Open(int width, int height, bool fullScreen) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Swaps the buffers, then polls the window events: the only place events are delivered.
    virtual void SwapBuffers() = 0;
    virtual void SetTitle(const char* title) = 0;
    virtual void SetSwapInterval(int interval) = 0;
    // The desktop video mode; 0 x 0 when it cannot be read.
    virtual void GetDesktopSize(int& width, int& height) = 0;
    // The context's version; all 0 without a window.
    virtual void GetContextVersion(int& major, int& minor, int& revision) = 0;
    // The window has the input focus.
    virtual bool IsFocused() = 0;
    // A hidden cursor is captured by the window; the setting is kept for later windows.
    virtual void SetCursorVisible(bool visible) = 0;
    virtual void SetCursorPosition(int x, int y) = 0;
    virtual bool IsJoystickPresent(int id) = 0;
    // The controller's state; false (state emptied) when it is not present.
    virtual bool ReadJoystick(int id, JoystickState& state) = 0;

    void SetWindowHandlers(WindowEventHandlers handlers) { m_window = std::move(handlers); }
    void SetInputHandlers(InputEventHandlers handlers) { m_input = std::move(handlers); }

    // Raw events in GLFW's numbering (key codes, actions, buttons, offsets).
    void OnKey(int glfwKey, int glfwAction);
    void OnCharacter(unsigned int codepoint);
    void OnMouseButton(int button, int glfwAction);
    void OnCursorPosition(double x, double y);
    void OnScroll(double xOffset, double yOffset);
    void OnResize(int width, int height);
    void OnClose();

    int GetWheelPosition() const { return m_wheelPosition; }

private:
    WindowEventHandlers m_window;
    InputEventHandlers m_input;
    double m_scrollTotal = 0.0;
    int m_wheelPosition = 0;
};

// The layer in use: the GLFW one unless a test installed another.
WindowLayer& GetWindowLayer();
// Installs a layer (not owned); null goes back to the GLFW one.
void SetWindowLayer(WindowLayer* layer);
} // namespace Platform
