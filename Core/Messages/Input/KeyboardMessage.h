#pragma once
// Type 25: a raw key press, hold or release. The message system replaces the keys that steer
// a player by abstract input at once; every other key travels as it is.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class KeyboardMessage : public Message
{
public:
    static constexpr u32 Type = MT_KEYBOARD;

    KeyboardMessage(u32 senderId, u32 keyCode, u32 state, u32 targetObjectId);

    std::string ToString() const override;

    u32 keyCode; // the engine's key code
    u32 state;   // a KeyState
};
