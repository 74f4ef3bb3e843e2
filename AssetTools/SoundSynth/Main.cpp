// sound_synth [assets folder]: writes every sound of the game below the folder ("assets" when
// none is given). Exit status 0 when every file was written, 1 otherwise.
#include "AssetTools/SoundSynth/GameSounds.h"
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : "assets";
    if (!AssetTools::WriteGameSounds(folder, true))
    {
        std::fprintf(stderr, "sound_synth: some sounds could not be written below %s\n",
                     folder.c_str());
        return 1;
    }
    std::printf("sound_synth: wrote %zu effects and the music below %s/Audio\n",
                AssetTools::GameEffectNames().size(), folder.c_str());
    return 0;
}
