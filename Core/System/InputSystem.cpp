#include "Core/System/InputSystem.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/Input/ControllerButtonMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Input/MouseMoveMessage.h"
#include "Core/Messages/Input/MouseWheelMessage.h"
#include "Core/Messages/Input/NaturalKeyboardMessage.h"
#include "Core/Messages/Object/ObjectVisibilityMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Platform/KeyCodes.h"
#include "Platform/WindowLayer.h"
#include "TweakBar/TweakBar.h"
#include <algorithm>
#include <cmath>

namespace Core
{
namespace System
{
InputSystem* InputSystem::s_instance = nullptr;
Math::Vector2 InputSystem::s_cursorPosition;

namespace
{
const char* const LogName = "InputSystem";
constexpr u32 KeyEscape = Platform::Keys::Escape;
constexpr u32 KeyEnter = Platform::Keys::Enter;
constexpr u32 KeyBackspace = Platform::Keys::Backspace;
// Report level of a controller that answers nothing.
constexpr s32 ControllerReportLevel = 0;
constexpr int Held = KS_PRESSED;
constexpr int Released = KS_RELEASE;

u32 StateOf(int action)
{
    return action == Platform::ActionPress ? KS_TRIGGER : KS_RELEASE;
}

int HeldStateOf(int action)
{
    return action == Platform::ActionPress ? Held : Released;
}
} // namespace

InputSystem::InputSystem()
    : m_settingsScript(nullptr), m_activePlayers(1), m_windowWasActive(true),
      m_lastWheelPosition(0), m_controllerCheckTimer(0.0f), m_callbacksInstalled(false)
{
    m_name = "InputSystem";
    s_instance = this;
}

InputSystem::~InputSystem()
{
    // The layer outlives this system: it must not call into it any more.
    if (m_callbacksInstalled)
        Platform::GetWindowLayer().SetInputHandlers(Platform::InputEventHandlers());
    Services().releaseSettingsScript(m_settingsScript);
    m_settingsScript = nullptr;
    if (s_instance == this)
        s_instance = nullptr;
}

void InputSystem::Initialize(u32)
{
    for (u32 id = 0; id <= LastJoystickId; ++id)
    {
        if (!Platform::GetWindowLayer().IsJoystickPresent(static_cast<int>(id)))
            continue;
        Core::Log() << "Input System Init::Controller Present!\n";
        AddController(id);
    }
    m_settingsScript = Services().loadSettingsScript(SettingsScript, SettingsScriptName);
}

void InputSystem::InstallCallbacks()
{
    Platform::InputEventHandlers handlers;
    handlers.key = [this](int key, int action) { OnKey(key, action); };
    handlers.character = [this](unsigned int character, int action)
    { OnCharacter(character, action); };
    handlers.mouseButton = [this](int button, int action) { OnMouseButton(button, action); };
    handlers.mouseWheel = [this](int position) { OnMouseWheel(position); };
    handlers.mousePosition = [this](int x, int y) { OnMousePosition(x, y); };
    Platform::GetWindowLayer().SetInputHandlers(std::move(handlers));
    m_callbacksInstalled = true;
}

void InputSystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case MT_NATURAL_KEYBOARD:
        // A component may unregister while handling: walk a copy.
        for (GameObjectComponent* component :
             std::vector<GameObjectComponent*>(m_components.begin(), m_components.end()))
            component->HandleMessage(message);
        break;
    case MT_INPUT_CURSOR:
        // The mouse's movement reaches this system alone. It moves the cursor, then hands the
        // movement on to every system, so that the player's controller faces the pointer; that
        // copy, sent by this system, comes back here too and moves nothing.
        if (auto* cursor = dynamic_cast<InputCursorMessage*>(message);
            cursor != nullptr && cursor->senderId != m_id)
        {
            MoveCursor(cursor->movement);
            Core::PostNew<InputCursorMessage>(LogName, 0.0f, m_id, cursor->player, cursor->movement,
                                              0u);
        }
        break;
    case MT_WINDOW_RESIZE:
        InstallCallbacks();
        break;
    default:
        break;
    }
}

void InputSystem::Register(GameObjectComponent* component)
{
    if (component != nullptr)
        m_components.Add(component);
}

void InputSystem::Unregister(GameObjectComponent* component)
{
    m_components.Remove(component);
}

u16 InputSystem::GetActivePlayers() const
{
    return m_controllers.empty() ? 0 : m_activePlayers;
}

void InputSystem::OnKey(int key, int action)
{
    // The bars see every key; the game gets it whatever they did with it.
    TwEventKeyGLFW(key, action);
    const u32 code = static_cast<u32>(key);
    if ((code == KeyEnter || code == KeyBackspace) && action == Platform::ActionPress)
        Core::PostNew<NaturalKeyboardMessage>(LogName, 0.0f, m_id, code, u32(KS_TRIGGER),
                                              std::string(LogName));
    Core::PostNew<KeyboardMessage>(LogName, 0.0f, m_id, code, StateOf(action), 0u);
    m_heldKeys[key] = HeldStateOf(action);
}

void InputSystem::OnCharacter(unsigned int character, int action)
{
    TwEventCharGLFW(static_cast<int>(character), action);
    Core::PostNew<NaturalKeyboardMessage>(LogName, 0.0f, m_id, character, StateOf(action),
                                          std::string(LogName));
}

void InputSystem::OnMouseButton(int button, int action)
{
    if (Services().editorBarsShown() && TwEventMouseButtonGLFW(button, action) != 0)
        return;
    Core::PostNew<MouseButtonMessage>(LogName, 0.0f, m_id, s_cursorPosition,
                                      static_cast<u32>(button), StateOf(action), 0u);
    m_heldMouseButtons[button] = HeldStateOf(action);
}

void InputSystem::OnMousePosition(int x, int y)
{
    if (Services().editorBarsShown() && TwMouseMotion(x, y) != 0)
        return;
    // The cursor itself moves when the translated cursor message comes back (MoveCursor).
    const Math::Vector2 movement(static_cast<f32>(x) - s_cursorPosition.x,
                                 static_cast<f32>(y) - s_cursorPosition.y);
    Core::PostNew<MouseMoveMessage>(LogName, 0.0f, m_id, s_cursorPosition, movement, 0u);
}

void InputSystem::OnMouseWheel(int position)
{
    if (Services().editorBarsShown() && TwMouseWheel(position) != 0)
        return;
    const int change = m_lastWheelPosition - position;
    if (change == 0)
        return;
    m_lastWheelPosition = position;
    const u08 grew = change < 0 ? 1 : 0;
    Core::PostNew<MouseWheelMessage>(LogName, 0.0f, m_id, s_cursorPosition,
                                     static_cast<u32>(std::abs(change)), grew, 0u);
}

void InputSystem::MoveCursor(const Math::Vector2& movement)
{
    const f32 width = static_cast<f32>(WindowWidth());
    const f32 height = static_cast<f32>(WindowHeight());
    // One message moves the cursor by at most half the window.
    const f32 dx = std::clamp(movement.x, -width / 2.0f, width / 2.0f);
    const f32 dy = std::clamp(movement.y, -height / 2.0f, height / 2.0f);
    Math::Vector2 position(s_cursorPosition.x + dx, s_cursorPosition.y + dy);
    position.x = position.x > width ? width : (position.x <= 0.0f ? 0.0f : position.x);
    position.y = position.y > height ? height : (position.y <= 0.0f ? 0.0f : position.y);
    s_cursorPosition = position;
    Platform::GetWindowLayer().SetCursorPosition(static_cast<int>(position.x),
                                                 static_cast<int>(position.y));
}

void InputSystem::Update(f32 seconds)
{
    UpdateFocus();
    m_controllerCheckTimer += seconds;
    for (ControllerState& controller : m_controllers)
        PollController(controller);
    if (m_controllerCheckTimer >= ControllerCheckInterval)
    {
        m_controllerCheckTimer = 0.0f;
        RemoveVanishedControllers();
    }
    ConnectNewControllers();
    RepostHeldInputs();
}

void InputSystem::UpdateFocus()
{
    Platform::WindowLayer& layer = Platform::GetWindowLayer();
    // Without a window there is no focus to lose.
    if (!layer.IsOpen())
        return;
    if (layer.IsFocused())
    {
        m_windowWasActive = true;
        return;
    }
    // Losing the focus while playing acts as Escape, which pauses the game.
    const bool paused = g_Engine != nullptr && g_Engine->IsPaused();
    if (m_windowWasActive && !paused)
        Core::PostNew<KeyboardMessage>(LogName, 0.0f, m_id, KeyEscape, u32(KS_TRIGGER), 0u);
    m_windowWasActive = false;
}

void InputSystem::PollController(ControllerState& controller)
{
    Platform::JoystickState state;
    Platform::GetWindowLayer().ReadJoystick(static_cast<int>(controller.joystickId), state);

    if (state.axes.empty())
    {
        // Gone between two checks: the last values stay until the check removes it.
        if (g_Engine != nullptr)
            g_Engine->LogError(ErrorReport("Controller Disconnected", ControllerReportLevel));
    }
    else
    {
        const std::size_t count = std::min(state.axes.size(), controller.axes.size());
        for (std::size_t i = count; i-- > 0;)
        {
            // A driver may report anything: a reading that is no number is dropped, and the
            // rest is held to the stick's travel.
            if (!std::isfinite(state.axes[i]))
                continue;
            f32 value = std::clamp(state.axes[i], -1.0f, 1.0f);
            if (value > -DeadZone && value < DeadZone)
                value = 0.0f;
            controller.axes[i] = value;
            // A stick held outside the dead zone is reported every update; a return into it
            // once, as 0.
            if (value != controller.previousAxes[i] || std::fabs(value) > DeadZone)
            {
                controller.previousAxes[i] = value;
                Core::PostNew<ControllerStickMessage>(LogName, 0.0f, m_id, controller.joystickId,
                                                      static_cast<u32>(i), value, 0u);
            }
        }
    }

    if (state.buttons.empty())
    {
        if (g_Engine != nullptr)
            g_Engine->LogError(ErrorReport("Controller Disconnected", ControllerReportLevel));
        return;
    }
    std::map<int, int>& held = m_heldControllerButtons[controller.joystickId];
    const std::size_t count = std::min(state.buttons.size(), controller.buttons.size());
    for (std::size_t i = count; i-- > 0;)
    {
        const u08 pressed = state.buttons[i] != 0 ? 1 : 0;
        controller.buttons[i] = pressed;
        if (pressed == controller.previousButtons[i])
            continue;
        controller.previousButtons[i] = pressed;
        const int action = pressed ? Platform::ActionPress : Platform::ActionRelease;
        Core::PostNew<ControllerButtonMessage>(LogName, 0.0f, m_id, controller.joystickId,
                                               static_cast<u32>(i), StateOf(action), 0u);
        held[static_cast<int>(i)] = HeldStateOf(action);
    }
}

void InputSystem::RemoveVanishedControllers()
{
    const bool hadControllers = !m_controllers.empty();
    Platform::WindowLayer& layer = Platform::GetWindowLayer();
    for (auto it = m_controllers.begin(); it != m_controllers.end();)
    {
        if (layer.IsJoystickPresent(static_cast<int>(it->joystickId)))
        {
            ++it;
            continue;
        }
        Core::Log() << "Input System Update::Controller Disconnected!\n";
        // A controller plugged in again starts with nothing held.
        m_heldControllerButtons.erase(it->joystickId);
        it = m_controllers.erase(it);
    }
    Services().setMouseCursorVisible(m_controllers.empty());
    // Back to the mouse: the cursor object shows again.
    if (hadControllers && m_controllers.empty())
        ShowCursorObject(true);
}

void InputSystem::ConnectNewControllers()
{
    Platform::WindowLayer& layer = Platform::GetWindowLayer();
    for (u32 id = 0; id <= LastJoystickId; ++id)
    {
        if (HasController(id) || !layer.IsJoystickPresent(static_cast<int>(id)))
            continue;
        Core::Log() << "Input System Update::Controller Conntected!\n";
        AddController(id);
        ShowCursorObject(false);
        Services().setMouseCursorVisible(false);
    }
}

void InputSystem::RepostHeldInputs()
{
    for (const auto& [key, state] : m_heldKeys)
    {
        if (state == Held)
            Core::PostNew<KeyboardMessage>(LogName, 0.0f, m_id, static_cast<u32>(key),
                                           u32(KS_PRESSED), 0u);
    }
    for (const auto& [button, state] : m_heldMouseButtons)
    {
        if (state == Held)
            Core::PostNew<MouseButtonMessage>(LogName, 0.0f, m_id, s_cursorPosition,
                                              static_cast<u32>(button), u32(KS_PRESSED), 0u);
    }
    for (const auto& [joystick, buttons] : m_heldControllerButtons)
    {
        for (const auto& [button, state] : buttons)
        {
            if (state == Held)
                Core::PostNew<ControllerButtonMessage>(
                    LogName, 0.0f, m_id, joystick, static_cast<u32>(button), u32(KS_PRESSED), 0u);
        }
    }
}

void InputSystem::AddController(u32 joystickId)
{
    Platform::JoystickState state;
    Platform::GetWindowLayer().ReadJoystick(static_cast<int>(joystickId), state);
    ControllerState controller;
    controller.joystickId = joystickId;
    controller.axes.assign(state.axes.size(), 0.0f);
    controller.previousAxes.assign(state.axes.size(), 0.0f);
    controller.buttons.assign(state.buttons.size(), 0);
    controller.previousButtons.assign(state.buttons.size(), 0);
    m_controllers.push_back(std::move(controller));
}

bool InputSystem::HasController(u32 joystickId) const
{
    return std::any_of(m_controllers.begin(), m_controllers.end(),
                       [joystickId](const ControllerState& controller)
                       { return controller.joystickId == joystickId; });
}

void InputSystem::ShowCursorObject(bool visible)
{
    // Before the camera system has made the cursor object there is nothing to show or hide.
    const u32 cursor = Services().cursorObjectId();
    if (cursor != 0)
        Core::PostNew<ObjectVisibilityMessage>(LogName, 0.0f, m_id, visible, cursor);
}
} // namespace System
} // namespace Core
