#pragma once
// Whether a test that needs a window can have one, and the reason it gives when it cannot: the GL
// tests are skipped (GTEST_SKIP, with this reason) only when no display is named at all; a named
// display on which no window or context can be had fails them.
#include <cstdlib>

// True when an X display or a Wayland compositor is named in the environment.
inline bool HasDisplay()
{
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

// The skip reason of a GL test without a display.
inline constexpr const char* NoDisplayReason =
    "no display: run the GL tests under xvfb-run (scripts/test does)";
