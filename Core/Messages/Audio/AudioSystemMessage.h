#pragma once
// Type 63: an action on the audio system as a whole (volumes, muting) with a value.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AudioSystemMessage : public Message
{
public:
    static constexpr u32 Type = MT_AUDIO_SYSTEM;

    AudioSystemMessage(u32 senderId, u32 action, f32 value, u32 targetObjectId);

    std::string ToString() const override;

    u32 action;
    f32 value;
};
