#pragma once
// Type 77: adds to the target's direction.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector4.h"

class DirectionAddMessage : public Message
{
public:
    static constexpr u32 Type = MT_DIRECTION_ADD;

    DirectionAddMessage(u32 senderId, const Math::Vector4& direction, u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector4 direction; // the direction to add
};
