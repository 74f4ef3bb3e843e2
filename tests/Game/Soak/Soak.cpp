// The soak: the whole game, created as the game creates it, played at random for a given number
// of frames of exactly 1/60 s ("-no_vis", no vsync, a real window under Xvfb; input through the
// fake window layer). It fails when the count of live game objects, logic components or scripts
// at a return to the main menu differs from the first return's, when the game quits, when the
// log holds an error line (other than a message to an object destroyed earlier in its frame), and
// (with "-memory", for a Release build without sanitizers) when resident memory grew by more than
// 5% from the warm-up frame to the end.
//
//   soak FRAMES [-memory] [-seed N] [-log FILE]
//
// Exit status: 0 passed, 1 failed, 2 a wrong command line, 77 no display (skipped).
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Game/Registration.h"
#include "GameState/GameStateSystem.h"
#include "GameState/UISystem.h"
#include "Logic/LogicSystem.h"
#include "Math/MathUtils.h"
#include "Platform/Window.h"
#include "Scripting/LuaSystem.h"
#include "tests/Game/Soak/LogErrors.h"
#include "tests/Game/Soak/RandomPlayer.h"
#include "tests/Game/Soak/SoakWindowLayer.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr f32 FrameSeconds = 1.0f / 60.0f;
// Six minutes of play: the run's storage has reached its working size by then.
constexpr long WarmUpFrames = 21600;
constexpr double MemoryGrowthLimit = 0.05;
// Frames on the main menu before its counts are taken: the level's objects are gone by then and
// the random player has not yet pressed Play.
constexpr int SettleFrames = 30;
constexpr int Passed = 0;
constexpr int Failed = 1;
constexpr int BadCommandLine = 2;
constexpr int Skipped = 77;
// Error lines printed in the summary; the log holds them all.
constexpr int ErrorLinesShown = 20;
const char* const MainState = "Main";
const char* const MainMenuName = "MainMenu";

struct Options
{
    long frames = 0;
    bool checkMemory = false;
    u32 seed = 1;
    std::string log = "soak_log.txt";
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    if (argc < 2)
        return false;
    char* end = nullptr;
    options.frames = std::strtol(argv[1], &end, 10);
    if (*end != '\0' || options.frames <= 0)
        return false;
    for (int i = 2; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "-memory")
        {
            options.checkMemory = true;
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
        else
        {
            return false;
        }
    }
    return true;
}

// Resident memory in KiB, read from /proc; 0 when it cannot be read.
long ResidentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Counts
{
    std::size_t objects = 0;
    std::size_t logicComponents = 0;
    std::size_t scripts = 0;

    bool operator==(const Counts& other) const
    {
        return objects == other.objects && logicComponents == other.logicComponents &&
               scripts == other.scripts;
    }
};

Counts CountLive(const Engine& engine)
{
    Counts counts;
    counts.objects = engine.GetFactory()->GetObjectCount();
    if (const Logic::System::LogicSystem* logic = Logic::System::LogicSystem::Instance())
        counts.logicComponents = logic->GetCount();
    if (const Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance())
        counts.scripts = lua->GetScriptCount();
    return counts;
}

std::string CurrentState()
{
    const GameState::System::GameStateSystem* states =
        GameState::System::GameStateSystem::Instance();
    return states != nullptr ? states->GetStateName(states->GetCurrent()) : std::string();
}

std::string CurrentPage()
{
    const GameState::System::UISystem* ui = GameState::System::UISystem::Instance();
    return ui != nullptr ? ui->GetCurrentPageName() : std::string();
}

// The lines of the log that report an error, and the count of those about vanished targets.
std::vector<std::string> ErrorLines(const std::string& logFile, std::size_t& vanished)
{
    std::vector<std::string> errors;
    vanished = 0;
    std::ifstream log(logFile);
    for (std::string line; std::getline(log, line);)
    {
        if (LogErrors::IsVanishedTarget(line))
            ++vanished;
        else if (LogErrors::IsError(line))
            errors.push_back(line);
    }
    return errors;
}

// Plays the game; false when something failed (said on standard output).
bool Play(const Options& options, SoakWindowLayer& window)
{
    bool passed = true;
    RandomPlayer player(window);
    Math::SeedRand(options.seed);

    Engine* engine = new Engine();
    g_Engine = engine;
    Game::RegisterSubsystems(*engine);
    const char* const arguments[] = {"soak", "-no_vis", "-out", options.log.c_str()};
    engine->ParseCommandLine(static_cast<int>(std::size(arguments)), arguments);
    engine->Initialize();

    std::string page;
    int settle = -1;
    int returns = 0;
    Counts first;
    long warmMemory = 0;
    for (long frame = 1; frame <= options.frames; ++frame)
    {
        const std::string shown = CurrentPage();
        if (shown != page)
        {
            page = shown;
            settle = page == MainMenuName ? SettleFrames : -1;
        }
        if (settle > 0 && --settle == 0 && CurrentState() == MainState)
        {
            const Counts counts = CountLive(*engine);
            std::printf("Soak: frame %ld, main menu %d: %zu game objects, %zu logic components, "
                        "%zu scripts\n",
                        frame, returns, counts.objects, counts.logicComponents, counts.scripts);
            // The game's start is no return: what the first level leaves loaded counts from the
            // first return on.
            if (returns == 1)
                first = counts;
            if (returns > 1 && !(counts == first))
            {
                std::printf("Soak: FAILED: the counts differ from the first return's (%zu, %zu, "
                            "%zu)\n",
                            first.objects, first.logicComponents, first.scripts);
                passed = false;
            }
            ++returns;
        }

        player.Step(page);
        engine->StepFrame(FrameSeconds);
        if (engine->IsDone())
        {
            std::printf("Soak: FAILED: the game quit at frame %ld\n", frame);
            passed = false;
            break;
        }
        if (frame == WarmUpFrames)
        {
            warmMemory = ResidentKiB();
            std::printf("Soak: frame %ld: resident memory %ld KiB\n", frame, warmMemory);
        }
    }
    const long endMemory = ResidentKiB();
    std::printf("Soak: end: resident memory %ld KiB, %d returns to the main menu, %d developer "
                "keys\n",
                endMemory, returns > 0 ? returns - 1 : 0, player.GetDeveloperKeyPresses());
    if (options.checkMemory)
    {
        if (warmMemory == 0)
        {
            std::printf("Soak: FAILED: the memory check needs more than %ld frames\n",
                        WarmUpFrames);
            passed = false;
        }
        else
        {
            const double growth =
                static_cast<double>(endMemory - warmMemory) / static_cast<double>(warmMemory);
            std::printf("Soak: resident memory grew %.2f%% from frame %ld (limit %.0f%%)\n",
                        growth * 100.0, WarmUpFrames, MemoryGrowthLimit * 100.0);
            passed = growth <= MemoryGrowthLimit && passed;
        }
    }
    if (returns < 2)
        std::printf("Soak: no return to the main menu to compare with the first one\n");

    delete engine;
    return passed;
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        std::printf("usage: %s FRAMES [-memory] [-seed N] [-log FILE]\n", argv[0]);
        return BadCommandLine;
    }
    if (std::getenv("DISPLAY") == nullptr)
    {
        std::printf("Soak: skipped: no display (run it under xvfb-run)\n");
        return Skipped;
    }
    if (!Platform::InitializeWindowing())
    {
        std::printf("Soak: FAILED: the windowing library did not start\n");
        return Failed;
    }

    bool passed = true;
    {
        SoakWindowLayer window;
        passed = Play(options, window);
    }
    Platform::TerminateWindowing();

    std::size_t vanished = 0;
    const std::vector<std::string> errors = ErrorLines(options.log, vanished);
    std::printf("Soak: %zu log lines about messages to objects already destroyed\n", vanished);
    for (std::size_t i = 0; i < errors.size() && i < ErrorLinesShown; ++i)
        std::printf("Soak: log: %s\n", errors[i].c_str());
    if (!errors.empty())
    {
        std::printf("Soak: FAILED: %zu error lines in %s\n", errors.size(), options.log.c_str());
        passed = false;
    }
    std::printf("Soak: %s\n", passed ? "passed" : "FAILED");
    return passed ? Passed : Failed;
}
