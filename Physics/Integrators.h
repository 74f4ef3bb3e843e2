#pragma once
// The three ways the physics system can advance a rigid body by one step; the launch options
// choose one at start-up ("-rk4", "-verlet", else Euler). Each acts only when the body's object
// has a transform.
#include "Math/Types.h"

namespace Physics
{
class RigidBodyComponent;

using Integrator = void (*)(RigidBodyComponent& body, f32 dt);

// Semi-implicit Euler with accumulated forces and torques, damping, a quarter turn per step at
// most, and sleeping. Static and sleeping bodies are left alone.
void IntegrateEuler(RigidBodyComponent& body, f32 dt);
// Fourth-order Runge-Kutta over position, momentum, orientation and angular momentum, driven
// by damping alone (accumulated forces, torques and the constant acceleration take no part).
void IntegrateRk4(RigidBodyComponent& body, f32 dt);
// "-verlet": bodies are not moved at all.
void IntegrateNothing(RigidBodyComponent& body, f32 dt);
} // namespace Physics
