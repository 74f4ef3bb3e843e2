#pragma once
// Type 7: unmounts one object from the target, chosen by id (archetype empty) or by archetype
// (object id 0); with destroy set the unmounted object is destroyed as well.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class MountObjectRemoveMessage : public Message
{
public:
    static constexpr u32 Type = MT_MOUNT_OBJECT_REMOVE;

    // Chooses the mount by its object id.
    MountObjectRemoveMessage(u32 senderId, u32 objectId, bool destroy, u32 targetObjectId);
    // Chooses the first mount made from this archetype.
    MountObjectRemoveMessage(u32 senderId, const std::string& archetype, bool destroy,
                             u32 targetObjectId);

    std::string ToString() const override;
    void WriteText(std::ostream& stream) const override;

    std::string archetype; // empty when the mount is chosen by id
    u32 objectId;          // 0 when the mount is chosen by archetype
    bool destroy;
};
