#include "Physics/CollisionTable.h"
#include "Math/Intersection.h"
#include "Physics/AABoxColliderComponent.h"
#include "Physics/CircleColliderComponent.h"
#include "Physics/ContactReporter.h"
#include "Physics/HalfSpaceColliderComponent.h"
#include "Physics/PlaneColliderComponent.h"
#include "Physics/RigidBodyComponent.h"
#include "Physics/SphereColliderComponent.h"
#include <cfloat>
#include <cmath>

namespace Physics
{
namespace
{
// Edge-cross axes shorter than this (squared) come from nearly parallel edges and are skipped.
constexpr f32 MinAxisLengthSquared = 0.001f;
constexpr u32 BoxAxisCount = 15;
constexpr u32 FaceAxisCount = 3;

const AABoxColliderComponent& AsBox(const ColliderComponent& c)
{
    return static_cast<const AABoxColliderComponent&>(c);
}
const SphereColliderComponent& AsSphere(const ColliderComponent& c)
{
    return static_cast<const SphereColliderComponent&>(c);
}
const CircleColliderComponent& AsCircle(const ColliderComponent& c)
{
    return static_cast<const CircleColliderComponent&>(c);
}
const PlaneColliderComponent& AsPlane(const ColliderComponent& c)
{
    return static_cast<const PlaneColliderComponent&>(c);
}
const HalfSpaceColliderComponent& AsHalfSpace(const ColliderComponent& c)
{
    return static_cast<const HalfSpaceColliderComponent&>(c);
}

Math::Vector4 Normalised(Math::Vector4 v)
{
    v.Normalize();
    return v;
}

// Column i of the box's world matrix (its axis i for i < 3).
Math::Vector4 Axis(const Math::Matrix4& world, u32 i)
{
    return Math::Vector4(world.m[i], world.m[4 + i], world.m[8 + i], world.m[12 + i]);
}

// Half the box's extent along the direction.
f32 ProjectedRadius(const AABoxColliderComponent& box, const Math::Vector4& direction)
{
    const Math::Matrix4& world = box.GetWorldTransform();
    const Math::Vector4& h = box.GetHalfExtents();
    return h.x * std::fabs(direction.Dot(Axis(world, 0))) +
           h.y * std::fabs(direction.Dot(Axis(world, 1))) +
           h.z * std::fabs(direction.Dot(Axis(world, 2)));
}

bool CircleCircle(const ColliderComponent& a, const ColliderComponent& b, u32,
                  ContactReporter& reporter)
{
    const Math::Circle3& ca = AsCircle(a).GetCircle();
    const Math::Circle3& cb = AsCircle(b).GetCircle();
    const Math::Vector4 offset = ca.centre - cb.centre;
    const f32 reach = ca.radius + cb.radius;
    if (!(reach * reach > offset.Dot(offset)))
        return false;
    Math::Vector4 normal = Normalised(offset);
    normal.y = 0.0f;
    reporter.Report(a, b, normal);
    return true;
}

bool SphereSphere(const ColliderComponent& a, const ColliderComponent& b, u32,
                  ContactReporter& reporter)
{
    const Math::Sphere3& sa = AsSphere(a).GetSphere();
    const Math::Sphere3& sb = AsSphere(b).GetSphere();
    Math::IntersectSphere3Sphere3 query(sa, sb);
    if (!query.Test())
        return false;
    reporter.Report(a, b, Normalised(sa.centre - sb.centre));
    return true;
}

// Sphere a against plane b.
bool SpherePlane(const ColliderComponent& a, const ColliderComponent& b, u32,
                 ContactReporter& reporter)
{
    const Math::Sphere3& sphere = AsSphere(a).GetSphere();
    const Math::Plane& plane = AsPlane(b).GetPlane();
    if (!(plane.SignedDistance(sphere.centre) <= sphere.radius))
        return false;
    reporter.Report(a, b, plane.GetNormal());
    return true;
}

bool PlaneSphere(const ColliderComponent& a, const ColliderComponent& b, u32 kind,
                 ContactReporter& reporter)
{
    return SpherePlane(b, a, kind, reporter);
}

// Sphere a against half-space b.
bool SphereHalfSpace(const ColliderComponent& a, const ColliderComponent& b, u32,
                     ContactReporter& reporter)
{
    const Math::Sphere3& sphere = AsSphere(a).GetSphere();
    const HalfSpaceColliderComponent& half = AsHalfSpace(b);
    if (!(half.GetNormal().Dot(sphere.centre) - sphere.radius - half.GetOffset() < 0.0f))
        return false;
    reporter.Report(a, b, half.GetNormal());
    return true;
}

bool HalfSpaceSphere(const ColliderComponent& a, const ColliderComponent& b, u32 kind,
                     ContactReporter& reporter)
{
    return SphereHalfSpace(b, a, kind, reporter);
}

// Box a against half-space b.
bool BoxHalfSpace(const ColliderComponent& a, const ColliderComponent& b, u32,
                  ContactReporter& reporter)
{
    const AABoxColliderComponent& box = AsBox(a);
    const HalfSpaceColliderComponent& half = AsHalfSpace(b);
    const Math::Vector4& normal = half.GetNormal();
    const f32 radius = ProjectedRadius(box, normal);
    const Math::Vector4 centre = Axis(box.GetWorldTransform(), 3);
    if (!(normal.Dot(centre) - radius <= half.GetOffset()))
        return false;
    reporter.Report(a, b, normal);
    return true;
}

bool HalfSpaceBox(const ColliderComponent& a, const ColliderComponent& b, u32 kind,
                  ContactReporter& reporter)
{
    return BoxHalfSpace(b, a, kind, reporter);
}

f32 Clamp(f32 value, f32 limit)
{
    return std::fmin(std::fmax(value, -limit), limit);
}

// Box a against sphere b.
bool BoxSphere(const ColliderComponent& a, const ColliderComponent& b, u32,
               ContactReporter& reporter)
{
    const AABoxColliderComponent& box = AsBox(a);
    const Math::Sphere3& sphere = AsSphere(b).GetSphere();
    const Math::Matrix4& world = box.GetWorldTransform();
    const Math::Vector4& h = box.GetHalfExtents();
    const f32 r = sphere.radius;
    const Math::Point4 p = world.InverseTransformPoint(sphere.centre);
    if (std::fabs(p.x) - r > h.x || std::fabs(p.y) - r > h.y || std::fabs(p.z) - r > h.z)
        return false;
    const Math::Point4 q(Clamp(p.x, h.x), Clamp(p.y, h.y), Clamp(p.z, h.z), 1.0f);
    if ((q - p).Length() > r)
        return false;
    const Math::Vector4 nearest = world * q;
    reporter.Report(a, b, Normalised(nearest - sphere.centre));
    return true;
}

bool SphereBox(const ColliderComponent& a, const ColliderComponent& b, u32 kind,
               ContactReporter& reporter)
{
    return BoxSphere(b, a, kind, reporter);
}

bool BoxBox(const ColliderComponent& a, const ColliderComponent& b, u32, ContactReporter& reporter)
{
    const AABoxColliderComponent& boxA = AsBox(a);
    const AABoxColliderComponent& boxB = AsBox(b);
    const Math::Vector4 t = boxB.GetCenter() - boxA.GetCenter();
    Math::Vector4 axesA[FaceAxisCount];
    Math::Vector4 axesB[FaceAxisCount];
    for (u32 i = 0; i < FaceAxisCount; ++i)
    {
        axesA[i] = Axis(boxA.GetWorldTransform(), i);
        axesB[i] = Axis(boxB.GetWorldTransform(), i);
    }
    f32 smallest = FLT_MAX;
    u32 best = 0;
    for (u32 index = 0; index < BoxAxisCount; ++index)
    {
        Math::Vector4 axis;
        if (index < FaceAxisCount)
            axis = axesA[index];
        else if (index < 2 * FaceAxisCount)
            axis = axesB[index - FaceAxisCount];
        else
            axis = axesA[(index - 6) / 3].Cross(axesB[(index - 6) % 3]);
        if (axis.LengthSquared() < MinAxisLengthSquared)
            continue;
        axis.Normalize();
        const f32 overlap =
            ProjectedRadius(boxA, axis) + ProjectedRadius(boxB, axis) - std::fabs(t.Dot(axis));
        if (overlap < 0.0f)
            return false;
        if (overlap < smallest)
        {
            smallest = overlap;
            best = index;
        }
    }
    Math::Vector4 normal;
    if (best < FaceAxisCount)
        normal = axesA[best];
    else if (best < 2 * FaceAxisCount)
        normal = axesB[best - FaceAxisCount];
    else
        normal = Normalised(axesA[(best - 6) / 3].Cross(axesB[(best - 6) % 3]));
    if (normal.Dot(t) > 0.0f)
        normal = normal * -1.0f;
    reporter.Report(a, b, normal);
    return true;
}

bool BothStatic(const ColliderComponent& a, const ColliderComponent& b)
{
    const RigidBodyComponent* bodyA = a.GetRigidBody();
    const RigidBodyComponent* bodyB = b.GetRigidBody();
    return bodyA != nullptr && bodyB != nullptr && bodyA->IsStatic() && bodyB->IsStatic();
}
} // namespace

CollisionTable::CollisionTable() : m_tests()
{
    using S = ColliderComponent::ShapeId;
    auto set = [this](u32 a, u32 b, PairTest test) { m_tests[a * Size + b] = test; };
    set(S::CircleShape, S::CircleShape, &CircleCircle);
    set(S::AABoxShape, S::AABoxShape, &BoxBox);
    set(S::AABoxShape, S::SphereShape, &BoxSphere);
    set(S::SphereShape, S::AABoxShape, &SphereBox);
    set(S::AABoxShape, S::HalfSpaceShape, &BoxHalfSpace);
    set(S::HalfSpaceShape, S::AABoxShape, &HalfSpaceBox);
    set(S::SphereShape, S::SphereShape, &SphereSphere);
    set(S::SphereShape, S::PlaneShape, &SpherePlane);
    set(S::PlaneShape, S::SphereShape, &PlaneSphere);
    set(S::SphereShape, S::HalfSpaceShape, &SphereHalfSpace);
    set(S::HalfSpaceShape, S::SphereShape, &HalfSpaceSphere);
}

CollisionTable::PairTest CollisionTable::Find(u32 shapeA, u32 shapeB) const
{
    if (shapeA >= Size || shapeB >= Size)
        return nullptr;
    return m_tests[shapeA * Size + shapeB];
}

bool CollisionTable::Collide(const ColliderComponent& a, const ColliderComponent& b,
                             ContactReporter& reporter) const
{
    u32 kind = UnknownResolution;
    switch (a.GetBodyKind() | b.GetBodyKind())
    {
    case 1:
        kind = NoBodyResolution;
        break;
    case 2:
    case 3:
        kind = ParticleResolution;
        break;
    case 4:
        if (BothStatic(a, b))
            return false;
        kind = RigidResolution;
        break;
    case 5:
        kind = RigidResolution;
        break;
    case 6:
        kind = RigidParticleResolution;
        break;
    default:
        break;
    }
    const PairTest test = Find(a.GetShapeId(), b.GetShapeId());
    return test != nullptr && test(a, b, kind, reporter);
}
} // namespace Physics
