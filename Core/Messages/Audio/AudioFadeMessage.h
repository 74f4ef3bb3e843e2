#pragma once
// Type 66: fades a music track to a volume.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AudioFadeMessage : public Message
{
public:
    static constexpr u32 Type = MT_AUDIO_FADE;

    AudioFadeMessage(u32 senderId, const std::string& audioName, f32 fadeTime, f32 targetVolume,
                     bool pauseAfterFade, u32 targetObjectId);

    std::string ToString() const override;

    std::string audioName;
    f32 fadeTime; // seconds
    f32 targetVolume;
    bool pauseAfterFade;
};
