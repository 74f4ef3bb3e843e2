#pragma once
// The window layer over GLFW 3. For now it starts and stops the library; the window, its
// context and the input callbacks join it with the rendering and input systems.
namespace Platform
{
// Initialises GLFW; on failure writes the reason to standard error and answers false. Once it
// has started, a lost display (the X server's connection broken) ends the process at once with
// "Error [Window]: the display is lost, the process ends: <display>" written through the
// endProcess hook (Platform/PlatformServices.h), or on standard error with status 1 when none is
// installed.
bool InitializeWindowing();
// Stops GLFW and gives the lost display back to Xlib's own handler.
void TerminateWindowing();
} // namespace Platform
