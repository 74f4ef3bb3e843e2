#include "Core/Objects/GameObject.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObjectComponent.h"

namespace
{
GameFactory* EngineFactory()
{
    return Engine::Factory();
}

// Components that did not come from a factory (no engine) are plain heap objects.
void DestroyThroughFactory(GameFactory* factory, GameObjectComponent*& component)
{
    if (factory != nullptr)
    {
        factory->DestroyComponent(component);
        return;
    }
    delete component;
    component = nullptr;
}

// The last component-list number handed out, shared by all objects (main thread only).
u64 s_lastComponentListVersion = 0;
} // namespace

GameObject::GameObject()
    : m_componentListVersion(0), m_creatorId(0), m_creatingScriptId(0), m_id(0), m_groupId(0)
{
    ComponentListChanged();
}

void GameObject::ComponentListChanged()
{
    m_componentListVersion = ++s_lastComponentListVersion;
}

GameObject::~GameObject()
{
    DestroyComponents(EngineFactory());
}

void GameObject::DestroyComponents(GameFactory* factory)
{
    // Each entry is unlinked before its Shutdown runs, so a Shutdown that removes or looks up
    // other components of this object sees a consistent list.
    while (!m_components.empty())
    {
        GameObjectComponent* component = m_components.back().component;
        m_components.pop_back();
        ComponentListChanged();
        component->Shutdown();
        DestroyThroughFactory(factory, component);
    }
}

GameObjectComponent* GameObject::AddComponent(GameObjectComponent* component)
{
    if (component == nullptr)
        return nullptr;
    m_components.push_back(ComponentEntry{component->GetType(), component});
    ComponentListChanged();
    component->SetOwner(m_id);
    return component;
}

std::size_t GameObject::FindById(u32 componentId) const
{
    // Ids only grow: a component id below the object's own id was created before the object,
    // and by rule such a component is not looked up by id.
    if (componentId < m_id)
        return m_components.size();
    for (std::size_t i = 0; i < m_components.size(); ++i)
    {
        if (m_components[i].component->GetId() == componentId)
            return i;
    }
    return m_components.size();
}

void GameObject::RemoveComponent(u32 componentId)
{
    const std::size_t index = FindById(componentId);
    if (index == m_components.size())
        return;
    GameObjectComponent* component = m_components[index].component;
    m_components.erase(m_components.begin() + static_cast<std::ptrdiff_t>(index));
    ComponentListChanged();
    component->Shutdown();
    DestroyThroughFactory(EngineFactory(), component);
}

GameObjectComponent* GameObject::GetComponent(u32 typeId) const
{
    for (const ComponentEntry& entry : m_components)
    {
        if (entry.typeId == typeId)
            return entry.component;
    }
    return nullptr;
}

std::vector<GameObjectComponent*> GameObject::GetComponents(u32 typeId) const
{
    std::vector<GameObjectComponent*> found;
    GetComponents(typeId, found);
    return found;
}

void GameObject::GetComponents(u32 typeId, std::vector<GameObjectComponent*>& found) const
{
    found.clear();
    for (const ComponentEntry& entry : m_components)
    {
        if (entry.typeId == typeId)
            found.push_back(entry.component);
    }
}

GameObjectComponent* GameObject::GetComponentById(u32 componentId) const
{
    const std::size_t index = FindById(componentId);
    return index < m_components.size() ? m_components[index].component : nullptr;
}

void GameObject::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case AddComponentMessage::Type:
    {
        // The object takes the component over; the message no longer destroys it.
        auto* add = static_cast<AddComponentMessage*>(message);
        AddComponent(add->component);
        add->component = nullptr;
        break;
    }
    case RemoveComponentMessage::Type:
        RemoveComponent(static_cast<RemoveComponentMessage*>(message)->componentId);
        break;
    default:
        // Indexed walk: a handler may add components (they are reached too) or remove them
        // directly (the walk then skips at most the one that moved into the removed slot).
        for (std::size_t i = 0; i < m_components.size(); ++i)
            m_components[i].component->HandleMessage(message);
        break;
    }
}
