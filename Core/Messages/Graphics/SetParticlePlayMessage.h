#pragma once
// Type 57: enables or disables the target's particle emitters.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class SetParticlePlayMessage : public Message
{
public:
    static constexpr u32 Type = MT_SET_PARTICLE_PLAY;

    SetParticlePlayMessage(u32 senderId, bool enable, u32 targetObjectId);

    std::string ToString() const override;

    bool enable;
};
