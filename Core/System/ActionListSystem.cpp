#include "Core/System/ActionListSystem.h"
#include "Core/Components/ActionListComponent.h"
#include <algorithm>

namespace Core
{
namespace System
{
ActionListSystem* ActionListSystem::s_instance = nullptr;

ActionListSystem::ActionListSystem() : m_walking(false)
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
    m_walking = true;
    m_leftDuringWalk.clear();
    for (GameObjectComponent* component : snapshot)
    {
        if (std::find(m_leftDuringWalk.begin(), m_leftDuringWalk.end(), component) !=
            m_leftDuringWalk.end())
            continue;
        static_cast<ActionListComponent*>(component)->Update(seconds);
    }
    m_walking = false;
    m_leftDuringWalk.clear();
}

void ActionListSystem::Register(GameObjectComponent* component)
{
    if (component != nullptr)
        m_components.push_back(component);
}

void ActionListSystem::Unregister(GameObjectComponent* component)
{
    const auto found = std::find(m_components.begin(), m_components.end(), component);
    if (found == m_components.end())
        return;
    m_components.erase(found);
    if (m_walking)
        m_leftDuringWalk.push_back(component);
}
} // namespace System
} // namespace Core
