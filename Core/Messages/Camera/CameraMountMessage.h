#pragma once
// Type 38: mounts the first object's camera on the second object, which it then follows.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class CameraMountMessage : public Message
{
public:
    static constexpr u32 Type = MT_CAMERA_MOUNT;

    CameraMountMessage(u32 senderId, u32 firstObjectId, u32 secondObjectId,
                       const std::string& targetSystem);

    std::string ToString() const override;

    u32 firstObjectId;  // the object that carries the camera
    u32 secondObjectId; // the object it follows
};
