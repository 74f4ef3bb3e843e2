#pragma once
// Type 85: the target's audio response plays its selection sound.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AudioResponseOnSelect : public Message
{
public:
    static constexpr u32 Type = MT_AUDIO_RESPONSE_ON_SELECT;

    AudioResponseOnSelect(u32 senderId, u32 targetObjectId);

    std::string ToString() const override;
};
