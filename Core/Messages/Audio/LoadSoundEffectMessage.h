#pragma once
// Type 67: loads a sound effect under an audio name.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class LoadSoundEffectMessage : public Message
{
public:
    static constexpr u32 Type = MT_LOAD_SOUND_EFFECT;

    LoadSoundEffectMessage(u32 senderId, const std::string& fileName, const std::string& audioName,
                           const std::string& targetSystem);

    std::string ToString() const override;

    std::string fileName;
    std::string audioName;
};
