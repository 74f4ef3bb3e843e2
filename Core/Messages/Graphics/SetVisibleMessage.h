#pragma once
// Type 43: shows or hides the target's rendering.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetVisibleMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_VISIBLE;

    SetVisibleMessage(u32 senderId, bool visible, u32 targetObjectId);

    std::string ToString() const override;

    bool visible;
};
