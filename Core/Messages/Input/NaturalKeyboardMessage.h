#pragma once
// Type 26: a typed character for text entry; Enter (294) and Backspace (295) presses travel
// this way too.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class NaturalKeyboardMessage : public Message
{
public:
    static constexpr u32 Type = MT_NATURAL_KEYBOARD;

    NaturalKeyboardMessage(u32 senderId, u32 character, u32 state, const std::string& targetSystem);

    std::string ToString() const override;

    u32 character; // character code, or 294 / 295
    u32 state;     // a KeyState
};
