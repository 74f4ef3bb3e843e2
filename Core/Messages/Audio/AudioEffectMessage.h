#pragma once
// Type 65: plays a sound effect (the pause and stop actions do not apply to effects).
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AudioEffectMessage : public Message
{
public:
    static constexpr u32 Type = MT_AUDIO_EFFECT;

    AudioEffectMessage(u32 senderId, const std::string& audioName, u32 action, u32 targetObjectId);

    std::string ToString() const override;

    std::string audioName;
    u32 action; // 0 play, 1 pause or resume, 2 stop
};
