#pragma once
// Type 58: fades the screen to the colour within the duration.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/ColorRGBA.h"

class SetBackgroundFadeToMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_BACKGROUND_FADE_TO;

    SetBackgroundFadeToMessage(u32 senderId, const Math::ColorRGBA& color, f32 duration,
                               const std::string& targetSystem);

    std::string ToString() const override;

    Math::ColorRGBA color;
    f32 duration; // seconds
};
