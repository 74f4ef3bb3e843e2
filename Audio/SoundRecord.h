#pragma once
// What a music track or sound effect keeps of its sound: the file and audio names, the layer's
// sound, the newest channel it played on, its channel group and its volume.
#include "Math/Types.h"
#include "Platform/Audio/Channel.h"
#include <string>

namespace Audio
{
namespace Layer
{
class ChannelGroup;
class Sound;
} // namespace Layer

struct SoundRecord
{
    static constexpr const char* NoSample = "NO SAMPLE LOADED";

    // Releases the sound, when there is one, and returns to the state of a fresh record.
    void Release();

    std::string fileName = NoSample;
    // The name the audio system finds the sound by; empty until set.
    std::string audioName;
    Layer::Sound* sound = nullptr;
    Layer::Channel channel;
    Layer::ChannelGroup* group = nullptr;
    f32 volume = 1.0f;
};
} // namespace Audio
