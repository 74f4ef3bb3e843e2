// Entry point of the game: start the windowing library, build the engine, parse the command
// line, create the systems and run frames until the running flag is cleared. SIGINT and SIGTERM
// ask for the same orderly shut-down as the game's own exit.
#include "Core/Engine.h"
#include "Game/Registration.h"
#include "Platform/Window.h"
#include <csignal>

namespace
{
volatile std::sig_atomic_t g_stopRequested = 0;

void RequestStop(int)
{
    g_stopRequested = 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (!Platform::InitializeWindowing())
        return -1;

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);

    Engine* engine = new Engine();
    g_Engine = engine;
    Game::RegisterSubsystems(*engine);
    engine->ParseCommandLine(argc, argv);
    engine->Initialize();
    while (!engine->IsDone())
    {
        if (g_stopRequested)
        {
            engine->Quit();
            g_stopRequested = 0;
        }
        engine->Update();
    }
    delete engine;

    Platform::TerminateWindowing();
    return 0;
}
