#pragma once
// Turns what the window layer reports about the keyboard, the mouse and controllers into raw
// input messages and posts them through the engine; the message system translates them into the
// abstract input that game code reads. It also re-posts held keys and buttons once per update,
// polls the controllers and notices them coming and going, moves the software cursor, counts
// the active players, offers keyboard and mouse events to the editor bars first and hands typed
// text to the components registered with it (natural typing).
//
// The window size, the editor-bars flag, the system cursor, the cursor object and the settings
// script come through Core/CoreServices.h. Main thread only.
#include "Core/SystemComponent.h"
#include "Math/Vector2.h"
#include <map>
#include <vector>

namespace Core
{
namespace System
{
class InputSystem : public SystemComponent
{
public:
    // Joystick ids looked at: 0 to this one.
    static constexpr u32 LastJoystickId = 14;
    // Controllers that vanished are removed by a check this often (seconds).
    static constexpr f32 ControllerCheckInterval = 3.0f;
    // Stick values within this distance of 0 count as 0.
    static constexpr f32 DeadZone = 0.55f;
    static constexpr const char* SettingsScript = "System/InputSystemScript.lua";
    static constexpr const char* SettingsScriptName = "inputStateScript";

    // One connected controller: its last read values and those last reported.
    struct ControllerState
    {
        std::vector<f32> axes;
        std::vector<f32> previousAxes;
        std::vector<u08> buttons;
        std::vector<u08> previousButtons;
        u32 joystickId = 0;
    };

    InputSystem();
    ~InputSystem() override;
    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;

    static InputSystem* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    void Update(f32 seconds) override;
    void IdleUpdate(f32) override {}
    // Finds the controllers present and runs the settings script.
    void Initialize(u32 launchFlags) override;
    // Typed text to the registered components, cursor moves, and the window's announcement
    // (which installs the input handlers with the window layer).
    void HandleMessage(Message* message) override;
    void Register(GameObjectComponent* component) override;
    // Removes exactly this component (an object may carry several).
    void Unregister(GameObjectComponent* component) override;

    // Attaches the key, character, mouse-button, wheel and mouse-position handlers to the
    // window layer.
    void InstallCallbacks();

    // 0 while no controller is connected (keyboard and mouse in use), else the count set.
    u16 GetActivePlayers() const;
    void SetActivePlayers(u16 players) { m_activePlayers = players; }
    u32 GetControllerCount() const { return static_cast<u32>(m_controllers.size()); }
    const std::vector<ControllerState>& GetControllers() const { return m_controllers; }
    static const Math::Vector2& GetCursorPosition() { return s_cursorPosition; }
    static void SetCursorPosition(const Math::Vector2& position) { s_cursorPosition = position; }

    // The window layer's events (engine key codes; action 1 press, 0 release).
    void OnKey(int key, int action);
    void OnCharacter(unsigned int character, int action);
    void OnMouseButton(int button, int action);
    void OnMousePosition(int x, int y);
    void OnMouseWheel(int position);

private:
    void UpdateFocus();
    void PollController(ControllerState& controller);
    void RemoveVanishedControllers();
    void ConnectNewControllers();
    void RepostHeldInputs();
    void AddController(u32 joystickId);
    bool HasController(u32 joystickId) const;
    void MoveCursor(const Math::Vector2& movement);
    void ShowCursorObject(bool visible);

    void* m_settingsScript;
    std::vector<ControllerState> m_controllers;
    u16 m_activePlayers;
    std::map<int, int> m_heldKeys;
    std::map<int, int> m_heldMouseButtons;
    // Per joystick id, in ascending order.
    std::map<u32, std::map<int, int>> m_heldControllerButtons;
    bool m_windowWasActive;
    int m_lastWheelPosition;
    f32 m_controllerCheckTimer;
    bool m_callbacksInstalled;

    static InputSystem* s_instance;
    static Math::Vector2 s_cursorPosition;
};
} // namespace System
} // namespace Core
