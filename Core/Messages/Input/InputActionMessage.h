#pragma once
// Type 35: abstract input: a player pressed, held or released a numbered action.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class InputActionMessage : public Message
{
public:
    static constexpr u32 Type = MT_INPUT_ACTION;

    InputActionMessage(u32 senderId, u32 player, u32 action, u32 state, u32 targetObjectId);

    std::string ToString() const override;

    u32 player; // player index
    u32 action; // action code: 0 is "ACTION_1"
    u32 state;  // a KeyState
};
