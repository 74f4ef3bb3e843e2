#pragma once
// Type 81: removes every computer-controlled character.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class KillAIMessage : public Message
{
public:
    static constexpr u32 Type = MT_KILL_AI;

    KillAIMessage(u32 senderId, const std::string& targetSystem);

    std::string ToString() const override;
};
