#include "AssetTools/SoundSynth/GameSounds.h"
#include "AssetTools/SoundSynth/SoundSynth.h"
#include "Math/MathUtils.h"
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace AssetTools
{
namespace
{
// Effects are mono at 22.05 kHz: plenty for short game sounds, and small.
constexpr s32 EffectRate = 22050;
constexpr s32 MusicRate = 22050;
constexpr f32 EffectPeak = 0.8f;
constexpr f32 MusicPeak = 0.7f;
constexpr f64 MusicQuality = 0.3;
// Music: 100 beats a minute, four chords of four beats, played twice.
constexpr f32 MusicBeat = 0.6f;
constexpr s32 MusicBars = 8;
constexpr s32 BeatsPerBar = 4;

Tone MakeTone(Wave wave, f32 start, f32 length, f32 fromHz, f32 toHz, f32 gain)
{
    Tone tone;
    tone.wave = wave;
    tone.start = start;
    tone.length = length;
    tone.startHz = fromHz;
    tone.endHz = toHz;
    tone.gain = gain;
    return tone;
}

Tone Percussive(Tone tone, f32 decay)
{
    tone.envelope = {0.002f, decay, 0.0f, 0.0f};
    return tone;
}

Tone Noise(f32 start, f32 length, f32 rate, f32 gain, f32 decay)
{
    Tone tone = MakeTone(Wave::Noise, start, length, 1.0f, 1.0f, gain);
    tone.noiseRate = rate;
    tone.envelope = {0.003f, decay, 0.0f, 0.0f};
    return tone;
}

using Recipe = std::function<void(SoundSynth&)>;

// The effects by audio name; each gets its own seed from its place in the list.
const std::vector<std::pair<std::string, Recipe>>& Recipes()
{
    static const std::vector<std::pair<std::string, Recipe>> recipes = {
        {"abilitySelect", [](SoundSynth& s)
         { s.Add(Percussive(MakeTone(Wave::Square, 0.0f, 0.09f, 880.0f, 1320.0f, 0.4f), 0.09f)); }},
        // The golem: low, heavy, stony.
        {"golemAbility0",
         [](SoundSynth& s)
         {
             s.Add(Percussive(MakeTone(Wave::Sine, 0.0f, 0.45f, 90.0f, 40.0f, 0.9f), 0.4f));
             s.Add(Noise(0.0f, 0.25f, 3000.0f, 0.5f, 0.2f));
             s.LowPass(900.0f);
         }},
        {"golemAbility1",
         [](SoundSynth& s)
         {
             s.Add(Noise(0.0f, 0.8f, 400.0f, 0.9f, 0.75f));
             s.Add(Percussive(MakeTone(Wave::Triangle, 0.0f, 0.8f, 70.0f, 50.0f, 0.6f), 0.7f));
             s.LowPass(500.0f);
         }},
        {"golemAbility2",
         [](SoundSynth& s)
         {
             s.Add(Noise(0.0f, 0.12f, 8000.0f, 0.8f, 0.1f));
             s.Add(Percussive(MakeTone(Wave::Saw, 0.02f, 0.35f, 160.0f, 60.0f, 0.5f), 0.3f));
             s.LowPass(2000.0f);
         }},
        {"golemAbility3",
         [](SoundSynth& s)
         {
             s.Add(Percussive(MakeTone(Wave::Sine, 0.0f, 0.9f, 60.0f, 28.0f, 1.0f), 0.85f));
             s.Add(Noise(0.0f, 0.9f, 1200.0f, 0.6f, 0.8f));
             s.LowPass(700.0f);
         }},
        // The mage: bright, shimmering.
        {"mageAbility0",
         [](SoundSynth& s)
         {
             const Envelope pluck = {0.005f, 0.12f, 0.3f, 0.05f};
             s.Sequence(Wave::Sine, {{81, 0.0f, 1.0f}, {85, 1.0f, 1.0f}, {88, 2.0f, 2.0f}}, 0.07f,
                        0.5f, pluck);
         }},
        {"mageAbility1",
         [](SoundSynth& s)
         {
             s.Add(Noise(0.0f, 0.5f, 6000.0f, 0.3f, 0.45f));
             Tone rise = MakeTone(Wave::Sine, 0.0f, 0.5f, 600.0f, 1400.0f, 0.5f);
             rise.envelope = {0.05f, 0.2f, 0.5f, 0.2f};
             s.Add(rise);
         }},
        {"mageAbility2",
         [](SoundSynth& s)
         {
             Tone shimmer = MakeTone(Wave::Triangle, 0.0f, 0.7f, 1046.5f, 1046.5f, 0.5f);
             shimmer.vibratoHz = 9.0f;
             shimmer.vibratoDepth = 0.03f;
             shimmer.envelope = {0.02f, 0.2f, 0.6f, 0.3f};
             s.Add(shimmer);
             shimmer.startHz = shimmer.endHz = 1568.0f;
             shimmer.gain = 0.25f;
             s.Add(shimmer);
         }},
        {"mageAbility3",
         [](SoundSynth& s)
         {
             Tone fall = MakeTone(Wave::Sine, 0.0f, 0.8f, 1600.0f, 400.0f, 0.6f);
             fall.vibratoHz = 14.0f;
             fall.vibratoDepth = 0.05f;
             fall.envelope = {0.01f, 0.3f, 0.5f, 0.3f};
             s.Add(fall);
             s.Add(Noise(0.0f, 0.3f, 9000.0f, 0.2f, 0.3f));
         }},
        // The steam knight: hiss and metal.
        {"steamKnightAbility0",
         [](SoundSynth& s)
         {
             Tone hiss = Noise(0.0f, 0.5f, 0.0f, 0.5f, 0.2f);
             hiss.envelope = {0.02f, 0.1f, 0.5f, 0.25f};
             s.Add(hiss);
         }},
        {"steamKnightAbility1",
         [](SoundSynth& s)
         {
             s.Add(Percussive(MakeTone(Wave::Square, 0.0f, 0.25f, 220.0f, 210.0f, 0.4f), 0.2f));
             s.Add(Percussive(MakeTone(Wave::Square, 0.0f, 0.25f, 331.0f, 320.0f, 0.3f), 0.15f));
             s.Add(Noise(0.0f, 0.08f, 10000.0f, 0.5f, 0.06f));
         }},
        {"steamKnightAbility2",
         [](SoundSynth& s)
         {
             Tone blast = Noise(0.0f, 0.7f, 0.0f, 0.7f, 0.3f);
             blast.envelope = {0.01f, 0.2f, 0.4f, 0.3f};
             s.Add(blast);
             s.Add(Percussive(MakeTone(Wave::Sine, 0.0f, 0.4f, 120.0f, 60.0f, 0.6f), 0.35f));
             s.LowPass(3000.0f);
         }},
        {"steamKnightAbility3",
         [](SoundSynth& s)
         {
             Tone sweep = MakeTone(Wave::Saw, 0.0f, 0.6f, 300.0f, 900.0f, 0.4f);
             sweep.envelope = {0.01f, 0.2f, 0.6f, 0.2f};
             s.Add(sweep);
             s.Add(Noise(0.4f, 0.2f, 10000.0f, 0.3f, 0.15f));
             s.LowPass(4000.0f);
         }},
        // Every player character.
        {"playerDamaged",
         [](SoundSynth& s)
         {
             s.Add(Percussive(MakeTone(Wave::Square, 0.0f, 0.18f, 300.0f, 170.0f, 0.5f), 0.17f));
             s.LowPass(2500.0f);
         }},
        {"playerDeath",
         [](SoundSynth& s)
         {
             Tone fall = MakeTone(Wave::Saw, 0.0f, 0.9f, 400.0f, 70.0f, 0.5f);
             fall.envelope = {0.01f, 0.4f, 0.5f, 0.4f};
             s.Add(fall);
             s.LowPass(1500.0f);
         }},
        {"playerRespawn",
         [](SoundSynth& s)
         {
             const Envelope pluck = {0.005f, 0.1f, 0.4f, 0.05f};
             s.Sequence(Wave::Triangle, {{67, 0, 1}, {71, 1, 1}, {74, 2, 1}, {79, 3, 2}}, 0.08f,
                        0.5f, pluck);
         }},
        {"playerStep",
         [](SoundSynth& s)
         {
             s.Add(Noise(0.0f, 0.07f, 2500.0f, 0.7f, 0.06f));
             s.LowPass(1200.0f);
         }},
        {"playerSelect",
         [](SoundSynth& s)
         {
             const Envelope blip = {0.003f, 0.06f, 0.2f, 0.02f};
             s.Sequence(Wave::Square, {{76, 0, 1}, {83, 1, 1.5f}}, 0.07f, 0.35f, blip);
         }},
        {"finalKill",
         [](SoundSynth& s)
         {
             const Envelope brass = {0.01f, 0.1f, 0.6f, 0.08f};
             s.Sequence(Wave::Saw, {{72, 0, 1}, {76, 1, 1}, {79, 2, 1}, {84, 3, 3}}, 0.09f, 0.35f,
                        brass);
             s.LowPass(3000.0f);
         }},
        {"victory",
         [](SoundSynth& s)
         {
             const Envelope brass = {0.01f, 0.1f, 0.7f, 0.1f};
             s.Sequence(Wave::Saw,
                        {{67, 0, 1}, {72, 1, 1}, {76, 2, 1}, {79, 3, 2}, {76, 5, 1}, {79, 6, 4}},
                        0.15f, 0.3f, brass);
             s.Sequence(Wave::Triangle, {{48, 0, 5}, {55, 5, 5}}, 0.15f, 0.4f, brass);
             s.LowPass(3500.0f);
         }},
        {"defeat",
         [](SoundSynth& s)
         {
             const Envelope pad = {0.02f, 0.2f, 0.6f, 0.2f};
             s.Sequence(Wave::Triangle, {{69, 0, 2}, {67, 2, 2}, {65, 4, 2}, {64, 6, 4}}, 0.16f,
                        0.45f, pad);
             s.Sequence(Wave::Sine, {{45, 0, 10}}, 0.16f, 0.35f, pad);
         }},
        // The enemies.
        {"enemyAttack",
         [](SoundSynth& s)
         {
             Tone growl = MakeTone(Wave::Saw, 0.0f, 0.35f, 130.0f, 100.0f, 0.6f);
             growl.vibratoHz = 25.0f;
             growl.vibratoDepth = 0.08f;
             growl.envelope = {0.02f, 0.1f, 0.6f, 0.1f};
             s.Add(growl);
             s.LowPass(1200.0f);
         }},
        {"enemyDamaged",
         [](SoundSynth& s)
         {
             s.Add(Noise(0.0f, 0.12f, 5000.0f, 0.5f, 0.1f));
             s.Add(Percussive(MakeTone(Wave::Square, 0.0f, 0.12f, 240.0f, 150.0f, 0.3f), 0.1f));
             s.LowPass(2500.0f);
         }},
        {"enemyDeath",
         [](SoundSynth& s)
         {
             Tone fall = MakeTone(Wave::Saw, 0.0f, 0.6f, 220.0f, 45.0f, 0.5f);
             fall.envelope = {0.01f, 0.3f, 0.5f, 0.25f};
             s.Add(fall);
             s.Add(Noise(0.0f, 0.5f, 1500.0f, 0.4f, 0.45f));
             s.LowPass(1200.0f);
         }},
    };
    return recipes;
}

void MakeMusic(SoundSynth& music)
{
    // A minor, F, C, G: roots of each bar's chord, and the chord tones above them.
    const s32 roots[] = {45, 41, 48, 43};
    const s32 thirds[] = {3, 4, 4, 4};
    // The melody walks the A minor pentatonic scale, one step at a time, chosen by the seed.
    const s32 scale[] = {69, 72, 74, 76, 79, 81, 84};
    const s32 scaleSize = static_cast<s32>(sizeof(scale) / sizeof(scale[0]));
    std::vector<Note> bass;
    std::vector<Note> pad;
    std::vector<Note> melody;
    s32 step = 2;
    for (s32 bar = 0; bar < MusicBars; ++bar)
    {
        const s32 root = roots[bar % 4];
        const f32 barStart = static_cast<f32>(bar * BeatsPerBar);
        for (s32 beat = 0; beat < BeatsPerBar; ++beat)
            bass.push_back({root - 12 + (beat % 2 == 1 ? 12 : 0), barStart + beat, 1.0f});
        for (s32 tone : {0, thirds[bar % 4], 7})
            pad.push_back({root + 12 + tone, barStart, static_cast<f32>(BeatsPerBar)});
        for (s32 half = 0; half < BeatsPerBar * 2; ++half)
        {
            // Rests now and then, so the line breathes.
            if (Math::Rand() % 4 == 0)
                continue;
            step = std::clamp(step + static_cast<s32>(Math::Rand() % 3) - 1, 0, scaleSize - 1);
            melody.push_back({scale[step], barStart + 0.5f * half, 0.5f});
        }
    }
    const Envelope pluck = {0.005f, 0.15f, 0.4f, 0.05f};
    const Envelope padShape = {0.3f, 0.5f, 0.7f, 0.4f};
    music.Sequence(Wave::Triangle, bass, MusicBeat, 0.5f, pluck);
    music.Sequence(Wave::Saw, pad, MusicBeat, 0.12f, padShape);
    music.Sequence(Wave::Square, melody, MusicBeat, 0.12f, pluck);
    music.LowPass(3000.0f);
    // Hats on the off-beats, after the filter so they stay crisp.
    SoundSynth hats(MusicRate, 1);
    for (s32 beat = 0; beat < MusicBars * BeatsPerBar; ++beat)
    {
        Tone hat = Noise((beat + 0.5f) * MusicBeat, 0.05f, 0.0f, 0.15f, 0.04f);
        hats.Add(hat);
    }
    music.Mix(hats, 1.0f);
}
} // namespace

const char* const BackgroundMusicName = "backgroundMusicLoop";

const std::vector<std::string>& GameEffectNames()
{
    static const std::vector<std::string> names = []
    {
        std::vector<std::string> list;
        for (const auto& recipe : Recipes())
            list.push_back(recipe.first);
        return list;
    }();
    return names;
}

bool WriteGameSounds(const std::string& assetsFolder, bool withMusic)
{
    const std::filesystem::path root(assetsFolder);
    const std::filesystem::path effects = root / "Audio" / "Sound Effects";
    const std::filesystem::path musicFolder = root / "Audio" / "Music";
    std::error_code error;
    std::filesystem::create_directories(effects, error);
    std::filesystem::create_directories(musicFolder, error);
    bool ok = true;
    u32 seed = 1;
    for (const auto& recipe : Recipes())
    {
        SoundSynth synth(EffectRate, seed++);
        recipe.second(synth);
        synth.Normalize(EffectPeak);
        ok = synth.WriteWav((effects / (recipe.first + ".wav")).string()) && ok;
    }
    if (withMusic)
    {
        SoundSynth music(MusicRate, seed);
        MakeMusic(music);
        music.Normalize(MusicPeak);
        ok = music.WriteOgg((musicFolder / (std::string(BackgroundMusicName) + ".ogg")).string(),
                            MusicQuality) &&
             ok;
    }
    return ok;
}
} // namespace AssetTools
