#pragma once
// Type 56: moves the light's radius to the value within the duration; radius 0 is set at once.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetLightRadiusToMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_LIGHT_RADIUS_TO;

    SetLightRadiusToMessage(u32 senderId, f32 radius, f32 duration, u32 targetObjectId);

    std::string ToString() const override;

    f32 radius;
    f32 duration; // seconds
};
