#pragma once
// Type 22: goes to the next level and reloads the state script.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class NextLevelMessage : public Message
{
public:
    static constexpr u32 Type = MT_NEXT_LEVEL;

    NextLevelMessage(u32 senderId, const std::string& targetSystem);

    std::string ToString() const override;
};
