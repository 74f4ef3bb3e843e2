#pragma once
// Type 54: moves the light's diffuse colour to the colour within the duration.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/ColorRGBA.h"

class SetLightDiffuseToMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_LIGHT_DIFFUSE_TO;

    SetLightDiffuseToMessage(u32 senderId, const Math::ColorRGBA& color, f32 duration,
                             u32 targetObjectId);

    std::string ToString() const override;

    Math::ColorRGBA color;
    f32 duration; // seconds
};
