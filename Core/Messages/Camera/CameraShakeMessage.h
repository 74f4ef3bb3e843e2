#pragma once
// Type 39: shakes the camera. Always addressed to the camera system.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class CameraShakeMessage : public Message
{
public:
    static constexpr u32 Type = MT_CAMERA_SHAKE;

    CameraShakeMessage(u32 senderId, f32 magnitude, f32 duration, bool fade);

    std::string ToString() const override;

    f32 magnitude;
    f32 duration; // seconds
    bool fade;    // the shake dies down over the duration
};
