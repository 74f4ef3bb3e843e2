#pragma once
// Every sound of the game, made by the synthesiser: the effects as 16-bit mono WAV files in
// "<assets>/Audio/Sound Effects/" and the music as Ogg Vorbis in "<assets>/Audio/Music/". Each
// file is named after its audio name. The WAV files come out the same byte for byte on every
// run; the Ogg container numbers its stream at random, so only its decoded samples repeat.
#include <string>
#include <vector>

namespace AssetTools
{
// The audio names of the effects, in the order they are written.
const std::vector<std::string>& GameEffectNames();
// The audio name of the music track.
extern const char* const BackgroundMusicName;

// Writes the effects (and, when asked, the music) below the assets folder; false when a file
// could not be written (each failure has a line on standard error).
bool WriteGameSounds(const std::string& assetsFolder, bool withMusic);
} // namespace AssetTools
