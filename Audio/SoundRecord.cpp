#include "Audio/SoundRecord.h"
#include "Platform/Audio/Sound.h"

namespace Audio
{
void SoundRecord::Release()
{
    if (sound != nullptr)
    {
        sound->Release();
        fileName = NoSample;
        sound = nullptr;
        channel = Layer::Channel();
        group = nullptr;
    }
    volume = 1.0f;
}
} // namespace Audio
