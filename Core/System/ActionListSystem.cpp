#include "Core/System/ActionListSystem.h"
#include "Core/Components/ActionListComponent.h"
#include <algorithm>

namespace Core
{
namespace System
{
ActionListSystem* ActionListSystem::s_instance = nullptr;

ActionListSystem::ActionListSystem()
{
    m_name = "ActionListSystem";
    s_instance = this;
}

ActionListSystem::~ActionListSystem()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void ActionListSystem::Update(f32 seconds)
{
    const std::vector<GameObjectComponent*> snapshot(m_components.begin(), m_components.end());
    for (GameObjectComponent* component : snapshot)
    {
        // One that left during the walk (an action destroyed its object) is not stepped.
        if (!m_components.Contains(component))
            continue;
        static_cast<ActionListComponent*>(component)->Update(seconds);
    }
}

void ActionListSystem::Register(GameObjectComponent* component)
{
    if (component != nullptr)
        m_components.Add(component);
}

void ActionListSystem::Unregister(GameObjectComponent* component)
{
    m_components.Remove(component);
}
} // namespace System
} // namespace Core
