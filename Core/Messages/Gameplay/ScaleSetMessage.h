#pragma once
// Type 75: sets the target's scale.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector3.h"

class ScaleSetMessage : public Message
{
public:
    static constexpr u32 Type = MT_SCALE_SET;

    ScaleSetMessage(u32 senderId, const Math::Vector3& scale, u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector3 scale;
};
