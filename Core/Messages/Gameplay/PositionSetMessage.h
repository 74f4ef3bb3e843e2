#pragma once
// Type 74: sets the target's position.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector4.h"

class PositionSetMessage : public Message
{
public:
    static constexpr u32 Type = MT_POSITION_SET;

    PositionSetMessage(u32 senderId, const Math::Vector4& position, u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector4 position;
};
