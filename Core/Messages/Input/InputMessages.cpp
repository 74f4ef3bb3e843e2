// The input family: raw keyboard, mouse and controller input and the abstract input that
// game code reads, with the name tables their texts print.
#include "Core/Messages/Input/ControllerButtonMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Input/MouseMoveMessage.h"
#include "Core/Messages/Input/MouseWheelMessage.h"
#include "Core/Messages/Input/NaturalKeyboardMessage.h"
#include "Core/Messages/MessageText.h"
#include <cstddef>

namespace
{
const char* const KeyStateNames[] = {"KS_NONE", "KS_TRIGGER", "KS_PRESSED", "KS_RELEASE"};
const char* const InputActionNames[] = {"ACTION_1", "ACTION_2",  "ACTION_3",    "ACTION_4",
                                        "ACTION_5", "ACTION_6",  "ACTION_7",    "ACTION_8",
                                        "ACTION_9", "ACTION_10", "ACTION_PAUSE"};
const char* const ControllerButtonNames[] = {
    "A Button",     "B Button",      "X Button",     "Y Button",          "Left Bumper",
    "Right Bumper", "Select Button", "Start Button", "Left Stick Button", "Right Stick Button",
    "DPad Up",      "DPad Right",    "DPad Down",    "DPad Left"};
const char* const ControllerAxisNames[] = {"Left Stick X", "Left Stick Y", "Trigger",
                                           "Right Stick Y", "Right Stick X"};
const char* const MouseButtonNames[] = {"Left Button", "Right Button", "Middle Button"};

template <std::size_t N>
const char* NameAt(const char* const (&names)[N], u32 code, const char* unknown)
{
    return code < N ? names[code] : unknown;
}
} // namespace

const char* GetKeyStateName(u32 state)
{
    return NameAt(KeyStateNames, state, "KS_UNKNOWN");
}

const char* GetInputActionName(u32 action)
{
    return NameAt(InputActionNames, action, "ACTION_UNKNOWN");
}

const char* GetControllerButtonName(u32 button)
{
    return NameAt(ControllerButtonNames, button, "Unknown Button");
}

const char* GetControllerAxisName(u32 axis)
{
    return NameAt(ControllerAxisNames, axis, "Unknown Axis");
}

const char* GetMouseButtonName(u32 button)
{
    return NameAt(MouseButtonNames, button, "Unknown Button");
}

KeyboardMessage::KeyboardMessage(u32 senderId, u32 keyCode, u32 state, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(KeyboardMessage)), keyCode(keyCode),
      state(state)
{
}

std::string KeyboardMessage::ToString() const
{
    return std::string("Key ") + GetKeyStateName(state);
}

NaturalKeyboardMessage::NaturalKeyboardMessage(u32 senderId, u32 character, u32 state,
                                               const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(NaturalKeyboardMessage)), character(character),
      state(state)
{
}

std::string NaturalKeyboardMessage::ToString() const
{
    return std::string("Natural Key ") + GetKeyStateName(state);
}

MouseButtonMessage::MouseButtonMessage(u32 senderId, const Math::Vector2& position, u32 button,
                                       u32 state, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(MouseButtonMessage)), position(position),
      button(button), state(state)
{
}

std::string MouseButtonMessage::ToString() const
{
    return std::string("Mouse ") + GetMouseButtonName(button) + " " + GetKeyStateName(state);
}

MouseMoveMessage::MouseMoveMessage(u32 senderId, const Math::Vector2& position,
                                   const Math::Vector2& movement, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(MouseMoveMessage)), position(position),
      movement(movement)
{
}

std::string MouseMoveMessage::ToString() const
{
    return MessageText::Compose("Mouse Move Delta: ", movement);
}

MouseWheelMessage::MouseWheelMessage(u32 senderId, const Math::Vector2& position, u32 steps,
                                     u08 direction, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(MouseWheelMessage)), position(position),
      steps(steps), direction(direction)
{
}

std::string MouseWheelMessage::ToString() const
{
    return "Mouse Wheel Delta: " + std::to_string(steps);
}

ControllerButtonMessage::ControllerButtonMessage(u32 senderId, u32 controller, u32 button,
                                                 u32 state, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(ControllerButtonMessage)),
      controller(controller), button(button), state(state)
{
}

std::string ControllerButtonMessage::ToString() const
{
    return std::string("Controller: ") + GetControllerButtonName(button) + GetKeyStateName(state);
}

ControllerStickMessage::ControllerStickMessage(u32 senderId, u32 controller, u32 axis, f32 value,
                                               u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(ControllerStickMessage)),
      controller(controller), axis(axis), value(value)
{
}

std::string ControllerStickMessage::ToString() const
{
    return MessageText::Compose("Controller: ", GetControllerAxisName(axis), " ", value);
}

InputMoveMessage::InputMoveMessage(u32 senderId, u32 player, const Math::Vector2& direction,
                                   u32 state, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(InputMoveMessage)), player(player),
      direction(direction), state(state)
{
}

std::string InputMoveMessage::ToString() const
{
    return MessageText::Compose(player, ":Normalized Input Move: ", direction, " ",
                                GetKeyStateName(state));
}

InputCursorMessage::InputCursorMessage(u32 senderId, u32 player, const Math::Vector2& movement,
                                       u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(InputCursorMessage)), player(player),
      movement(movement)
{
}

std::string InputCursorMessage::ToString() const
{
    return MessageText::Compose(player, ":Normalized Input Cursor: ", movement);
}

InputActionMessage::InputActionMessage(u32 senderId, u32 player, u32 action, u32 state,
                                       u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(InputActionMessage)), player(player),
      action(action), state(state)
{
}

std::string InputActionMessage::ToString() const
{
    return std::to_string(player) + ":Normalized Input Action: " + GetInputActionName(action) +
           " " + GetKeyStateName(state);
}
