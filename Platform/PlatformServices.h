#pragma once
// The platform layer's service hooks: what the window layer asks at once of the engine above it,
// without including it. The layer sits below Core, so its hooks are plain function pointers
// rather than Core's ServiceHook; each names its owner, and one that is not installed is empty
// (null), which its caller checks.
//
// Main thread only: install outside of any call through the hook.
#include <cstddef>

namespace Platform
{
struct PlatformServices
{
    // Ends the process at once: writes `line` (one line, with its line break) after the log's
    // buffered text as the log's last line, and to standard error, then ends with the status of
    // a failed run; never returns. The window layer calls it when the display is lost: Xlib's
    // I/O error handler must not return and the GL context went with the connection, so neither
    // an orderly shut-down nor a message is possible (owner: the process control, installed with
    // the signal handlers, Core/ProcessControl.h).
    void (*endProcess)(const char* line, std::size_t length) = nullptr;
};

// The one table of the platform layer's hooks.
PlatformServices& Services();
} // namespace Platform
