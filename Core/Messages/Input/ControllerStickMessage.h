#pragma once
// Type 32: a raw controller axis value.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ControllerStickMessage : public Message
{
public:
    static constexpr u32 Type = MT_CONTROLLER_STICK;

    ControllerStickMessage(u32 senderId, u32 controller, u32 axis, f32 value, u32 targetObjectId);

    std::string ToString() const override;

    u32 controller; // controller index
    u32 axis;
    f32 value; // -1 to 1
};
