#pragma once
// Type 9: unmounts one object from a bone of the target, chosen by id (archetype empty, any
// bone) or by archetype and bone (object id 0); with destroy set it is destroyed as well.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class BoneMountObjectRemoveMessage : public Message
{
public:
    static constexpr u32 Type = MT_BONE_MOUNT_OBJECT_REMOVE;
    // The bone index that matches every bone.
    static constexpr s32 AnyBone = -1;

    // Chooses the mount by its object id, on any bone.
    BoneMountObjectRemoveMessage(u32 senderId, u32 objectId, bool destroy, u32 targetObjectId);
    // Chooses the first mount made from this archetype on this bone (AnyBone for any).
    BoneMountObjectRemoveMessage(u32 senderId, s32 boneIndex, const std::string& archetype,
                                 bool destroy, u32 targetObjectId);

    std::string ToString() const override;
    void WriteText(std::ostream& stream) const override;

    u32 objectId; // 0 when the mount is chosen by archetype
    bool destroy;
    std::string archetype; // empty when the mount is chosen by id
    s32 boneIndex;         // AnyBone or a bone index
};
