#pragma once
// Type 3: shows or hides the target object.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ObjectVisibilityMessage : public Message
{
public:
    static constexpr u32 Type = MT_OBJECT_VISIBILITY;

    ObjectVisibilityMessage(u32 senderId, bool visible, u32 targetObjectId);

    std::string ToString() const override;

    bool visible;
};
