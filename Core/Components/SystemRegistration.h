#pragma once
// How components join and leave the system that drives them: the system is looked up by its
// name among the engine's systems at that moment, so a component made before its system exists
// (or in a program without it, such as a tool or a test) simply is not driven. Leaving goes by
// the component's address, so two components of one object never take each other out.
#include "Math/Types.h"

class GameObjectComponent;
class SystemComponent;

namespace Core
{
// The system of that name, or null when there is no engine or no such system.
SystemComponent* FindSystem(const char* systemName);
// True when the system exists and was handed the component.
bool RegisterWithSystem(const char* systemName, GameObjectComponent* component);
// Hands the component to the system's Unregister when the system exists.
void UnregisterFromSystem(const char* systemName, GameObjectComponent* component);
} // namespace Core
