#pragma once
// Type 34: abstract input: a player's cursor moved.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector2.h"

class InputCursorMessage : public Message
{
public:
    static constexpr u32 Type = MT_INPUT_CURSOR;

    InputCursorMessage(u32 senderId, u32 player, const Math::Vector2& movement, u32 targetObjectId);

    std::string ToString() const override;

    u32 player; // player index
    Math::Vector2 movement;
};
