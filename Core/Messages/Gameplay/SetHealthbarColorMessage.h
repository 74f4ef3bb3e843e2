#pragma once
// Type 86: sets the colour of the target's health bar.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/ColorRGBA.h"

class SetHealthbarColorMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_HEALTHBAR_COLOR;

    SetHealthbarColorMessage(u32 senderId, const Math::ColorRGBA& color, u32 targetObjectId);

    std::string ToString() const override;

    Math::ColorRGBA color;
};
