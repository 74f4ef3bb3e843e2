#pragma once
// The editing tools' registration: the tools system.
class Engine;

namespace Tools
{
void RegisterTools(Engine& engine);
} // namespace Tools
