#include "AssetTools/SoundSynth/SoundSynth.h"
#include "Math/MathUtils.h"
#include "Platform/AtomicFile.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sndfile.h>

namespace AssetTools
{
namespace
{
constexpr f64 TwoPi = 6.283185307179586;
constexpr s32 MidiA4 = 69;
constexpr f32 HzA4 = 440.0f;
constexpr f32 SemitonesPerOctave = 12.0f;
// Full scale of a 16-bit sample when floats are converted.
constexpr f32 ClipLimit = 1.0f;

// The encoder writes into memory (it goes back to fill in the header), and the finished bytes
// are written to the file whole.
struct MemoryFile
{
    std::vector<char> bytes;
    sf_count_t position = 0;
};

sf_count_t MemoryLength(void* user)
{
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user)
{
    MemoryFile& file = *static_cast<MemoryFile*>(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = file.position;
    else if (whence == SEEK_END)
        base = static_cast<sf_count_t>(file.bytes.size());
    if (base + offset < 0)
        return -1;
    file.position = base + offset;
    return file.position;
}

sf_count_t MemoryRead(void* target, sf_count_t count, void* user)
{
    MemoryFile& file = *static_cast<MemoryFile*>(user);
    const sf_count_t size = static_cast<sf_count_t>(file.bytes.size());
    const sf_count_t available = file.position < size ? size - file.position : 0;
    const sf_count_t taken = std::min(count, available);
    if (taken > 0)
        std::memcpy(target, file.bytes.data() + file.position, static_cast<std::size_t>(taken));
    file.position += taken;
    return taken;
}

sf_count_t MemoryWrite(const void* source, sf_count_t count, void* user)
{
    MemoryFile& file = *static_cast<MemoryFile*>(user);
    const std::size_t end = static_cast<std::size_t>(file.position + count);
    if (end > file.bytes.size())
        file.bytes.resize(end);
    std::memcpy(file.bytes.data() + file.position, source, static_cast<std::size_t>(count));
    file.position += count;
    return count;
}

sf_count_t MemoryTell(void* user)
{
    return static_cast<MemoryFile*>(user)->position;
}
} // namespace

SoundSynth::SoundSynth(s32 sampleRate, u32 seed) : m_sampleRate(sampleRate)
{
    Math::SeedRand(seed);
}

f32 SoundSynth::MidiToHz(s32 midi)
{
    return HzA4 * std::pow(2.0f, static_cast<f32>(midi - MidiA4) / SemitonesPerOctave);
}

f32 SoundSynth::EnvelopeAt(const Envelope& envelope, f32 time, f32 length) const
{
    f32 level = envelope.sustain;
    if (time < envelope.attack)
        level = time / envelope.attack;
    else if (time < envelope.attack + envelope.decay)
        level = 1.0f - (1.0f - envelope.sustain) * (time - envelope.attack) / envelope.decay;
    const f32 releaseStart = length - envelope.release;
    if (envelope.release > 0.0f && time > releaseStart)
        level *= std::max(0.0f, (length - time) / envelope.release);
    return level;
}

void SoundSynth::Add(const Tone& tone)
{
    const std::size_t first = static_cast<std::size_t>(tone.start * m_sampleRate);
    const std::size_t count = static_cast<std::size_t>(tone.length * m_sampleRate);
    if (m_samples.size() < first + count)
        m_samples.resize(first + count, 0.0f);
    f64 phase = 0.0;
    f32 noise = 0.0f;
    f64 noiseClock = 1.0;
    const f64 sweep = std::log(static_cast<f64>(tone.endHz) / tone.startHz);
    for (std::size_t i = 0; i < count; ++i)
    {
        const f32 time = static_cast<f32>(i) / static_cast<f32>(m_sampleRate);
        const f64 progress = count > 1 ? static_cast<f64>(i) / static_cast<f64>(count - 1) : 0.0;
        f64 hz = tone.startHz * std::exp(sweep * progress);
        if (tone.vibratoHz > 0.0f)
            hz *= 1.0 + tone.vibratoDepth * std::sin(TwoPi * tone.vibratoHz * time);
        phase += hz / m_sampleRate;
        phase -= std::floor(phase);
        f32 value = 0.0f;
        switch (tone.wave)
        {
        case Wave::Sine:
            value = static_cast<f32>(std::sin(TwoPi * phase));
            break;
        case Wave::Square:
            value = phase < 0.5 ? 1.0f : -1.0f;
            break;
        case Wave::Saw:
            value = static_cast<f32>(2.0 * phase - 1.0);
            break;
        case Wave::Triangle:
            value = static_cast<f32>(phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase);
            break;
        case Wave::Noise:
            noiseClock += tone.noiseRate > 0.0f ? tone.noiseRate / m_sampleRate : 1.0;
            if (noiseClock >= 1.0)
            {
                noiseClock -= 1.0;
                noise = 2.0f * Math::RandUnit() - 1.0f;
            }
            value = noise;
            break;
        }
        m_samples[first + i] += value * tone.gain * EnvelopeAt(tone.envelope, time, tone.length);
    }
}

void SoundSynth::Sequence(Wave wave, const std::vector<Note>& notes, f32 beatSeconds, f32 gain,
                          const Envelope& envelope, f32 offset)
{
    for (const Note& note : notes)
    {
        Tone tone;
        tone.wave = wave;
        tone.start = offset + note.beat * beatSeconds;
        tone.length = note.beats * beatSeconds;
        tone.startHz = tone.endHz = MidiToHz(note.midi);
        tone.gain = gain;
        tone.envelope = envelope;
        Add(tone);
    }
}

void SoundSynth::LowPass(f32 cutoffHz)
{
    const f32 rc = 1.0f / (static_cast<f32>(TwoPi) * cutoffHz);
    const f32 dt = 1.0f / static_cast<f32>(m_sampleRate);
    const f32 alpha = dt / (rc + dt);
    f32 previous = 0.0f;
    for (f32& sample : m_samples)
    {
        previous += alpha * (sample - previous);
        sample = previous;
    }
}

void SoundSynth::Normalize(f32 peak)
{
    f32 largest = 0.0f;
    for (f32 sample : m_samples)
        largest = std::max(largest, std::fabs(sample));
    if (largest <= 0.0f)
        return;
    const f32 scale = peak / largest;
    for (f32& sample : m_samples)
        sample *= scale;
}

void SoundSynth::Mix(const SoundSynth& other, f32 gain)
{
    if (m_samples.size() < other.m_samples.size())
        m_samples.resize(other.m_samples.size(), 0.0f);
    for (std::size_t i = 0; i < other.m_samples.size(); ++i)
        m_samples[i] += other.m_samples[i] * gain;
}

bool SoundSynth::WriteWav(const std::string& path) const
{
    return Write(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.0);
}

bool SoundSynth::WriteOgg(const std::string& path, f64 quality) const
{
    return Write(path, SF_FORMAT_OGG | SF_FORMAT_VORBIS, quality);
}

bool SoundSynth::Write(const std::string& path, s32 format, f64 quality) const
{
    SF_INFO info = {};
    info.samplerate = m_sampleRate;
    info.channels = 1;
    info.format = format;
    SF_VIRTUAL_IO io = {MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
    MemoryFile memory;
    SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
    if (file == nullptr)
    {
        std::fprintf(stderr, "SoundSynth: could not write %s: %s\n", path.c_str(),
                     sf_strerror(nullptr));
        return false;
    }
    // Nothing that varies between runs: no peak chunk, clipping instead of wrapping.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if ((format & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG)
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof(quality));
    std::vector<f32> clipped(m_samples);
    for (f32& sample : clipped)
        sample = std::clamp(sample, -ClipLimit, ClipLimit);
    const sf_count_t written =
        sf_writef_float(file, clipped.data(), static_cast<sf_count_t>(clipped.size()));
    const bool ok = written == static_cast<sf_count_t>(clipped.size());
    if (!ok)
        std::fprintf(stderr, "SoundSynth: writing %s failed: %s\n", path.c_str(),
                     sf_strerror(file));
    sf_close(file);
    if (!ok)
        return false;
    std::string reason;
    if (!Platform::WriteFileAtomically(path, memory.bytes.data(), memory.bytes.size(), reason))
    {
        std::fprintf(stderr, "SoundSynth: could not write %s: %s\n", path.c_str(), reason.c_str());
        return false;
    }
    return true;
}
} // namespace AssetTools
