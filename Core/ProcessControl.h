#pragma once
// How the process ends: the stop request that SIGINT and SIGTERM make, the exit status that
// failures set, the handlers of the fatal signals and the end of a run whose display is lost.
//
// Conventions:
// - The first SIGINT or SIGTERM asks for the orderly shut-down (the frame loop and the script
//   hook look at IsStopRequested); a second one writes what the log holds and ends the process
//   at once, so a stuck engine always yields to Ctrl-C twice.
// - SIGSEGV, SIGABRT, SIGFPE and SIGBUS write the buffered log and a last line naming the
//   signal, then end the process with status 128 + the signal number. The handlers use only
//   async-signal-safe calls (write, _exit).
// - A lost display (the window layer's endProcess hook, Platform/PlatformServices.h) ends the
//   process the same way, after the window layer's line naming the display, with FailureStatus:
//   the GL context is gone with the connection, so no orderly shut-down can follow.
// - The exit status starts at 0; the first failure that sets one keeps it.
#include <csignal>

namespace Core
{
class ProcessControl
{
public:
    // The status of a run that failed (log not opened or not written, a self-test failed, the
    // display lost).
    static constexpr int FailureStatus = 1;
    // Added to the signal number for the status of a process ended by a signal.
    static constexpr int SignalStatusBase = 128;

    // Installs the handlers of the stop signals and the fatal signals, and the window layer's
    // hook that ends a run whose display is lost.
    static void InstallSignalHandlers();

    static bool IsStopRequested() { return s_stopRequests != 0; }
    // What the first stop signal does, for the engine and tests.
    static void RequestStop() { s_stopRequests = 1; }
    static void ClearStopRequest() { s_stopRequests = 0; }

    // Records a failure: the first non-zero status is kept.
    static void SetExitStatus(int status);
    static int GetExitStatus() { return s_exitStatus; }
    static void ResetExitStatus() { s_exitStatus = 0; }

    // The signal's name ("SIGSEGV"), or "signal" for one without a name here.
    static const char* SignalName(int signal);

private:
    static volatile std::sig_atomic_t s_stopRequests;
    static volatile std::sig_atomic_t s_exitStatus;
};
} // namespace Core
