#pragma once
// The one place that tells the engine's factories which classes exist, subsystem by subsystem
// in a fixed order. Each subsystem offers one registration function; this file calls them.
class SystemFactory;

namespace Game
{
void RegisterSystems(SystemFactory& factory);
}
