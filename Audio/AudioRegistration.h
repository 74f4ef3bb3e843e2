#pragma once
// The audio subsystem's one registration: the audio system, the audio response component (pool
// 3) and the type records of the audio components. Music and effect components are made by
// the audio system from the engine's allocator, not by the component factory.
class Engine;

namespace Audio
{
void RegisterAudio(Engine& engine);
} // namespace Audio
