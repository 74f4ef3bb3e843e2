#include "Core/ProcessControl.h"
#include "Core/System/LogSystem.h"
#include "Platform/PlatformServices.h"
#include <cstring>
#include <unistd.h>

namespace Core
{
volatile std::sig_atomic_t ProcessControl::s_stopRequests = 0;
volatile std::sig_atomic_t ProcessControl::s_exitStatus = 0;

namespace
{
// Stop signals seen so far: the second one ends the process.
volatile std::sig_atomic_t g_stopSignals = 0;

// Builds "<prefix><name>\n" in `line` without allocating; answers its length.
std::size_t ComposeSignalLine(char* line, std::size_t size, const char* prefix, int signal)
{
    std::size_t length = 0;
    for (const char* part : {prefix, ProcessControl::SignalName(signal), "\n"})
    {
        for (const char* c = part; *c != '\0' && length + 1 < size; ++c)
            line[length++] = *c;
    }
    line[length] = '\0';
    return length;
}

// Writes what the log holds and then `line` to the log file, the line to standard error too,
// and ends the process with `status`: write(2) and _exit only, so a signal handler may call it.
void EndWithLine(const char* line, std::size_t length, int status)
{
    System::LogSystem::WriteFromSignal(line, length);
    // The same line on standard error, for whoever started the process.
    ssize_t ignored = ::write(STDERR_FILENO, line, length);
    (void)ignored;
    ::_exit(status);
}

void EndFromSignal(const char* prefix, int signal)
{
    constexpr std::size_t LineSize = 128;
    char line[LineSize];
    const std::size_t length = ComposeSignalLine(line, LineSize, prefix, signal);
    EndWithLine(line, length, ProcessControl::SignalStatusBase + signal);
}

// The window layer's end of a run whose display is lost (Platform/PlatformServices.h).
void EndOnLostDisplay(const char* line, std::size_t length)
{
    EndWithLine(line, length, ProcessControl::FailureStatus);
}

void OnStopSignal(int signal)
{
    if (g_stopSignals++ == 0)
    {
        ProcessControl::RequestStop();
        return;
    }
    EndFromSignal("Engine: a second stop signal ends the process at once: ", signal);
}

void OnFatalSignal(int signal)
{
    EndFromSignal("Error [Engine]: fatal signal, the process ends: ", signal);
}

void Install(int signal, void (*handler)(int))
{
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a call blocked in the kernel returns, so a stop request is seen.
    action.sa_flags = 0;
    sigaction(signal, &action, nullptr);
}
} // namespace

void ProcessControl::InstallSignalHandlers()
{
    Install(SIGINT, &OnStopSignal);
    Install(SIGTERM, &OnStopSignal);
    for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS})
        Install(signal, &OnFatalSignal);
    Platform::Services().endProcess = &EndOnLostDisplay;
}

void ProcessControl::SetExitStatus(int status)
{
    if (s_exitStatus == 0)
        s_exitStatus = status;
}

const char* ProcessControl::SignalName(int signal)
{
    switch (signal)
    {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGSEGV:
        return "SIGSEGV";
    case SIGABRT:
        return "SIGABRT";
    case SIGFPE:
        return "SIGFPE";
    case SIGBUS:
        return "SIGBUS";
    default:
        return "signal";
    }
}
} // namespace Core
