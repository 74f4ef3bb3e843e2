#pragma once
// A group of voices with one volume: a voice's gain is its own volume times its group's.
#include "Platform/Audio/LayerResult.h"

namespace Audio
{
namespace Layer
{
class SoundSystem;

class ChannelGroup
{
public:
    // Volumes are clamped to 0 and above; every voice of the group follows at once.
    int SetVolume(float volume);
    int GetVolume(float& volume) const;
    // Stops the group's voices and frees it; the pointer is invalid afterwards.
    int Release();

private:
    friend class SoundSystem;
    explicit ChannelGroup(SoundSystem& system) : m_system(system), m_volume(1.0f) {}

    SoundSystem& m_system;
    float m_volume;
};
} // namespace Layer
} // namespace Audio
