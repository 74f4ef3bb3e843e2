#pragma once
// Type 87: revives every dead player.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ReviveDeadPlayersMessage : public Message
{
public:
    static constexpr u32 Type = MT_REVIVE_DEAD_PLAYERS;

    ReviveDeadPlayersMessage(u32 senderId, const std::string& targetSystem);

    std::string ToString() const override;
};
