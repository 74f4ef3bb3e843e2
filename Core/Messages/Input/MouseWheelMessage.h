#pragma once
// Type 30: the mouse wheel turned.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector2.h"

class MouseWheelMessage : public Message
{
public:
    static constexpr u32 Type = MT_MOUSE_WHEEL;

    MouseWheelMessage(u32 senderId, const Math::Vector2& position, u32 steps, u08 direction,
                      u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector2 position; // cursor, pixels from the window's top left
    u32 steps;              // size of the change
    u08 direction;          // 1 when the wheel position grew, 0 when it shrank
};
