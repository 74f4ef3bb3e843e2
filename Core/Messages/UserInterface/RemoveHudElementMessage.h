#pragma once
// Type 18: removes a heads-up-display element.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class RemoveHudElementMessage : public Message
{
public:
    static constexpr u32 Type = MT_REMOVE_HUD_ELEMENT;

    RemoveHudElementMessage(u32 senderId, u32 elementId, u32 targetObjectId);

    std::string ToString() const override;

    u32 elementId;
};
