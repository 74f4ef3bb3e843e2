#pragma once
// Type 2: asks the serializer system to destroy an object.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ObjectDestroyMessage : public Message
{
public:
    static constexpr u32 Type = MT_OBJECT_DESTROY;

    ObjectDestroyMessage(u32 senderId, u32 objectId, u32 targetObjectId);

    std::string ToString() const override;

    u32 objectId;
};
