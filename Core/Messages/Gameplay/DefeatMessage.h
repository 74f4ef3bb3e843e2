#pragma once
// Type 84: the game is lost.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class DefeatMessage : public Message
{
public:
    static constexpr u32 Type = MT_DEFEAT;

    DefeatMessage(u32 senderId, u32 targetObjectId);

    std::string ToString() const override;
};
