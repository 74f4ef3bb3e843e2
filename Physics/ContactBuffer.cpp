#include "Physics/ContactBuffer.h"
#include "Core/Components/TransformComponent.h"
#include "Math/Quaternion.h"
#include "Physics/OwnerLookup.h"
#include "Physics/RigidBodyComponent.h"
#include <cmath>
#include <utility>

namespace Physics
{
namespace
{
// Closing speeds below this bounce without restitution, so resting contacts do not jitter.
constexpr f32 RestingSpeed = 0.25f;
// How far a turn may carry a contact point, as a part of its distance from the normal line.
constexpr f32 AngularLimit = 0.2f;
// Angular moves below this are not made at all.
constexpr f32 MinAngularMove = 0.001f;
// Friction below this counts as none.
constexpr f32 MinFriction = 0.001f;
constexpr f32 InverseTolerance = 1e-5f;

// basis^T v: a world vector in contact space.
Math::Vector4 ToContact(const Math::Matrix4& basis, const Math::Vector4& v)
{
    return basis.InverseRotateVector(v);
}

Math::Vector4 ToWorld(const Math::Matrix4& basis, const Math::Vector4& v)
{
    const f32* m = basis.m;
    return Math::Vector4(m[0] * v.x + m[1] * v.y + m[2] * v.z, m[4] * v.x + m[5] * v.y + m[6] * v.z,
                         m[8] * v.x + m[9] * v.y + m[10] * v.z, 0.0f);
}

void MakeBasis(RigidContact& contact)
{
    const Math::Vector4& n = contact.normal;
    Math::Vector4 tangent;
    if (std::fabs(n.x) > std::fabs(n.y))
    {
        const f32 s = 1.0f / std::sqrt(n.x * n.x + n.z * n.z);
        tangent = Math::Vector4(n.z * s, 0.0f, -n.x * s, 0.0f);
    }
    else
    {
        const f32 s = 1.0f / std::sqrt(n.y * n.y + n.z * n.z);
        tangent = Math::Vector4(0.0f, -n.z * s, n.y * s, 0.0f);
    }
    const Math::Vector4 third = n.Cross(tangent);
    contact.basis = Math::Matrix4();
    contact.basis.SetColumn(0, Math::Vector4(n.x, n.y, n.z, 0.0f));
    contact.basis.SetColumn(1, tangent);
    contact.basis.SetColumn(2, third);
}

Math::Vector4 LocalVelocity(const RigidContact& contact, u32 side, f32 dt)
{
    const RigidBodyComponent& body = *contact.bodies[side];
    const Math::Vector4 world =
        body.GetAngularVelocity().Cross(contact.relativePosition[side]) + body.GetVelocity();
    Math::Vector4 local = ToContact(contact.basis, world);
    Math::Vector4 fromAcceleration = ToContact(contact.basis, body.lastAcceleration * dt);
    fromAcceleration.x = 0.0f;
    return local + fromAcceleration;
}

void ComputeDesiredDeltaVelocity(RigidContact& contact, f32 dt)
{
    f32 fromAcceleration = 0.0f;
    if (contact.bodies[0]->IsAwake())
        fromAcceleration += (contact.bodies[0]->lastAcceleration * dt).Dot(contact.normal);
    if (contact.bodies[1] != nullptr && contact.bodies[1]->IsAwake())
        fromAcceleration -= (contact.bodies[1]->lastAcceleration * dt).Dot(contact.normal);
    const f32 closing = contact.contactVelocity.x;
    const f32 restitution = std::fabs(closing) < RestingSpeed ? 0.0f : contact.restitution;
    contact.desiredDeltaVelocity = -closing - restitution * (closing - fromAcceleration);
}

// ((I^-1 (r x n)) x r) . n: the change of speed along n per unit impulse through the turn.
f32 AngularInertia(const RigidBodyComponent& body, const Math::Vector4& r, const Math::Vector4& n)
{
    const Math::Vector4 perUnit = body.worldInverseInertia * r.Cross(n);
    return perUnit.Cross(r).Dot(n);
}

// Moves a body by a linear change and turns it by an angular change.
void MoveBody(RigidBodyComponent& body, const Math::Vector4& linear, const Math::Vector4& angular)
{
    TransformComponent* transform = FindOwnerTransform(body);
    if (transform == nullptr)
        return;
    transform->position += linear;
    Math::Quaternion orientation = transform->orientation;
    orientation.Integrate(angular, 1.0f);
    orientation.Normalize();
    transform->orientation = orientation;
    if (!body.IsAwake())
        body.UpdateDerivedData();
}

// The velocity change per unit impulse in contact space, with the inverse masses on the
// diagonal; element 15 is 1 so that it can be inverted.
Math::Matrix4 VelocityPerImpulse(const RigidContact& contact)
{
    Math::Matrix4 world(true);
    f32 inverseMass = 0.0f;
    for (u32 side = 0; side < 2; ++side)
    {
        const RigidBodyComponent* body = contact.bodies[side];
        if (body == nullptr)
            continue;
        const Math::Matrix4 toTorque = Math::Matrix4::SkewSymmetric(contact.relativePosition[side]);
        Math::Matrix4 change = toTorque * body->worldInverseInertia * toTorque;
        change *= -1.0f;
        world += change;
        inverseMass += body->GetInverseMass();
    }
    Math::Matrix4 basisT;
    contact.basis.Transpose(basisT);
    Math::Matrix4 local = basisT * world * contact.basis;
    local.m[0] += inverseMass;
    local.m[5] += inverseMass;
    local.m[10] += inverseMass;
    for (int i = 3; i < 15; i += 4)
        local.m[i] = 0.0f;
    local.m[12] = local.m[13] = local.m[14] = 0.0f;
    local.m[15] = 1.0f;
    return local;
}

Math::Vector4 ImpulseInContactSpace(const RigidContact& contact)
{
    const Math::Vector4& n = contact.normal;
    if (contact.friction < MinFriction)
    {
        f32 perUnit = 0.0f;
        for (u32 side = 0; side < 2; ++side)
        {
            const RigidBodyComponent* body = contact.bodies[side];
            if (body != nullptr)
                perUnit += AngularInertia(*body, contact.relativePosition[side], n) +
                           body->GetInverseMass();
        }
        return Math::Vector4(contact.desiredDeltaVelocity / perUnit, 0.0f, 0.0f, 0.0f);
    }
    const Math::Matrix4 deltaVelocity = VelocityPerImpulse(contact);
    Math::Matrix4 impulsePerVelocity(true);
    deltaVelocity.Inverse(impulsePerVelocity, InverseTolerance);
    const Math::Vector4 kill(contact.desiredDeltaVelocity, -contact.contactVelocity.y,
                             -contact.contactVelocity.z, 0.0f);
    Math::Vector4 impulse = impulsePerVelocity * kill;
    const f32 planar = std::sqrt(impulse.y * impulse.y + impulse.z * impulse.z);
    if (planar > contact.friction * impulse.x)
    {
        impulse.y /= planar;
        impulse.z /= planar;
        const f32 mu = contact.dynamicFriction;
        const f32* d = deltaVelocity.m;
        impulse.x =
            contact.desiredDeltaVelocity / (d[0] + d[1] * mu * impulse.y + d[2] * mu * impulse.z);
        impulse.y *= impulse.x * mu;
        impulse.z *= impulse.x * mu;
    }
    impulse.w = 0.0f;
    return impulse;
}

// The contact with the largest value of the field above the threshold, among those with a
// first body, or count when there is none: the one each resolution pass takes next. The earliest
// wins a tie.
u32 FindWorstContact(const RigidContact* contacts, u32 count, f32 RigidContact::*field,
                     f32 threshold)
{
    f32 worst = threshold;
    u32 chosen = count;
    for (u32 i = 0; i < count; ++i)
    {
        if (contacts[i].bodies[0] != nullptr && contacts[i].*field > worst)
        {
            worst = contacts[i].*field;
            chosen = i;
        }
    }
    return chosen;
}
} // namespace

ContactBuffer::ContactBuffer()
    : velocityIterations(DefaultIterations), positionIterations(DefaultIterations),
      velocityEpsilon(DefaultEpsilon), positionEpsilon(DefaultEpsilon), velocityIterationsUsed(0),
      positionIterationsUsed(0), m_contacts(std::make_unique<RigidContact[]>(Capacity)), m_count(0)
{
}

RigidContact* ContactBuffer::Add()
{
    if (m_count >= Capacity)
        return nullptr;
    m_contacts[m_count] = RigidContact();
    return &m_contacts[m_count++];
}

void ContactBuffer::Resolve(f32 dt)
{
    velocityIterationsUsed = 0;
    positionIterationsUsed = 0;
    if (m_count == 0 || velocityIterations == 0 || positionIterations == 0 ||
        positionEpsilon < 0.0f)
        return;
    Prepare(dt);
    AdjustPositions();
    AdjustVelocities(dt);
}

void ContactBuffer::Prepare(f32 dt)
{
    for (u32 i = 0; i < m_count; ++i)
    {
        RigidContact& contact = m_contacts[i];
        if (contact.bodies[0] == nullptr)
        {
            contact.normal = contact.normal * -1.0f;
            std::swap(contact.bodies[0], contact.bodies[1]);
        }
        if (contact.bodies[0] == nullptr)
            continue;
        MakeBasis(contact);
        for (u32 side = 0; side < 2; ++side)
        {
            if (contact.bodies[side] != nullptr)
                contact.relativePosition[side] =
                    contact.point - contact.bodies[side]->GetPosition();
        }
        contact.contactVelocity = LocalVelocity(contact, 0, dt);
        if (contact.bodies[1] != nullptr)
            contact.contactVelocity -= LocalVelocity(contact, 1, dt);
        ComputeDesiredDeltaVelocity(contact, dt);
    }
}

void ContactBuffer::AdjustPositions()
{
    while (positionIterationsUsed < positionIterations)
    {
        const u32 chosen = FindWorstContact(m_contacts.get(), m_count, &RigidContact::penetration,
                                            positionEpsilon);
        if (chosen == m_count)
            break;

        RigidContact& contact = m_contacts[chosen];
        const Math::Vector4& n = contact.normal;
        f32 angularInertia[2] = {0.0f, 0.0f};
        f32 linearInertia[2] = {0.0f, 0.0f};
        f32 total = 0.0f;
        for (u32 side = 0; side < 2; ++side)
        {
            if (contact.bodies[side] == nullptr)
                continue;
            angularInertia[side] =
                AngularInertia(*contact.bodies[side], contact.relativePosition[side], n);
            linearInertia[side] = contact.bodies[side]->GetInverseMass();
            total += angularInertia[side] + linearInertia[side];
        }
        Math::Vector4 linearChange[2];
        Math::Vector4 angularChange[2];
        for (u32 side = 0; side < 2 && total != 0.0f; ++side)
        {
            RigidBodyComponent* body = contact.bodies[side];
            if (body == nullptr)
                continue;
            const f32 sign = side == 0 ? 1.0f : -1.0f;
            f32 angularMove = sign * contact.penetration * angularInertia[side] / total;
            f32 linearMove = sign * contact.penetration * linearInertia[side] / total;
            const Math::Vector4& r = contact.relativePosition[side];
            const f32 limit = AngularLimit * (r - n * r.Dot(n)).Length();
            if (angularMove < -limit || angularMove > limit)
            {
                const f32 sum = angularMove + linearMove;
                angularMove = angularMove < -limit ? -limit : limit;
                linearMove = sum - angularMove;
            }
            if (std::fabs(angularMove) >= MinAngularMove)
                angularChange[side] =
                    body->worldInverseInertia * r.Cross(n) * (angularMove / angularInertia[side]);
            linearChange[side] = n * linearMove;
            MoveBody(*body, linearChange[side], angularChange[side]);
        }

        for (u32 i = 0; i < m_count; ++i)
        {
            RigidContact& other = m_contacts[i];
            for (u32 otherSide = 0; otherSide < 2; ++otherSide)
            {
                if (other.bodies[otherSide] == nullptr)
                    continue;
                for (u32 side = 0; side < 2; ++side)
                {
                    if (other.bodies[otherSide] != contact.bodies[side])
                        continue;
                    const Math::Vector4 delta =
                        linearChange[side] +
                        angularChange[side].Cross(other.relativePosition[otherSide]);
                    other.penetration += delta.Dot(other.normal) * (otherSide == 1 ? 1.0f : -1.0f);
                }
            }
        }
        ++positionIterationsUsed;
    }
}

void ContactBuffer::AdjustVelocities(f32 dt)
{
    while (velocityIterationsUsed < velocityIterations)
    {
        const u32 chosen = FindWorstContact(m_contacts.get(), m_count,
                                            &RigidContact::desiredDeltaVelocity, velocityEpsilon);
        if (chosen == m_count)
            break;

        RigidContact& contact = m_contacts[chosen];
        if (contact.bodies[1] != nullptr &&
            contact.bodies[0]->IsAwake() != contact.bodies[1]->IsAwake())
        {
            if (!contact.bodies[0]->IsAwake())
                contact.bodies[0]->SetAwake(true);
            else
                contact.bodies[1]->SetAwake(true);
        }

        const Math::Vector4 impulse = ToWorld(contact.basis, ImpulseInContactSpace(contact));
        Math::Vector4 velocityChange[2];
        Math::Vector4 rotationChange[2];
        for (u32 side = 0; side < 2; ++side)
        {
            RigidBodyComponent* body = contact.bodies[side];
            if (body == nullptr)
                continue;
            const Math::Vector4 applied = side == 0 ? impulse : impulse * -1.0f;
            velocityChange[side] = applied * body->GetInverseMass();
            rotationChange[side] =
                body->worldInverseInertia * contact.relativePosition[side].Cross(applied);
            body->SetVelocity(body->GetVelocity() + velocityChange[side]);
            body->SetAngularVelocity(body->GetAngularVelocity() + rotationChange[side]);
        }

        for (u32 i = 0; i < m_count; ++i)
        {
            RigidContact& other = m_contacts[i];
            bool changed = false;
            for (u32 otherSide = 0; otherSide < 2; ++otherSide)
            {
                if (other.bodies[otherSide] == nullptr)
                    continue;
                for (u32 side = 0; side < 2; ++side)
                {
                    if (other.bodies[otherSide] != contact.bodies[side])
                        continue;
                    const Math::Vector4 delta =
                        velocityChange[side] +
                        rotationChange[side].Cross(other.relativePosition[otherSide]);
                    other.contactVelocity +=
                        ToContact(other.basis, delta) * (otherSide == 1 ? -1.0f : 1.0f);
                    changed = true;
                }
            }
            if (changed)
                ComputeDesiredDeltaVelocity(other, dt);
        }
        ++velocityIterationsUsed;
    }
}
} // namespace Physics
