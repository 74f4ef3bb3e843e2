#include "Physics/Integrators.h"
#include "Core/Components/TransformComponent.h"
#include "Physics/OwnerLookup.h"
#include "Physics/RigidBodyComponent.h"
#include <cmath>

namespace Physics
{
namespace
{
// At most a quarter turn per step: faster spins are slowed to this angle per step.
constexpr f32 MaxTurnPerStep = 1.57079f;
// Angular speeds below this (radians per second) stop.
constexpr f32 MinAngularSpeed = 0.005f;
constexpr f32 Half = 0.5f;
constexpr f32 OneSixth = 1.0f / 6.0f;

// The damping factor per second applied over dt, computed in double precision.
f32 DampingOver(f32 factor, f32 dt)
{
    return static_cast<f32>(std::pow(static_cast<double>(factor), static_cast<double>(dt)));
}

// 0.5 (0, w) q: the rate of change of the orientation q under the angular velocity w.
Math::Quaternion Spin(const Math::Vector4& angularVelocity, const Math::Quaternion& orientation)
{
    return Math::Quaternion(0.0f, angularVelocity.x, angularVelocity.y, angularVelocity.z) *
           orientation * Half;
}

bool IsZero(const Math::Quaternion& q)
{
    return q.w == 0.0f && q.x == 0.0f && q.y == 0.0f && q.z == 0.0f;
}

// q + h spin, normalised; q itself when the body does not turn. Unlike multiplying q by a
// normalised rate, adding h spin turns q in proportion to the angular speed and never zeroes it.
Math::Quaternion Turn(const Math::Quaternion& q, const Math::Quaternion& spin, f32 h)
{
    if (IsZero(spin))
        return q;
    Math::Quaternion turned = q + spin * h;
    turned.Normalize();
    return turned;
}

struct Rk4State
{
    Math::Point4 position;
    Math::Vector4 momentum;
    Math::Quaternion orientation;
    Math::Vector4 angularMomentum;
    Math::Vector4 velocity;
    Math::Vector4 angularVelocity;
    Math::Quaternion spin;
};

struct Rk4Derivative
{
    Math::Vector4 velocity;
    Math::Vector4 force;
    Math::Quaternion spin;
    Math::Vector4 torque;
};

// Velocity, angular velocity and spin from momentum, angular momentum and orientation.
void Recompute(Rk4State& state, const RigidBodyComponent& body)
{
    state.velocity = state.momentum * body.inverseMass;
    state.angularVelocity = body.inverseInertia * state.angularMomentum;
    state.spin = Spin(state.angularVelocity, state.orientation);
}

Rk4Derivative Evaluate(const Rk4State& state, const RigidBodyComponent& body)
{
    Rk4Derivative derivative;
    derivative.velocity = state.velocity;
    derivative.spin = state.spin;
    derivative.force = state.velocity * -body.linearDamping;
    derivative.torque = state.angularVelocity * -body.angularDamping;
    return derivative;
}

Rk4State Advance(Rk4State state, const Rk4Derivative& derivative, f32 h,
                 const RigidBodyComponent& body)
{
    state.position += derivative.velocity * h;
    state.momentum += derivative.force * h;
    state.orientation = Turn(state.orientation, derivative.spin, h);
    state.angularMomentum += derivative.torque * h;
    Recompute(state, body);
    return state;
}
} // namespace

void IntegrateEuler(RigidBodyComponent& body, f32 dt)
{
    if (!body.awake || body.isStatic)
        return;
    TransformComponent* transform = FindOwnerTransform(body);
    if (transform == nullptr)
        return;

    body.lastAcceleration = body.acceleration + body.forceAccumulator * body.inverseMass;
    const Math::Vector4 angularAcceleration = body.worldInverseInertia * body.torqueAccumulator;
    body.velocity += body.lastAcceleration * dt;
    body.angularVelocity += angularAcceleration * dt;

    const f32 angularSpeed = body.angularVelocity.Length();
    if (angularSpeed * dt > MaxTurnPerStep)
        body.angularVelocity *= MaxTurnPerStep / dt / angularSpeed;
    else if (angularSpeed < MinAngularSpeed)
        body.angularVelocity.SetZero();

    body.velocity *= DampingOver(body.linearDamping, dt);
    body.angularVelocity *= DampingOver(body.angularDamping, dt);

    transform->position += body.velocity * dt;
    Math::Quaternion orientation = transform->orientation;
    orientation.Integrate(body.angularVelocity, dt);
    orientation.Normalize();
    transform->orientation = orientation;

    body.UpdateDerivedData();
    body.ClearAccumulators();

    if (body.canSleep)
    {
        const f32 current =
            body.velocity.Dot(body.velocity) + body.angularVelocity.Dot(body.angularVelocity);
        body.motion = RigidBodyComponent::MotionBias * body.motion +
                      (1.0f - RigidBodyComponent::MotionBias) * current;
        if (body.motion < RigidBodyComponent::SleepMotion)
            body.SetAwake(false);
        else if (body.motion > RigidBodyComponent::MaxMotion)
            body.motion = RigidBodyComponent::MaxMotion;
    }
}

void IntegrateRk4(RigidBodyComponent& body, f32 dt)
{
    TransformComponent* transform = FindOwnerTransform(body);
    if (transform == nullptr)
        return;

    Rk4State start;
    start.position = transform->position;
    start.momentum = body.momentum;
    start.orientation = transform->orientation;
    start.angularMomentum = body.angularMomentum;
    start.velocity = body.velocity;
    start.angularVelocity = body.angularVelocity;
    start.spin = Spin(body.angularVelocity, start.orientation);

    const f32 halfStep = dt * Half;
    const Rk4Derivative k1 = Evaluate(start, body);
    const Rk4Derivative k2 = Evaluate(Advance(start, k1, halfStep, body), body);
    const Rk4Derivative k3 = Evaluate(Advance(start, k2, halfStep, body), body);
    const Rk4Derivative k4 = Evaluate(Advance(start, k3, dt, body), body);

    const f32 weight = OneSixth * dt;
    Rk4State end = start;
    end.position += (k1.velocity + (k2.velocity + k3.velocity) * 2.0f + k4.velocity) * weight;
    end.momentum += (k1.force + (k2.force + k3.force) * 2.0f + k4.force) * weight;
    end.angularMomentum += (k1.torque + (k2.torque + k3.torque) * 2.0f + k4.torque) * weight;
    const Math::Quaternion spinSum = (k1.spin + (k2.spin + k3.spin) * 2.0f + k4.spin) * OneSixth;
    end.orientation = Turn(start.orientation, spinSum, dt);
    Recompute(end, body);

    transform->position = end.position;
    transform->orientation = end.orientation;
    body.momentum = end.momentum;
    body.angularMomentum = end.angularMomentum;
    body.velocity = end.velocity;
    body.angularVelocity = end.angularVelocity;
    body.spin = end.spin;
}

void IntegrateNothing(RigidBodyComponent&, f32) {}
} // namespace Physics
