#pragma once
// Type 52: the glow's red, green and blue ranges run from the first colour to the second,
// each starting at the first.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/ColorRGBA.h"

class SetGlowMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_GLOW;

    SetGlowMessage(u32 senderId, const Math::ColorRGBA& firstColor,
                   const Math::ColorRGBA& secondColor, u32 targetObjectId);

    std::string ToString() const override;

    Math::ColorRGBA firstColor;
    Math::ColorRGBA secondColor;
};
