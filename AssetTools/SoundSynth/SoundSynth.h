#pragma once
// A small deterministic synthesiser for the game's sounds: oscillators (sine, square, saw,
// triangle) with pitch sweeps and vibrato, noise from the engine's one generator, attack-
// decay-sustain-release envelopes, a note sequencer, a one-pole low-pass filter, and writers for
// 16-bit WAV and Ogg Vorbis through libsndfile. Every sound starts from its own seed, so the
// same build writes the same samples whatever else it made before.
//
// Times are seconds, frequencies Hz, gains linear (1 is full scale); notes are MIDI numbers
// (69 is A 440 Hz).
#include "Math/Types.h"
#include <string>
#include <vector>

namespace AssetTools
{
enum class Wave
{
    Sine,
    Square,
    Saw,
    Triangle,
    Noise,
};

struct Envelope
{
    f32 attack = 0.005f;
    f32 decay = 0.05f;
    f32 sustain = 0.7f; // level held after the decay
    f32 release = 0.05f;
};

// One tone: a wave from `startHz` to `endHz` (an exponential sweep) over `length` seconds.
struct Tone
{
    Wave wave = Wave::Sine;
    f32 start = 0.0f;
    f32 length = 0.1f;
    f32 startHz = 440.0f;
    f32 endHz = 440.0f;
    f32 gain = 0.5f;
    Envelope envelope;
    f32 vibratoHz = 0.0f;
    f32 vibratoDepth = 0.0f; // fraction of the frequency
    // Noise only: how many times a second a new random value is drawn (0: every sample).
    f32 noiseRate = 0.0f;
};

// One note of a sequence, in beats.
struct Note
{
    s32 midi;
    f32 beat;
    f32 beats;
};

class SoundSynth
{
public:
    SoundSynth(s32 sampleRate, u32 seed);

    // Mixes the tone into the buffer, which grows to hold it.
    void Add(const Tone& tone);
    // Each note as a tone of `wave` at `beatSeconds` a beat, `offset` seconds in.
    void Sequence(Wave wave, const std::vector<Note>& notes, f32 beatSeconds, f32 gain,
                  const Envelope& envelope, f32 offset = 0.0f);
    // One-pole low-pass over everything mixed so far.
    void LowPass(f32 cutoffHz);
    // Scales the buffer so that its largest sample is `peak`.
    void Normalize(f32 peak);
    // Mixes another synth's samples in, `gain` times, from its start.
    void Mix(const SoundSynth& other, f32 gain);

    // 16-bit PCM mono WAV; false (with a line on standard error) when it cannot be written.
    bool WriteWav(const std::string& path) const;
    // Mono Ogg Vorbis at the quality given (0 to 1).
    bool WriteOgg(const std::string& path, f64 quality) const;

    static f32 MidiToHz(s32 midi);
    const std::vector<f32>& GetSamples() const { return m_samples; }
    s32 GetSampleRate() const { return m_sampleRate; }

private:
    bool Write(const std::string& path, s32 format, f64 quality) const;
    f32 EnvelopeAt(const Envelope& envelope, f32 time, f32 length) const;

    s32 m_sampleRate;
    std::vector<f32> m_samples;
};
} // namespace AssetTools
