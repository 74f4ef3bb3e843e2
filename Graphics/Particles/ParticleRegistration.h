#pragma once
// Registration of the particle effects with the engine, called from Graphics::RegisterGraphics:
// the system "ParticleEffectSystem", the data and the eight emitter shapes in the graphics
// pool, and their type records.
class Engine;

namespace Graphics
{
void RegisterParticles(Engine& engine);
} // namespace Graphics
