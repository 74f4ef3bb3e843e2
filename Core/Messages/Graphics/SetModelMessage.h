#pragma once
// Type 44: draws the target with the named model.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetModelMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_MODEL;

    SetModelMessage(u32 senderId, const std::string& modelName, u32 targetObjectId);

    std::string ToString() const override;

    std::string modelName;
};
