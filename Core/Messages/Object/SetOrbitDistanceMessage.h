#pragma once
// Type 11: sets the distance of the target's orbit.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetOrbitDistanceMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_ORBIT_DISTANCE;

    SetOrbitDistanceMessage(u32 senderId, f32 distance, u32 targetObjectId);

    std::string ToString() const override;

    f32 distance;
};
