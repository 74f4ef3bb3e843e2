#pragma once
// Type 79: chooses the controller that steers the target.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetPlayerNumberMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_PLAYER_NUMBER;

    SetPlayerNumberMessage(u32 senderId, u32 playerNumber, u32 targetObjectId);

    std::string ToString() const override;

    u32 playerNumber;
};
