#pragma once
// Contacts between rigid bodies and the iterative resolver that separates them: first the
// deepest interpenetrations are removed by moving and turning both bodies in proportion to
// their inertia, then the contacts that close fastest receive impulses (with friction when the
// contact has any). All values are in world space unless they say otherwise.
//
// Room for every contact is reserved when the buffer is made; the physics system empties it
// every step. Nothing in the step fills it yet: collisions are reported as messages only.
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Types.h"
#include "Math/Vector4.h"
#include <memory>

namespace Physics
{
class RigidBodyComponent;

struct RigidContact
{
    // The second body may be null: a contact with the fixed world.
    RigidBodyComponent* bodies[2] = {nullptr, nullptr};
    Math::Vector4 normal; // from the second body toward the first
    Math::Point4 point;
    f32 penetration = 0.0f;
    f32 restitution = 0.0f;
    // Below MinFriction the contact is frictionless; also the limit of static friction.
    f32 friction = 0.0f;
    f32 dynamicFriction = 0.0f; // used while the contact slides

    // Derived by the resolver.
    f32 desiredDeltaVelocity = 0.0f;
    Math::Matrix4 basis;           // contact space to world: normal, then two tangents
    Math::Vector4 contactVelocity; // contact space
    Math::Vector4 relativePosition[2];
};

class ContactBuffer
{
public:
    static constexpr u32 Capacity = 1024;
    static constexpr u32 DefaultIterations = 4;
    static constexpr f32 DefaultEpsilon = 0.01f;

    ContactBuffer();

    void Clear() { m_count = 0; }
    // Appends a contact; null when the buffer is full.
    RigidContact* Add();
    // Resolves the first count contacts; nothing when there are none, either iteration count
    // is 0 or the position epsilon is negative.
    void Resolve(f32 dt);

    u32 GetCount() const { return m_count; }
    RigidContact& operator[](u32 i) { return m_contacts[i]; }

    u32 velocityIterations;
    u32 positionIterations;
    f32 velocityEpsilon;
    f32 positionEpsilon;
    u32 velocityIterationsUsed;
    u32 positionIterationsUsed;

private:
    void Prepare(f32 dt);
    void AdjustPositions();
    void AdjustVelocities(f32 dt);

    std::unique_ptr<RigidContact[]> m_contacts;
    u32 m_count;
};
} // namespace Physics
