#pragma once
// Reports contacts found by the pair tests: posts a CollideMessage to each object of the pair
// that does not ignore the other and records the pair, so that the next step can tell a new
// contact from a continuing one.
//
// Pairs are recorded by the colliders' component ids, ordered (first, second) as reported: ids
// are never reused, so a collider made where a destroyed one stood cannot inherit its contacts.
// Both steps' records live in sorted arrays that keep their storage from step to step, so a
// steady step allocates nothing here.
#include "Math/Types.h"
#include "Math/Vector4.h"
#include <vector>

namespace Physics
{
class ColliderComponent;

class ContactReporter
{
public:
    // The sender id of the messages (the physics system's id).
    explicit ContactReporter(u32 senderId = 0) : m_senderId(senderId) {}

    void SetSenderId(u32 senderId) { m_senderId = senderId; }
    // The current step's pairs become the previous step's; the current list starts empty.
    void BeginStep();
    // Sorts the current step's pairs for the next step's look-ups.
    void EndStep();

    // normal points from b toward a: a is told -normal, b is told normal. A side whose Mask
    // holds a bit of the other's Category is not told; the pair is recorded either way.
    void Report(const ColliderComponent& a, const ColliderComponent& b,
                const Math::Vector4& normal);

    // Whether the ordered pair was reported in the previous step.
    bool WasReported(u32 firstColliderId, u32 secondColliderId) const;
    // Pairs reported so far in the current step (in report order until EndStep).
    std::size_t GetCurrentCount() const { return m_current.size(); }

private:
    static u64 Key(u32 first, u32 second) { return (static_cast<u64>(first) << 32) | second; }

    std::vector<u64> m_previous; // sorted
    std::vector<u64> m_current;
    u32 m_senderId;
};
} // namespace Physics
