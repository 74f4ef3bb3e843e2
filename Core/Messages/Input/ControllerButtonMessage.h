#pragma once
// Type 31: a raw controller button press, hold or release.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ControllerButtonMessage : public Message
{
public:
    static constexpr u32 Type = MT_CONTROLLER_BUTTON;

    ControllerButtonMessage(u32 senderId, u32 controller, u32 button, u32 state,
                            u32 targetObjectId);

    std::string ToString() const override;

    u32 controller; // controller index
    u32 button;
    u32 state; // a KeyState
};
