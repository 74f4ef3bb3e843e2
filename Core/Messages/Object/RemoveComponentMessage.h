#pragma once
// Type 5: removes the component with this id from the target object, which shuts it down and
// destroys it.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class RemoveComponentMessage : public Message
{
public:
    static constexpr u32 Type = MT_REMOVE_COMPONENT;

    RemoveComponentMessage(u32 senderId, u32 componentId, u32 targetObjectId);

    std::string ToString() const override;

    u32 componentId;
};
