#pragma once
// Type 1: asks the serializer system to create a game object under an id reserved by the
// sender, from the object definition named by the archetype; the sender becomes its creator.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ObjectCreateMessage : public Message
{
public:
    static constexpr u32 Type = MT_OBJECT_CREATE;

    ObjectCreateMessage(u32 senderId, u32 objectId, const std::string& archetype,
                        u32 targetObjectId, u32 scriptId = 0);

    std::string ToString() const override;
    void WriteText(std::ostream& stream) const override;

    u32 objectId;          // the reserved id of the new object
    std::string archetype; // object definition name
    u32 scriptId;          // the script component that asked for it; 0 when no script did
};
