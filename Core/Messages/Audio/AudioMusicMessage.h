#pragma once
// Type 64: plays, pauses or resumes, or stops a music track.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AudioMusicMessage : public Message
{
public:
    static constexpr u32 Type = MT_AUDIO_MUSIC;

    AudioMusicMessage(u32 senderId, const std::string& audioName, u32 action, u32 targetObjectId);

    std::string ToString() const override;

    std::string audioName;
    u32 action; // 0 play, 1 pause or resume, 2 stop
};
