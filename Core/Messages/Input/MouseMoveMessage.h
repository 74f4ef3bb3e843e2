#pragma once
// Type 28: the cursor moved.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector2.h"

class MouseMoveMessage : public Message
{
public:
    static constexpr u32 Type = MT_MOUSE_MOVE;

    MouseMoveMessage(u32 senderId, const Math::Vector2& position, const Math::Vector2& movement,
                     u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector2 position; // cursor, pixels from the window's top left
    Math::Vector2 movement; // since the last position
};
