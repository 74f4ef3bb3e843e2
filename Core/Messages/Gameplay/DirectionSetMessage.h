#pragma once
// Type 73: sets the target's direction.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector4.h"

class DirectionSetMessage : public Message
{
public:
    static constexpr u32 Type = MT_DIRECTION_SET;

    DirectionSetMessage(u32 senderId, const Math::Vector4& direction, u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector4 direction;
};
