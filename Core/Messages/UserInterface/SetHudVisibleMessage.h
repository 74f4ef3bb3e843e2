#pragma once
// Type 19: the visibility value the heads-up-display component stores.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetHudVisibleMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_HUD_VISIBLE;

    SetHudVisibleMessage(u32 senderId, f32 visibility, u32 targetObjectId);

    std::string ToString() const override;

    f32 visibility;
};
