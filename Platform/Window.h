#pragma once
// The window layer over GLFW 3. For now it starts and stops the library; the window, its
// context and the input callbacks join it with the rendering and input systems.
namespace Platform
{
// Initialises GLFW; on failure writes the reason to standard error and answers false.
bool InitializeWindowing();
void TerminateWindowing();
} // namespace Platform
