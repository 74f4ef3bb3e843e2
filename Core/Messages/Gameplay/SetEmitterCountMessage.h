#pragma once
// Type 89: sets the range of particles per emission of the target's emitter.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetEmitterCountMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_EMITTER_COUNT;

    SetEmitterCountMessage(u32 senderId, f32 minimum, f32 maximum, u32 targetObjectId);

    std::string ToString() const override;

    f32 minimum;
    f32 maximum;
};
