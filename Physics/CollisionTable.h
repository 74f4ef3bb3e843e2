#pragma once
// The pair tests of collision detection, one per ordered pair of shape ids (ShapeId x 9 +
// ShapeId), found by table look-up instead of double dispatch. A test that finds a contact
// reports it through the ContactReporter with the normal pointing from the reported B toward
// the reported A; tests whose roles are swapped (a sphere against a box, say) report the
// colliders in the swapped order.
//
// Pairs without a test never touch: capsules with anything, circles with anything but circles,
// planes with anything but spheres.
#include "Math/Types.h"

namespace Physics
{
class ColliderComponent;
class ContactReporter;

class CollisionTable
{
public:
    // What moves the two objects, handed to the pair tests (which do not use it yet).
    enum ResolutionKind : u32
    {
        NoBodyResolution = 1,
        ParticleResolution = 2,
        RigidResolution = 3,
        RigidParticleResolution = 4,
        UnknownResolution = 65535,
    };
    using PairTest = bool (*)(const ColliderComponent& a, const ColliderComponent& b,
                              u32 resolutionKind, ContactReporter& reporter);

    CollisionTable();

    // Tests the pair with the table's test for their shapes, unless both are static rigid
    // bodies. Answers whether a contact was reported.
    bool Collide(const ColliderComponent& a, const ColliderComponent& b,
                 ContactReporter& reporter) const;
    // The test for the pair of shape ids, null when they never touch.
    PairTest Find(u32 shapeA, u32 shapeB) const;

private:
    static constexpr u32 Size = 9;
    PairTest m_tests[Size * Size];
};
} // namespace Physics
