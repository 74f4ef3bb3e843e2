#pragma once
// Type 6: creates an object from a definition and mounts it on the target object, at the
// offset from the carrier.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Point4.h"

class MountObjectCreateMessage : public Message
{
public:
    static constexpr u32 Type = MT_MOUNT_OBJECT_CREATE;

    MountObjectCreateMessage(u32 senderId, u32 objectId, const std::string& archetype,
                             const Math::Point4& offset, u32 targetObjectId, u32 scriptId = 0);

    std::string ToString() const override;
    void WriteText(std::ostream& stream) const override;

    u32 objectId;          // the reserved id of the new object
    std::string archetype; // object definition name
    Math::Point4 offset;
    u32 scriptId; // the script component that asked for it; 0 when no script did
};
