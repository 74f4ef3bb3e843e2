#pragma once
// Type 46: starts or stops the target's animation.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AnimationPlayMessage : public Message
{
public:
    static constexpr u32 Type = MT_ANIMATION_PLAY;

    AnimationPlayMessage(u32 senderId, bool play, u32 targetObjectId);

    std::string ToString() const override;

    bool play;
};
