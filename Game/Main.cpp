// Entry point of the game: start the windowing library, build the engine, parse the command
// line, create the systems and run frames until the running flag is cleared. SIGINT and SIGTERM
// ask for the same orderly shut-down as the game's own exit; a second one ends the process at
// once (Core/ProcessControl.h). The exit status is 0 for a normal run and non-zero when
// something failed: the log could not be opened or written, a self-test failed, or the display
// was lost (which ends the process at once, Platform/Window.h).
#include "Core/Engine.h"
#include "Core/ProcessControl.h"
#include "Game/Registration.h"
#include "Platform/Window.h"

int main(int argc, char** argv)
{
    if (!Platform::InitializeWindowing())
        return -1;

    Core::ProcessControl::InstallSignalHandlers();

    Engine* engine = new Engine();
    g_Engine = engine;
    Game::RegisterSubsystems(*engine);
    engine->ParseCommandLine(argc, argv);
    engine->Initialize();
    bool quitAsked = false;
    while (!engine->IsDone())
    {
        if (Core::ProcessControl::IsStopRequested() && !quitAsked)
        {
            engine->Quit();
            quitAsked = true;
        }
        engine->Update();
    }
    delete engine;

    Platform::TerminateWindowing();
    return Core::ProcessControl::GetExitStatus();
}
