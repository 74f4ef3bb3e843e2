#pragma once
// Type 50: stops the current animation at this time.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AnimationSetTimeMessage : public Message
{
public:
    static constexpr u32 Type = MT_ANIMATION_SET_TIME;

    AnimationSetTimeMessage(u32 senderId, f32 time, bool flag, u32 targetObjectId);

    std::string ToString() const override;

    f32 time;  // seconds
    bool flag; // meaning settled by the animation component
};
