// What each raw code becomes, and the translation of each kind of raw input.
#include "Core/System/InputTranslation.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/Input/ControllerButtonMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCursorMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Input/MouseMoveMessage.h"
#include "Core/Messages/TryNewMessage.h"
#include "Core/System/MessageSystem.h"
#include "Platform/KeyCodes.h"
#include <cmath>

namespace Core
{
namespace System
{
namespace
{
namespace Keys = Platform::Keys;

const char* const LogTag = "MessageSystem";
const char* const InputSystemName = "InputSystem";
// Keyboard and mouse steer the first player.
constexpr u32 KeyboardPlayer = 0;

// What one raw code turns into: nothing, up to two actions, or a move.
struct Translation
{
    int firstAction = -1;
    int secondAction = -1;
    bool isMove = false;
    Math::Vector2 direction;
};

Translation Action(int first, int second = -1)
{
    Translation translation;
    translation.firstAction = first;
    translation.secondAction = second;
    return translation;
}

Translation Move(f32 x, f32 y)
{
    Translation translation;
    translation.isMove = true;
    translation.direction = Math::Vector2(x, y);
    return translation;
}

bool KeyTranslation(u32 key, Translation& out)
{
    switch (key)
    {
    case '1':
    case 'Q':
        out = Action(IA_SLOT_1);
        return true;
    case '2':
    case 'W':
        out = Action(IA_SLOT_2);
        return true;
    case '3':
    case 'E':
        out = Action(IA_SLOT_3);
        return true;
    case '4':
    case 'R':
        out = Action(IA_SLOT_4);
        return true;
    case Keys::Tab:
        out = Action(IA_SWAP);
        return true;
    case Keys::Space:
    case Keys::Enter:
        out = Action(IA_RESUME, IA_SLOT_1);
        return true;
    case Keys::Escape:
        out = Action(IA_BACK);
        return true;
    case Keys::Up:
        out = Move(0.0f, 1.0f);
        return true;
    case Keys::Down:
        out = Move(0.0f, -1.0f);
        return true;
    case Keys::Left:
        out = Move(-1.0f, 0.0f);
        return true;
    case Keys::Right:
        out = Move(1.0f, 0.0f);
        return true;
    default:
        return false;
    }
}

// Controller buttons of the engine's numbering.
constexpr u32 PadUp = 10;
constexpr u32 PadLeft = 13;

bool ControllerButtonTranslation(u32 button, Translation& out)
{
    switch (button)
    {
    case 0:
        out = Action(IA_SLOT_1);
        return true; // A
    case 1:
        out = Action(IA_SLOT_3);
        return true; // B
    case 2:
        out = Action(IA_SLOT_2);
        return true; // X
    case 3:
        out = Action(IA_SLOT_4);
        return true; // Y
    case 4:
    case 5:
        out = Action(IA_SWAP);
        return true; // bumpers
    case 6:
        out = Action(IA_RESUME);
        return true; // Back
    case 7:
        out = Action(IA_PAUSE);
        return true;
    case 8:
        out = Action(IA_LEFT_STICK);
        return true; // left stick button
    case 9:
        out = Action(IA_BACK);
        return true; // right stick button
    case PadUp:
        out = Move(0.0f, 1.0f);
        return true;
    case 11:
        out = Move(1.0f, 0.0f);
        return true;
    case 12:
        out = Move(0.0f, -1.0f);
        return true;
    case PadLeft:
        out = Move(-1.0f, 0.0f);
        return true;
    default:
        return false;
    }
}

// A pushed control is state 1 on its first message and 2 on the following ones; a control at
// rest is 3.
u32 NextState(u32 previous, bool pushed)
{
    if (!pushed)
        return KS_RELEASE;
    return previous == KS_RELEASE ? KS_TRIGGER : KS_PRESSED;
}

// Axes of the engine's controller numbering.
constexpr u32 LeftStickX = 0;
constexpr u32 LeftStickY = 1;
constexpr u32 TriggerAxis = 2;
constexpr u32 RightStickY = 3;
constexpr u32 RightStickX = 4;
} // namespace

bool InputTranslation::Translate(Message* message)
{
    switch (message->type)
    {
    case MT_KEYBOARD:
        TranslateKeyboard(message);
        return true;
    case MT_MOUSE_BUTTON:
        TranslateMouseButton(message);
        return true;
    case MT_MOUSE_MOVE:
        TranslateMouseMove(message);
        return true;
    case MT_CONTROLLER_BUTTON:
        TranslateControllerButton(message);
        return true;
    case MT_CONTROLLER_STICK:
        TranslateControllerStick(message);
        return true;
    default:
        return false;
    }
}

namespace
{
// Queues the translation's messages behind each other; each one that cannot be had is skipped.
void QueueTranslation(MessageSystem& system, const Translation& translation, u32 player, u32 state,
                      const Message* source)
{
    const u32 sender = system.GetId();
    if (translation.isMove)
    {
        system.QueueDerived(TryNewMessage<InputMoveMessage>(LogTag, sender, player,
                                                            translation.direction, state, 0u),
                            source);
        return;
    }
    for (int action : {translation.firstAction, translation.secondAction})
    {
        if (action < 0)
            continue;
        system.QueueDerived(TryNewMessage<InputActionMessage>(LogTag, sender, player,
                                                              static_cast<u32>(action), state, 0u),
                            source);
    }
}
} // namespace

// A message posted under an input type without being of its class (a plain Message, say) has no
// fields to read: it travels unchanged.

void InputTranslation::TranslateKeyboard(Message* message)
{
    auto* key = dynamic_cast<KeyboardMessage*>(message);
    Translation translation;
    if (key == nullptr || !KeyTranslation(key->keyCode, translation))
    {
        m_system.Accept(message);
        return;
    }
    QueueTranslation(m_system, translation, KeyboardPlayer, key->state, key);
    // Escape is also a key for the systems (the game-state system pauses on it).
    if (key->keyCode == static_cast<u32>(Keys::Escape))
        m_system.Accept(message);
    else
        DestroyMessage(message);
}

void InputTranslation::TranslateMouseButton(Message* message)
{
    constexpr u32 LeftButton = 0;
    constexpr u32 RightButton = 1;
    constexpr u32 MiddleButton = 2;
    auto* mouse = dynamic_cast<MouseButtonMessage*>(message);
    if (mouse == nullptr || mouse->button > MiddleButton)
    {
        m_system.Accept(message);
        return;
    }
    Translation translation;
    if (mouse->button == LeftButton)
        translation = Action(IA_FIRE);
    else if (mouse->button == MiddleButton)
        translation = Action(IA_SLOT_1);
    else if (mouse->button == RightButton)
    {
        // A move toward the cursor as seen from the window's centre, y upwards.
        const f32 halfWidth = static_cast<f32>(WindowWidth()) / 2.0f;
        const f32 halfHeight = static_cast<f32>(WindowHeight()) / 2.0f;
        translation = Move(mouse->position.x - halfWidth, -(mouse->position.y - halfHeight));
    }
    QueueTranslation(m_system, translation, KeyboardPlayer, mouse->state, mouse);
    DestroyMessage(message);
}

void InputTranslation::TranslateMouseMove(Message* message)
{
    auto* move = dynamic_cast<MouseMoveMessage*>(message);
    if (move == nullptr)
    {
        m_system.Accept(message);
        return;
    }
    // The input system moves the cursor: the derived message is addressed to it (the raw
    // message, destroyed below, lends it the rest of its addressing).
    move->targetSystem = InputSystemName;
    m_system.QueueDerived(TryNewMessage<InputCursorMessage>(LogTag, m_system.GetId(),
                                                            KeyboardPlayer, move->movement, 0u),
                          move);
    DestroyMessage(message);
}

void InputTranslation::TranslateControllerButton(Message* message)
{
    auto* button = dynamic_cast<ControllerButtonMessage*>(message);
    Translation translation;
    if (button == nullptr || !ControllerButtonTranslation(button->button, translation))
    {
        m_system.Accept(message);
        return;
    }
    const bool isPad = button->button >= PadUp && button->button <= PadLeft;
    const u32 frame = g_Engine != nullptr ? g_Engine->GetFrameCount() : 0;
    if (isPad && frame < FirstPadFrame)
    {
        // The pad moves nothing yet; a pad press this early means a controller is in use.
        if (button->button == PadUp)
            Services().setMouseCursorVisible(false);
    }
    else
    {
        QueueTranslation(m_system, translation, button->controller, button->state, button);
    }
    DestroyMessage(message);
}

void InputTranslation::TranslateControllerStick(Message* message)
{
    auto* stick = dynamic_cast<ControllerStickMessage*>(message);
    if (stick == nullptr || stick->axis > RightStickX)
    {
        m_system.Accept(message);
        return;
    }
    const f32 value = stick->value;
    if (stick->axis == TriggerAxis)
    {
        // The right trigger pulls the axis negative; the left one does nothing.
        if (value <= 0.0f)
        {
            m_triggerState = NextState(m_triggerState, value < -StickThreshold);
            QueueTranslation(m_system, Action(IA_FIRE), stick->controller, m_triggerState, stick);
        }
        DestroyMessage(message);
        return;
    }
    m_stickState = NextState(m_stickState, std::fabs(value) > StickThreshold);
    Math::Vector2 direction;
    if (stick->axis == LeftStickX || stick->axis == RightStickX)
        direction = Math::Vector2(value, 0.0f);
    else if (stick->axis == LeftStickY)
        direction = Math::Vector2(0.0f, value);
    else if (stick->axis == RightStickY)
        direction = Math::Vector2(0.0f, -value);
    Translation translation;
    translation.isMove = true;
    translation.direction = direction;
    QueueTranslation(m_system, translation, stick->controller, m_stickState, stick);
    DestroyMessage(message);
}
} // namespace System
} // namespace Core
