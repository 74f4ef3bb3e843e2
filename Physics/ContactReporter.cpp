#include "Physics/ContactReporter.h"
#include "Core/Engine.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Physics/ColliderComponent.h"
#include <algorithm>

namespace Physics
{
void ContactReporter::BeginStep()
{
    m_previous.swap(m_current);
    m_current.clear();
}

void ContactReporter::EndStep()
{
    std::sort(m_current.begin(), m_current.end());
}

bool ContactReporter::WasReported(u32 firstColliderId, u32 secondColliderId) const
{
    return std::binary_search(m_previous.begin(), m_previous.end(),
                              Key(firstColliderId, secondColliderId));
}

void ContactReporter::Report(const ColliderComponent& a, const ColliderComponent& b,
                             const Math::Vector4& normal)
{
    const bool isNew = !WasReported(a.GetId(), b.GetId());
    if (g_Engine != nullptr)
    {
        if ((b.Category & a.Mask) == 0)
            g_Engine->SendMessage(
                new CollideMessage(m_senderId, -normal, b.GetOwner(), isNew, a.GetOwner()), 0.0f);
        if ((a.Category & b.Mask) == 0)
            g_Engine->SendMessage(
                new CollideMessage(m_senderId, normal, a.GetOwner(), isNew, b.GetOwner()), 0.0f);
    }
    m_current.push_back(Key(a.GetId(), b.GetId()));
}
} // namespace Physics
