#pragma once
// The message system's translation of raw input (keys, mouse buttons and movement, controller
// buttons and sticks) into the abstract input messages that game code reads: input actions,
// input moves and cursor movement. A keyboard, a mouse and a controller steer the game through
// the same three messages. The message system owns one and hands it every message inside Post,
// on the posting thread (the window layer's callbacks post raw input on the main thread).
#include "Core/Messages/Input/InputCodes.h"
#include "Math/Types.h"

class Message;

namespace Core
{
namespace System
{
class MessageSystem;

class InputTranslation
{
public:
    // The translated messages are queued in `system`, which sends them.
    explicit InputTranslation(MessageSystem& system) : m_system(system) {}
    InputTranslation(const InputTranslation&) = delete;
    InputTranslation& operator=(const InputTranslation&) = delete;

    // Replaces raw input by the abstract input messages at once. True when the raw message has
    // been dealt with (queued or destroyed); false for other types.
    bool Translate(Message* message);

    // Stick values beyond this count as pushed; the trigger fires below its negative.
    static constexpr f32 StickThreshold = 0.55f;
    // The controller pad moves nothing before this frame (the first frames settle the pad).
    static constexpr u32 FirstPadFrame = 10;

private:
    void TranslateKeyboard(Message* message);
    void TranslateMouseButton(Message* message);
    void TranslateMouseMove(Message* message);
    void TranslateControllerButton(Message* message);
    void TranslateControllerStick(Message* message);

    MessageSystem& m_system;
    // Key states, kept for the whole run: one shared by the four stick axes, one for the
    // trigger.
    u32 m_stickState = KS_RELEASE;
    u32 m_triggerState = KS_RELEASE;
};
} // namespace System
} // namespace Core
