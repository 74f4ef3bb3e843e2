#pragma once
// Type 48: sets the speed of the target's animation.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AnimationSpeedSetMessage : public Message
{
public:
    static constexpr u32 Type = MT_ANIMATION_SPEED_SET;

    AnimationSpeedSetMessage(u32 senderId, f32 speed, u32 targetObjectId);

    std::string ToString() const override;

    f32 speed;
};
