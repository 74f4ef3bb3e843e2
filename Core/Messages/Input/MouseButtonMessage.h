#pragma once
// Type 27: a raw mouse button press, hold or release.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector2.h"

class MouseButtonMessage : public Message
{
public:
    static constexpr u32 Type = MT_MOUSE_BUTTON;

    MouseButtonMessage(u32 senderId, const Math::Vector2& position, u32 button, u32 state,
                       u32 targetObjectId);

    std::string ToString() const override;

    Math::Vector2 position; // cursor, pixels from the window's top left
    u32 button;
    u32 state; // a KeyState
};
