#pragma once
// Type 88: sets the time between two emissions of the target's emitter.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetEmitterIntervalMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_EMITTER_INTERVAL;

    SetEmitterIntervalMessage(u32 senderId, f32 interval, u32 targetObjectId);

    std::string ToString() const override;

    f32 interval; // seconds
};
