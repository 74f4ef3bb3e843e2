#pragma once
// Type 76: sets the target's orientation from Euler angles.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector3.h"

class OrientationSetMessage : public Message
{
public:
    static constexpr u32 Type = MT_ORIENTATION_SET;

    OrientationSetMessage(u32 senderId, const Math::Vector3& orientation, u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector3 orientation; // Euler angles in degrees
};
