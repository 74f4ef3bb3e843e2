#include "Platform/Audio/Sound.h"
#include "Platform/Audio/SoundSystem.h"
#include <AL/al.h>

namespace Audio
{
namespace Layer
{
Sound::Sound(SoundSystem& system, std::string label, bool stream)
    : m_system(system), m_label(std::move(label)), m_stream(stream), m_channels(0), m_sampleRate(0),
      m_frames(0), m_buffer(0), m_streamVoice(-1), m_bufferFrames(0), m_reported(false)
{
}

Sound::~Sound()
{
    if (m_buffer != 0)
        alDeleteBuffers(1, &m_buffer);
}

int Sound::Release()
{
    m_system.ForgetSound(this);
    delete this;
    return ResultOk;
}
} // namespace Layer
} // namespace Audio
