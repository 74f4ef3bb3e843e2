#pragma once
// Type 90: sets the start or end colour of the target's particles.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/ColorRGBA.h"

class SetParticleColorMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_PARTICLE_COLOR;

    SetParticleColorMessage(u32 senderId, const Math::ColorRGBA& color, bool start,
                            u32 targetObjectId);

    std::string ToString() const override;

    Math::ColorRGBA color;
    bool start; // true: start colour, false: end colour
};
