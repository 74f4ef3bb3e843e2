#pragma once
// Registration of the rendering subsystem with the engine. Game/Registration.cpp calls it after
// Scripting::RegisterScripting.
class Engine;

namespace Graphics
{
// The system "GraphicsSystem". Its component classes and type records join here as they come.
void RegisterGraphics(Engine& engine);
} // namespace Graphics
