#pragma once
// Type 49: plays the current animation until this time.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AnimationPlayUntilMessage : public Message
{
public:
    static constexpr u32 Type = MT_ANIMATION_PLAY_UNTIL;

    AnimationPlayUntilMessage(u32 senderId, f32 time, u32 targetObjectId);

    std::string ToString() const override;

    f32 time; // seconds
};
