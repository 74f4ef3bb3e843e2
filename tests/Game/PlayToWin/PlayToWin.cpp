// A hero played to win: the whole game, created as the game creates it, run for at most a given
// number of frames of exactly 1/60 s ("-no_vis", no vsync, a real window under Xvfb; input through
// the fake window layer), played by an AimingPlayer: through the main menu and the character
// selection to the named hero, then the fight, aimed at the nearest enemy with every ability.
// It passes when the level reports its victory ("Level1: Victory" in the log), and fails on the
// defeat, when the frames run out first, when the game quits, or when the log holds an error line
// (judged as the soak judges it).
//
//   play_to_win HERO [-frames N] [-seed N] [-log FILE] [-no_aim] [-trace]
//
// HERO is Golem, Mage or SteamKnight. The run prints the kills, the game time from the start of
// the waves to the victory, and for each ability how often it fired and how often an enemy's loss
// of health followed while its object was out (the aimed abilities hitting). "-no_aim" leaves the
// pointer alone during the fight, "-trace" prints the hero's state once a second.
//
// Exit status: 0 passed, 1 failed, 2 a wrong command line, 77 no display (skipped).
#include "Core/Engine.h"
#include "Game/Registration.h"
#include "GameState/UISystem.h"
#include "Math/MathUtils.h"
#include "Platform/Window.h"
#include "tests/Game/PlayToWin/AimingPlayer.h"
#include "tests/Game/Soak/LogErrors.h"
#include "tests/Game/Soak/SoakWindowLayer.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace
{
constexpr f32 FrameSeconds = 1.0f / 60.0f;
// Six and a half minutes of game time: the menus and every wave of the level with room to spare
// (the last enemies may stray far before they come back to be fought).
constexpr long DefaultFrames = 24000;
constexpr int Passed = 0;
constexpr int Failed = 1;
constexpr int BadCommandLine = 2;
constexpr int Skipped = 77;
constexpr int ErrorLinesShown = 20;

// The log lines the run follows: the level state's, the enemies' and the hero's sound scripts'.
const char* const WavesStarted = "Level1: waves started";
const char* const VictoryText = "Level1: Victory";
const char* const DefeatText = "Level1: Defeat";
const char* const EnemyDied = "Enemy: died";

struct Options
{
    std::string hero;
    long frames = DefaultFrames;
    u32 seed = 1;
    std::string log;
    bool aim = true;
    bool trace = false;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    if (argc < 2 || AimingPlayer::FindHero(argv[1]) == nullptr)
        return false;
    options.hero = argv[1];
    options.log = "play_to_win_" + options.hero + ".txt";
    char* end = nullptr;
    for (int i = 2; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "-frames" && i + 1 < argc)
        {
            options.frames = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || options.frames <= 0)
                return false;
        }
        else if (option == "-seed" && i + 1 < argc)
        {
            options.seed = static_cast<u32>(std::strtoul(argv[++i], &end, 10));
            if (*end != '\0')
                return false;
        }
        else if (option == "-log" && i + 1 < argc)
        {
            options.log = argv[++i];
        }
        else if (option == "-no_aim")
        {
            options.aim = false;
        }
        else if (option == "-trace")
        {
            options.trace = true;
        }
        else
        {
            return false;
        }
    }
    return true;
}

// The log's lines as they come: every line is on disk before the next frame begins.
class LogFollower
{
public:
    explicit LogFollower(const std::string& file) : m_file(file) {}

    // The whole lines written since the last call.
    std::vector<std::string> NewLines()
    {
        std::vector<std::string> lines;
        std::ifstream log(m_file, std::ios::binary);
        if (!log)
            return lines;
        log.seekg(m_offset);
        std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
        std::size_t start = 0;
        for (std::size_t end = text.find('\n'); end != std::string::npos;
             end = text.find('\n', start))
        {
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        m_offset += static_cast<std::streamoff>(start);
        return lines;
    }

private:
    std::string m_file;
    std::streamoff m_offset = 0;
};

struct Result
{
    bool victory = false;
    bool defeat = false;
    long wavesFrame = -1;
    long endFrame = -1;
    int kills = 0;
    int hurt = 0;
    std::size_t vanished = 0;
    std::vector<std::string> errors;
};

void Judge(const std::vector<std::string>& lines, long frame, const std::string& hero,
           Result& result)
{
    const std::string hurt = hero + ": hurt";
    for (const std::string& line : lines)
    {
        if (line.find(WavesStarted) != std::string::npos && result.wavesFrame < 0)
            result.wavesFrame = frame;
        if (line.find(VictoryText) != std::string::npos && !result.victory && !result.defeat)
        {
            result.victory = true;
            result.endFrame = frame;
        }
        if (line.find(DefeatText) != std::string::npos && !result.victory && !result.defeat)
        {
            result.defeat = true;
            result.endFrame = frame;
        }
        result.kills += line.find(EnemyDied) != std::string::npos ? 1 : 0;
        result.hurt += line.find(hurt) != std::string::npos ? 1 : 0;
        if (LogErrors::IsVanishedTarget(line))
            ++result.vanished;
        else if (LogErrors::IsError(line))
            result.errors.push_back(line);
    }
}

std::string CurrentPage()
{
    const GameState::System::UISystem* ui = GameState::System::UISystem::Instance();
    return ui != nullptr ? ui->GetCurrentPageName() : std::string();
}

// Plays the level; the result says how it went.
Result Play(const Options& options, SoakWindowLayer& window)
{
    Result result;
    const AimingPlayer::Hero& hero = *AimingPlayer::FindHero(options.hero);
    AimingPlayer player(window, hero, options.aim);
    player.SetTrace(options.trace);
    Math::SeedRand(options.seed);

    Engine* engine = new Engine();
    g_Engine = engine;
    Game::RegisterSubsystems(*engine);
    const char* const arguments[] = {"play_to_win", "-no_vis", "-out", options.log.c_str()};
    engine->ParseCommandLine(static_cast<int>(std::size(arguments)), arguments);
    engine->Initialize();

    LogFollower log(options.log);
    long frame = 1;
    for (; frame <= options.frames && !result.victory && !result.defeat; ++frame)
    {
        player.Step(CurrentPage());
        engine->StepFrame(FrameSeconds);
        Judge(log.NewLines(), frame, hero.name, result);
        if (engine->IsDone())
        {
            std::printf("PlayToWin: FAILED: the game quit at frame %ld\n", frame);
            break;
        }
    }
    delete engine;
    g_Engine = nullptr;
    Judge(log.NewLines(), frame, hero.name, result);

    const AimingPlayer::Tally& tally = player.GetTally();
    for (int slot = 0; slot < AimingPlayer::Slots; ++slot)
        std::printf("PlayToWin: %s ability %d fired %d times, %d of them hit (%d hits)\n",
                    hero.name.c_str(), slot + 1, tally.fired[slot], tally.hitting[slot],
                    tally.hits[slot]);
    std::printf("PlayToWin: %s faced %.1f degrees off the nearest enemy on average when an aimed "
                "ability was fired; it stepped back %d times, was hurt %d times and ended with "
                "%.0f of %.0f health (%.0f at the lowest)\n",
                hero.name.c_str(), player.GetMeanAimError(), tally.stepsBack, result.hurt,
                tally.health, tally.maximumHealth, tally.lowestHealth);
    if (!player.HeroSeen())
        std::printf("PlayToWin: the hero never came into the arena\n");
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        std::printf("usage: %s Golem|Mage|SteamKnight [-frames N] [-seed N] [-log FILE] "
                    "[-no_aim] [-trace]\n",
                    argv[0]);
        return BadCommandLine;
    }
    if (std::getenv("DISPLAY") == nullptr)
    {
        std::printf("PlayToWin: skipped: no display (run it under xvfb-run)\n");
        return Skipped;
    }
    if (!Platform::InitializeWindowing())
    {
        std::printf("PlayToWin: FAILED: the windowing library did not start\n");
        return Failed;
    }

    Result result;
    {
        SoakWindowLayer window;
        result = Play(options, window);
    }
    Platform::TerminateWindowing();

    bool passed = result.victory;
    const double seconds = static_cast<double>(result.endFrame - result.wavesFrame) * FrameSeconds;
    if (result.victory)
        std::printf("PlayToWin: %s won: %d kills, %.1f s of game time from the first wave to the "
                    "victory (seed %u)\n",
                    options.hero.c_str(), result.kills, seconds, options.seed);
    else if (result.defeat)
        std::printf(
            "PlayToWin: FAILED: %s lost after %.1f s of game time with %d kills (seed %u)\n",
            options.hero.c_str(), seconds, result.kills, options.seed);
    else
        std::printf("PlayToWin: FAILED: no victory within %ld frames, %d kills (seed %u)\n",
                    options.frames, result.kills, options.seed);
    std::printf("PlayToWin: %zu log lines about messages to objects already destroyed\n",
                result.vanished);
    for (std::size_t i = 0; i < result.errors.size() && i < ErrorLinesShown; ++i)
        std::printf("PlayToWin: log: %s\n", result.errors[i].c_str());
    if (!result.errors.empty())
    {
        std::printf("PlayToWin: FAILED: %zu error lines in %s\n", result.errors.size(),
                    options.log.c_str());
        passed = false;
    }
    std::printf("PlayToWin: %s\n", passed ? "passed" : "FAILED");
    return passed ? Passed : Failed;
}
