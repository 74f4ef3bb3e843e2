#pragma once
// Type 16: tells the game-state system to switch to the named state.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class GoToStateMessage : public Message
{
public:
    static constexpr u32 Type = MT_GO_TO_STATE;

    GoToStateMessage(u32 senderId, const std::string& stateName, u32 targetObjectId);

    std::string ToString() const override;

    std::string stateName;
};
