#pragma once
// A handle to one playing voice: the voice's index and the generation it had when it started.
// A voice that stops or finishes moves on to the next generation, so an old handle then answers
// ResultInvalidHandle and can never reach a newer sound on the same voice. A default handle is
// null. A voice exists (IsPlaying answers true) from PlaySound until it stops or finishes,
// paused or not.
#include "Platform/Audio/LayerResult.h"
#include <cstdint>

namespace Audio
{
namespace Layer
{
class ChannelGroup;
class SoundSystem;

class Channel
{
public:
    Channel() = default;

    bool IsNull() const { return m_system == nullptr; }

    int SetChannelGroup(ChannelGroup* group);
    // -1 loops for ever, 0 plays once, n repeats n more times (streams; samples loop for ever
    // for any count but 0).
    int SetLoopCount(int count);
    // ModeLoopNormal or ModeLoopOff.
    int SetMode(std::uint32_t mode);
    // Position in milliseconds from the start.
    int SetPosition(std::uint32_t milliseconds);
    int SetPaused(bool paused);
    int GetPaused(bool& paused) const;
    // Voice volume, 0 and above; the gain heard is this times the group's volume.
    int SetVolume(float volume);
    int GetVolume(float& volume) const;
    int Stop();
    int IsPlaying(bool& playing) const;
    // Playback frequency in Hz: the sound's sample rate times the pitch.
    int GetFrequency(float& frequency) const;
    int SetFrequency(float frequency);

    bool operator==(const Channel& other) const
    {
        return m_system == other.m_system && m_index == other.m_index &&
               m_generation == other.m_generation;
    }

private:
    friend class SoundSystem;
    Channel(SoundSystem* system, int index, std::uint32_t generation)
        : m_system(system), m_index(index), m_generation(generation)
    {
    }

    SoundSystem* m_system = nullptr;
    int m_index = -1;
    std::uint32_t m_generation = 0;
};
} // namespace Layer
} // namespace Audio
