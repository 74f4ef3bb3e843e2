#include "Platform/Audio/SoundSystem.h"
#include "Platform/Audio/SoundSystemInternals.h"
#include <algorithm>
#include <cstring>

namespace Audio
{
namespace Layer
{
using namespace SoundSystemDetail;

namespace SoundSystemDetail
{
MapBufferFunctions& MapBuffer()
{
    static MapBufferFunctions functions;
    return functions;
}
} // namespace SoundSystemDetail

namespace
{
// The channels a sound's samples go to OpenAL in. The game's sounds are not placed in space,
// so a mono sound goes to both speakers at its full level: where voices play on the direct
// channels, bypassing the panner (which would lower a centred mono voice by its own,
// implementation-defined amount), it is widened to stereo.
int UploadedChannels(int channels, bool directChannels)
{
    return channels == 1 && directChannels ? StereoChannels : channels;
}

// Mono samples as stereo ones, the same on both sides.
void WidenToStereo(const std::int16_t* samples, std::size_t frames, std::int16_t* out)
{
    for (std::size_t i = 0; i < frames; ++i)
        out[2 * i] = out[2 * i + 1] = samples[i];
}

// Hands 16-bit samples to an OpenAL buffer, in UploadedChannels.
void UploadSamples(unsigned int buffer, const std::int16_t* samples, std::size_t frames,
                   int channels, int rate, bool directChannels, std::vector<std::int16_t>& widened)
{
    if (UploadedChannels(channels, directChannels) != channels)
    {
        widened.resize(frames * StereoChannels);
        WidenToStereo(samples, frames, widened.data());
        samples = widened.data();
        channels = StereoChannels;
    }
    alBufferData(buffer, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, samples,
                 static_cast<ALsizei>(frames * channels * sizeof(std::int16_t)), rate);
}
} // namespace

int SoundSystem::CreateSound(const std::string& path, std::uint32_t, Sound** sound)
{
    return MakeSoundFromFile(path, false, sound);
}

int SoundSystem::CreateStream(const std::string& path, std::uint32_t, Sound** sound)
{
    return MakeSoundFromFile(path, true, sound);
}

int SoundSystem::MakeSoundFromFile(const std::string& path, bool stream, Sound** sound)
{
    if (sound == nullptr)
        return ResultInvalidParam;
    *sound = nullptr;
    auto decoder = std::make_unique<SoundDecoder>();
    std::string error;
    if (!decoder->OpenFile(path, error))
    {
        m_lastFailure = error;
        return error == SoundDecoder::NotFoundReason ? ResultFileNotFound : ResultFormat;
    }
    return MakeSound(std::move(decoder), path, stream, sound);
}

int SoundSystem::CreateSoundFromMemory(const void* data, std::size_t size, const std::string& label,
                                       Sound** sound)
{
    return MakeSoundFromMemory(data, size, label, false, sound);
}

int SoundSystem::CreateStreamFromMemory(const void* data, std::size_t size,
                                        const std::string& label, Sound** sound)
{
    return MakeSoundFromMemory(data, size, label, true, sound);
}

int SoundSystem::MakeSoundFromMemory(const void* data, std::size_t size, const std::string& label,
                                     bool stream, Sound** sound)
{
    if (sound == nullptr || (data == nullptr && size > 0))
        return ResultInvalidParam;
    *sound = nullptr;
    auto decoder = std::make_unique<SoundDecoder>();
    std::string error;
    if (!decoder->OpenMemory(data, size, error))
    {
        m_lastFailure = error;
        return ResultFormat;
    }
    return MakeSound(std::move(decoder), label, stream, sound);
}

int SoundSystem::MakeSound(std::unique_ptr<SoundDecoder> decoder, const std::string& label,
                           bool stream, Sound** sound)
{
    if (!m_initialized || !MakeCurrent())
    {
        m_lastFailure = "the audio layer is not initialised";
        return ResultNotReady;
    }
    Sound* made = new Sound(*this, label, stream);
    made->m_channels = decoder->GetChannels();
    made->m_sampleRate = decoder->GetSampleRate();
    if (stream)
    {
        made->m_decoder = std::move(decoder);
    }
    else
    {
        std::vector<std::int16_t> samples;
        const std::size_t limit = static_cast<std::size_t>(MaxSampleSeconds) * made->m_sampleRate;
        const std::size_t frames = decoder->ReadAll(samples, limit);
        if (frames == 0)
        {
            // A header with nothing behind it, or data the decoder gives up on at once.
            delete made;
            m_lastFailure = "not a sound file (no samples could be decoded)";
            return ResultFormat;
        }
        const std::uint64_t declared = decoder->GetDeclaredFrames();
        if (decoder->Failed())
            Report("Audio layer: " + label + " could not be decoded past frame " +
                   std::to_string(frames) + " (" + decoder->GetErrorText() +
                   "); playing what was read");
        else if (frames < limit && (declared > frames || decoder->IsShorterThanHeader()))
            Report("Audio layer: " + label + " ends after " + std::to_string(frames) +
                   " frames, before its header says; playing what was read");
        made->m_frames = frames;
        alGenBuffers(1, &made->m_buffer);
        std::vector<std::int16_t> widened;
        UploadSamples(made->m_buffer, samples.data(), frames, made->m_channels, made->m_sampleRate,
                      m_directChannels, widened);
        if (alGetError() != AL_NO_ERROR)
        {
            delete made;
            m_lastFailure = "the samples could not be handed to OpenAL";
            return ResultFormat;
        }
    }
    made->m_bufferFrames =
        std::max<std::size_t>(1, m_streamBufferBytes / (BytesPerSample * made->m_channels));
    m_sounds.push_back(made);
    *sound = made;
    return ResultOk;
}

void SoundSystem::ForgetSound(Sound* sound)
{
    MakeCurrent();
    for (Voice& voice : m_voices)
    {
        if (voice.active && voice.sound == sound)
            Retire(voice);
        if (sound->m_buffer != 0 && voice.bound == sound->m_buffer)
        {
            alSourceStop(voice.source);
            Unbind(voice);
        }
    }
    m_sounds.erase(std::remove(m_sounds.begin(), m_sounds.end(), sound), m_sounds.end());
}

void SoundSystem::RestartStream(Voice& voice, std::size_t skipFrames)
{
    Sound& sound = *voice.sound;
    alSourceStop(voice.source);
    Unbind(voice);
    voice.mapped = m_mapStreams && PrepareRing(voice);
    voice.ringStalled = false;
    if (!voice.mapped && voice.buffers[0] == 0)
        alGenBuffers(StreamBufferCount, voice.buffers.data());
    voice.streamEnded = !sound.m_decoder->Rewind();
    voice.passFrames = 0;
    if (skipFrames > 0 && !voice.streamEnded)
    {
        std::vector<std::int16_t> discard(skipFrames * static_cast<std::size_t>(sound.m_channels));
        voice.passFrames = sound.m_decoder->Read(discard.data(), skipFrames);
    }
    if (voice.mapped)
    {
        // The whole ring is filled while the source is stopped, then bound once and looped.
        voice.ringPlayed = 0;
        voice.ringWritten = 0;
        voice.ringSilenced = 0;
        voice.ringCursor = 0;
        WriteRing(voice);
        alSourcei(voice.source, AL_BUFFER, static_cast<ALint>(voice.ring));
        alSourcei(voice.source, AL_LOOPING, AL_TRUE);
        return;
    }
    for (unsigned int buffer : voice.buffers)
    {
        if (voice.streamEnded || !FillStreamBuffer(voice, buffer))
            break;
        alSourceQueueBuffers(voice.source, 1, &buffer);
    }
}

std::size_t SoundSystem::DecodeStream(Voice& voice, std::size_t frames)
{
    Sound& sound = *voice.sound;
    SoundDecoder& decoder = *sound.m_decoder;
    const std::size_t channels = static_cast<std::size_t>(sound.m_channels);
    // Always the same size: the pcm is allocated by the first call only.
    sound.m_pcm.resize(sound.m_bufferFrames * channels);
    frames = std::min(frames, sound.m_bufferFrames);
    std::size_t total = 0;
    while (total < frames)
    {
        const std::size_t got = decoder.Read(sound.m_pcm.data() + total * channels, frames - total);
        if (got > 0)
        {
            total += got;
            voice.passFrames += got;
            sound.m_frames = std::max(sound.m_frames, voice.passFrames);
            continue;
        }
        const bool loop = Looping(voice);
        if (!sound.m_reported)
        {
            // Built into a line only when there is one to report: a loop makes no string.
            const char* const then = loop ? "looping from the start" : "ending there";
            const std::uint64_t declared = decoder.GetDeclaredFrames();
            if (decoder.Failed())
            {
                Report("Audio layer: stream " + sound.m_label + " failed after frame " +
                       std::to_string(voice.passFrames) + " (" + decoder.GetErrorText() + "); " +
                       then);
                sound.m_reported = true;
            }
            else if ((declared > voice.passFrames || decoder.IsShorterThanHeader()) &&
                     voice.passFrames > 0)
            {
                Report("Audio layer: stream " + sound.m_label + " ends after " +
                       std::to_string(voice.passFrames) + " frames, before its header says; " +
                       then);
                sound.m_reported = true;
            }
        }
        // A pass that yielded nothing would loop without end: the stream stops.
        if (!loop || voice.passFrames == 0 || !decoder.Rewind())
        {
            voice.streamEnded = true;
            break;
        }
        if (voice.loopCount > 0)
            --voice.loopCount;
        voice.passFrames = 0;
    }
    return total;
}

bool SoundSystem::FillStreamBuffer(Voice& voice, unsigned int buffer)
{
    Sound& sound = *voice.sound;
    const std::size_t total = DecodeStream(voice, sound.m_bufferFrames);
    if (total == 0)
        return false;
    UploadSamples(buffer, sound.m_pcm.data(), total, sound.m_channels, sound.m_sampleRate,
                  m_directChannels, m_widened);
    return true;
}

void SoundSystem::FeedStream(Voice& voice)
{
    ALint processed = 0;
    alGetSourcei(voice.source, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i)
    {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(voice.source, 1, &buffer);
        if (!voice.streamEnded && FillStreamBuffer(voice, buffer))
            alSourceQueueBuffers(voice.source, 1, &buffer);
    }
    if (voice.paused || !voice.started)
        return;
    ALint state = AL_STOPPED;
    ALint queued = 0;
    alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
    alGetSourcei(voice.source, AL_BUFFERS_QUEUED, &queued);
    // An underrun stops the source with data still to come: play on.
    if (state != AL_PLAYING && queued > 0)
        alSourcePlay(voice.source);
}

bool SoundSystem::PrepareRing(Voice& voice)
{
    const Sound& sound = *voice.sound;
    const int channels = UploadedChannels(sound.m_channels, m_directChannels);
    if (voice.ring != 0 && voice.ringChannels == channels && voice.ringRate == sound.m_sampleRate &&
        voice.ringSegmentFrames == sound.m_bufferFrames)
        return true;
    MapBufferFunctions& functions = MapBuffer();
    alGetError();
    // Storage is given anew to a buffer no source holds and nobody maps.
    if (voice.ringSamples != nullptr)
        functions.unmap(voice.ring);
    voice.ringSamples = nullptr;
    if (voice.ring == 0)
        alGenBuffers(1, &voice.ring);
    const std::size_t bytes = sound.m_bufferFrames * StreamBufferCount *
                              static_cast<std::size_t>(channels) * BytesPerSample;
    void* mapped = nullptr;
    if (alGetError() == AL_NO_ERROR && bytes <= static_cast<std::size_t>(INT32_MAX))
    {
        functions.storage(voice.ring, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                          nullptr, static_cast<ALsizei>(bytes), sound.m_sampleRate,
                          MapWriteBit | MapPersistentBit);
        if (alGetError() == AL_NO_ERROR)
            mapped = functions.map(voice.ring, 0, static_cast<ALsizei>(bytes),
                                   MapWriteBit | MapPersistentBit);
    }
    if (alGetError() != AL_NO_ERROR || mapped == nullptr)
    {
        DeleteRing(voice);
        m_mapStreams = false;
        Report(QueuedStreamsLine);
        return false;
    }
    voice.ringSamples = static_cast<std::int16_t*>(mapped);
    voice.ringChannels = channels;
    voice.ringRate = sound.m_sampleRate;
    voice.ringSegmentFrames = sound.m_bufferFrames;
    return true;
}

void SoundSystem::DeleteRing(Voice& voice)
{
    if (voice.ring == 0)
        return;
    if (voice.ringSamples != nullptr)
        MapBuffer().unmap(voice.ring);
    alDeleteBuffers(1, &voice.ring);
    alGetError();
    voice.ring = 0;
    voice.ringSamples = nullptr;
    voice.ringChannels = 0;
    voice.ringRate = 0;
    voice.ringSegmentFrames = 0;
}

void SoundSystem::AdvanceRing(Voice& voice)
{
    const std::size_t ringFrames = voice.ringSegmentFrames * StreamBufferCount;
    ALint offset = 0;
    alGetSourcei(voice.source, AL_SAMPLE_OFFSET, &offset);
    const std::size_t cursor =
        std::min(static_cast<std::size_t>(std::max(offset, 0)), ringFrames - 1);
    // Read at least once a turn (every Update, and before every loopback chunk).
    voice.ringPlayed += (cursor + ringFrames - voice.ringCursor) % ringFrames;
    voice.ringCursor = cursor;
}

void SoundSystem::WriteRing(Voice& voice)
{
    const Sound& sound = *voice.sound;
    const std::uint64_t segment = voice.ringSegmentFrames;
    const std::uint64_t ringFrames = segment * StreamBufferCount;
    const std::size_t channels = static_cast<std::size_t>(voice.ringChannels);
    // Everything up to the start of the cursor's segment, a turn on, may be written.
    const std::uint64_t limit = voice.ringPlayed - voice.ringPlayed % segment + ringFrames;
    if (voice.ringPlayed > voice.ringWritten && !voice.streamEnded)
    {
        // The cursor ran past the fresh samples (a device mixing on its own while Update did
        // not come): the stream goes on from the next segment.
        voice.ringWritten = limit - ringFrames + segment;
    }
    // Hands OpenAL the frames written from ring frame `at` on.
    const FlushMappedBufferFunction flush = MapBuffer().flush;
    const auto flushFrames = [&voice, flush, channels](std::uint64_t at, std::uint64_t frames)
    {
        flush(voice.ring, static_cast<ALsizei>(at * channels * BytesPerSample),
              static_cast<ALsizei>(frames * channels * BytesPerSample));
    };
    while (voice.ringWritten < limit && !voice.streamEnded)
    {
        const std::uint64_t at = voice.ringWritten % ringFrames;
        // Up to the end of the segment: a piece never wraps around the ring.
        const std::size_t want =
            static_cast<std::size_t>(std::min(segment - at % segment, limit - voice.ringWritten));
        const std::size_t got = DecodeStream(voice, want);
        std::int16_t* out = voice.ringSamples + at * channels;
        if (sound.m_channels != static_cast<int>(channels))
            WidenToStereo(sound.m_pcm.data(), got, out);
        else
            std::memcpy(out, sound.m_pcm.data(), got * channels * sizeof(std::int16_t));
        flushFrames(at, got);
        voice.ringWritten += got;
        if (got < want)
            voice.streamEnded = true;
    }
    if (!voice.streamEnded)
        return;
    // After the last frame the ring is silent, so a source the cursor has not yet retired
    // plays nothing old.
    voice.ringSilenced = std::max(voice.ringSilenced, voice.ringWritten);
    while (voice.ringSilenced < limit)
    {
        const std::uint64_t at = voice.ringSilenced % ringFrames;
        const std::uint64_t length = std::min(segment - at % segment, limit - voice.ringSilenced);
        std::memset(voice.ringSamples + at * channels, 0, length * channels * sizeof(std::int16_t));
        flushFrames(at, length);
        voice.ringSilenced += length;
    }
}

void SoundSystem::FeedRing(Voice& voice)
{
    if (voice.ringStalled)
    {
        // A finished stream that ran out is retired by Refresh; one with more to give goes on
        // where its fresh samples ended.
        if (voice.streamEnded)
            return;
        const std::uint64_t ringFrames = voice.ringSegmentFrames * StreamBufferCount;
        voice.ringPlayed = voice.ringWritten;
        voice.ringCursor = static_cast<std::size_t>(voice.ringWritten % ringFrames);
        WriteRing(voice);
        alSourcei(voice.source, AL_SAMPLE_OFFSET, static_cast<ALint>(voice.ringCursor));
        voice.ringStalled = false;
        if (voice.started && !voice.paused)
            alSourcePlay(voice.source);
        return;
    }
    if (voice.paused || !voice.started)
        return;
    AdvanceRing(voice);
    WriteRing(voice);
}
} // namespace Layer
} // namespace Audio
