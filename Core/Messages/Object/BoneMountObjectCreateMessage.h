#pragma once
// Type 8: creates an object from a definition and pins it to a bone of the target's model.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class BoneMountObjectCreateMessage : public Message
{
public:
    static constexpr u32 Type = MT_BONE_MOUNT_OBJECT_CREATE;

    BoneMountObjectCreateMessage(u32 senderId, u32 objectId, const std::string& archetype,
                                 u32 boneIndex, u32 targetObjectId, u32 scriptId = 0);

    std::string ToString() const override;

    u32 objectId;          // the reserved id of the new object
    std::string archetype; // object definition name
    u32 boneIndex;
    u32 scriptId; // the script component that asked for it; 0 when no script did
};
