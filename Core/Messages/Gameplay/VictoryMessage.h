#pragma once
// Type 83: the game is won.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class VictoryMessage : public Message
{
public:
    static constexpr u32 Type = MT_VICTORY;

    VictoryMessage(u32 senderId, u32 targetObjectId);

    std::string ToString() const override;
};
