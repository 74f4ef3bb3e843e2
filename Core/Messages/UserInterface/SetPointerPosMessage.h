#pragma once
// Type 24: places a controller's pointer relative to the buttons.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetPointerPosMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_POINTER_POS;

    SetPointerPosMessage(u32 senderId, u32 controller, f32 x, f32 y,
                         const std::string& targetSystem);

    std::string ToString() const override;

    f32 x;
    f32 y;
    u32 controller; // controller index
};
