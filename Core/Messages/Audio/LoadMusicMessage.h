#pragma once
// Type 69: loads a music track under an audio name.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class LoadMusicMessage : public Message
{
public:
    static constexpr u32 Type = MT_LOAD_MUSIC;

    LoadMusicMessage(u32 senderId, const std::string& fileName, const std::string& audioName,
                     const std::string& targetSystem);

    std::string ToString() const override;

    std::string fileName;
    std::string audioName;
};
