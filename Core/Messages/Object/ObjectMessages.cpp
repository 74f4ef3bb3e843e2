// The object family: creating, destroying, mounting and orbiting game objects.
#include "Core/Messages/MessageText.h"
#include "Core/Messages/Object/BoneMountObjectCreateMessage.h"
#include "Core/Messages/Object/BoneMountObjectRemoveMessage.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/Object/ObjectVisibilityMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Messages/Object/SetOrbitAroundMessage.h"
#include "Core/Messages/Object/SetOrbitDistanceMessage.h"
#include <ostream>
#include <sstream>

namespace
{
// Written straight to the stream: the message log writes one for every unmount.
void WriteUnmountText(std::ostream& stream, u32 senderId, u32 objectId, bool destroy)
{
    stream << senderId << " requested unmount of " << objectId;
    if (destroy)
        stream << " and destroy";
}

std::string UnmountText(u32 senderId, u32 objectId, bool destroy)
{
    std::ostringstream text;
    WriteUnmountText(text, senderId, objectId, destroy);
    return text.str();
}

// Written straight to the stream as well: an effect mounts a particle system or its stars
// several times a frame in a fight, and an object's archetype name is often longer than a
// string keeps without the heap.
void WriteCreateText(std::ostream& stream, u32 objectId, const std::string& archetype)
{
    stream << "ObjectID: " << objectId << " created with Archetype: " << archetype;
}
} // namespace

ObjectCreateMessage::ObjectCreateMessage(u32 senderId, u32 objectId, const std::string& archetype,
                                         u32 targetObjectId, u32 scriptId)
    : Message(senderId, Type, targetObjectId, sizeof(ObjectCreateMessage)), objectId(objectId),
      archetype(archetype), scriptId(scriptId)
{
}

std::string ObjectCreateMessage::ToString() const
{
    return "ObjectID: " + std::to_string(objectId) + " created with Archetype: " + archetype;
}

void ObjectCreateMessage::WriteText(std::ostream& stream) const
{
    WriteCreateText(stream, objectId, archetype);
}

ObjectDestroyMessage::ObjectDestroyMessage(u32 senderId, u32 objectId, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(ObjectDestroyMessage)), objectId(objectId)
{
}

std::string ObjectDestroyMessage::ToString() const
{
    return std::to_string(senderId) + " requested deletion of " + std::to_string(objectId);
}

ObjectVisibilityMessage::ObjectVisibilityMessage(u32 senderId, bool visible, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(ObjectVisibilityMessage)), visible(visible)
{
}

std::string ObjectVisibilityMessage::ToString() const
{
    return std::to_string(senderId) + " is requesting to make " + std::to_string(targetObjectId) +
           (visible ? "visible" : "invisible");
}

RemoveComponentMessage::RemoveComponentMessage(u32 senderId, u32 componentId, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(RemoveComponentMessage)),
      componentId(componentId)
{
}

std::string RemoveComponentMessage::ToString() const
{
    return std::to_string(senderId) + " wants to remove componentID " +
           std::to_string(componentId) + " from " + std::to_string(targetObjectId);
}

MountObjectCreateMessage::MountObjectCreateMessage(u32 senderId, u32 objectId,
                                                   const std::string& archetype,
                                                   const Math::Point4& offset, u32 targetObjectId,
                                                   u32 scriptId)
    : Message(senderId, Type, targetObjectId, sizeof(MountObjectCreateMessage)), objectId(objectId),
      archetype(archetype), offset(offset), scriptId(scriptId)
{
}

std::string MountObjectCreateMessage::ToString() const
{
    return "ObjectID: " + std::to_string(objectId) + " created with Archetype: " + archetype;
}

void MountObjectCreateMessage::WriteText(std::ostream& stream) const
{
    WriteCreateText(stream, objectId, archetype);
}

MountObjectRemoveMessage::MountObjectRemoveMessage(u32 senderId, u32 objectId, bool destroy,
                                                   u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(MountObjectRemoveMessage)), objectId(objectId),
      destroy(destroy)
{
}

MountObjectRemoveMessage::MountObjectRemoveMessage(u32 senderId, const std::string& archetype,
                                                   bool destroy, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(MountObjectRemoveMessage)),
      archetype(archetype), objectId(0), destroy(destroy)
{
}

std::string MountObjectRemoveMessage::ToString() const
{
    return UnmountText(senderId, objectId, destroy);
}

void MountObjectRemoveMessage::WriteText(std::ostream& stream) const
{
    WriteUnmountText(stream, senderId, objectId, destroy);
}

BoneMountObjectCreateMessage::BoneMountObjectCreateMessage(u32 senderId, u32 objectId,
                                                           const std::string& archetype,
                                                           u32 boneIndex, u32 targetObjectId,
                                                           u32 scriptId)
    : Message(senderId, Type, targetObjectId, sizeof(BoneMountObjectCreateMessage)),
      objectId(objectId), archetype(archetype), boneIndex(boneIndex), scriptId(scriptId)
{
}

std::string BoneMountObjectCreateMessage::ToString() const
{
    return "ObjectID: " + std::to_string(objectId) + " created with Archetype: " + archetype +
           " attached to Bone: " + std::to_string(boneIndex);
}

BoneMountObjectRemoveMessage::BoneMountObjectRemoveMessage(u32 senderId, u32 objectId, bool destroy,
                                                           u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(BoneMountObjectRemoveMessage)),
      objectId(objectId), destroy(destroy), boneIndex(AnyBone)
{
}

BoneMountObjectRemoveMessage::BoneMountObjectRemoveMessage(u32 senderId, s32 boneIndex,
                                                           const std::string& archetype,
                                                           bool destroy, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(BoneMountObjectRemoveMessage)), objectId(0),
      destroy(destroy), archetype(archetype), boneIndex(boneIndex)
{
}

std::string BoneMountObjectRemoveMessage::ToString() const
{
    return UnmountText(senderId, objectId, destroy);
}

void BoneMountObjectRemoveMessage::WriteText(std::ostream& stream) const
{
    WriteUnmountText(stream, senderId, objectId, destroy);
}

SetOrbitAroundMessage::SetOrbitAroundMessage(u32 senderId, const Math::Vector4& point,
                                             const Math::Vector4& axis, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetOrbitAroundMessage)), point(point),
      axis(axis)
{
}

std::string SetOrbitAroundMessage::ToString() const
{
    return MessageText::Compose(senderId, " is orbiting around the point ", point,
                                " around the axis ", axis);
}

SetOrbitDistanceMessage::SetOrbitDistanceMessage(u32 senderId, f32 distance, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetOrbitDistanceMessage)), distance(distance)
{
}

std::string SetOrbitDistanceMessage::ToString() const
{
    return MessageText::Compose(senderId, " is orbiting at a distance of ", distance);
}
