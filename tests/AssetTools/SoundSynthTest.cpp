// The sound synthesiser against the shipped sounds: regenerating them gives the same WAV files
// byte for byte and the same decoded music, and everything stays small.
#include "AssetTools/SoundSynth/GameSounds.h"
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sndfile.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
// Everything under assets/Audio together.
constexpr std::uintmax_t MaxAudioBytes = 2u * 1024u * 1024u;

std::string Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<short> Decode(const std::filesystem::path& path)
{
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.string().c_str(), SFM_READ, &info);
    std::vector<short> samples;
    if (file == nullptr)
        return samples;
    std::vector<short> chunk(4096);
    for (sf_count_t got; (got = sf_read_short(file, chunk.data(), 4096)) > 0;)
        samples.insert(samples.end(), chunk.begin(), chunk.begin() + got);
    sf_close(file);
    return samples;
}

class ScratchFolder
{
public:
    ScratchFolder()
        : path(std::filesystem::temp_directory_path() /
               ("quill-synth-" + std::to_string(::getpid())))
    {
    }
    ~ScratchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    std::filesystem::path path;
};
} // namespace

TEST(SoundSynth, RegeneratesTheShippedSoundsExactly)
{
    // Runs in the repository root, where the shipped assets lie.
    const std::filesystem::path shipped = "assets/Audio";
    ScratchFolder scratch;
    ASSERT_TRUE(AssetTools::WriteGameSounds(scratch.path.string(), true));

    for (const std::string& name : AssetTools::GameEffectNames())
    {
        const std::string file = "Sound Effects/" + name + ".wav";
        const std::string made = Bytes(scratch.path / "Audio" / file);
        ASSERT_FALSE(made.empty()) << file;
        EXPECT_TRUE(made == Bytes(shipped / file)) << file << " differs from the shipped one";
    }
    const std::string music = std::string("Music/") + AssetTools::BackgroundMusicName + ".ogg";
    const std::vector<short> madeMusic = Decode(scratch.path / "Audio" / music);
    EXPECT_GT(madeMusic.size(), 0u);
    EXPECT_TRUE(madeMusic == Decode(shipped / music)) << music << " decodes differently";

    // The audio folders hold nothing the synthesiser does not make: no sound is copied in.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(shipped))
    {
        if (!entry.is_regular_file())
            continue;
        EXPECT_TRUE(std::filesystem::exists(scratch.path / "Audio" /
                                            std::filesystem::relative(entry.path(), shipped)))
            << entry.path() << " is committed but the synthesiser does not make it";
    }

    std::uintmax_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(shipped))
        total += entry.is_regular_file() ? entry.file_size() : 0;
    EXPECT_LT(total, MaxAudioBytes);
}
