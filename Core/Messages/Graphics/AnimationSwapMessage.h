#pragma once
// Type 47: switches the target to the named animation.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AnimationSwapMessage : public Message
{
public:
    static constexpr u32 Type = MT_ANIMATION_SWAP;

    AnimationSwapMessage(u32 senderId, const std::string& animationName, u32 loop,
                         u32 targetObjectId);

    std::string ToString() const override;

    std::string animationName;
    u32 loop; // 0 plays once
};
