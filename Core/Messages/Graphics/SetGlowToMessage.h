#pragma once
// Type 53: moves the glow to the colour within the duration.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/ColorRGBA.h"

class SetGlowToMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_GLOW_TO;

    SetGlowToMessage(u32 senderId, const Math::ColorRGBA& color, f32 duration, u32 targetObjectId);

    std::string ToString() const override;

    Math::ColorRGBA color;
    f32 duration; // seconds
};
