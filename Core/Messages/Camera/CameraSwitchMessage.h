#pragma once
// Type 40: switches to another camera. Always addressed to the camera system, which settles
// what the number names.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class CameraSwitchMessage : public Message
{
public:
    static constexpr u32 Type = MT_CAMERA_SWITCH;

    CameraSwitchMessage(u32 senderId, u32 camera);

    std::string ToString() const override;

    u32 camera;
};
