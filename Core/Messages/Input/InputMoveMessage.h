#pragma once
// Type 33: abstract input: a player steers in a direction with a strength.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector2.h"

class InputMoveMessage : public Message
{
public:
    static constexpr u32 Type = MT_INPUT_MOVE;

    InputMoveMessage(u32 senderId, u32 player, const Math::Vector2& direction, u32 state,
                     u32 targetObjectId);

    std::string ToString() const override;

    u32 player; // player index
    Math::Vector2 direction;
    u32 state; // a KeyState
};
