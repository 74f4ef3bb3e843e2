#pragma once
// Type 42: the window changed size.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector2.h"

class WindowResizeMessage : public Message
{
public:
    static constexpr u32 Type = MT_WINDOW_RESIZE;

    WindowResizeMessage(u32 senderId, const Math::Vector2& windowSize, u32 targetObjectId);
    WindowResizeMessage(u32 senderId, const Math::Vector2& windowSize,
                        const std::string& targetSystem);

    std::string ToString() const override;

    Math::Vector2 windowSize; // width and height in pixels
};
