#include "Logic/LogicComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Core/Messages/Message.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Logic/LogicSystem.h"

QUILL_DEFINE_TYPE_RECORD(Logic::LogicComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Logic
{
LogicComponent::LogicComponent() : GameObjectComponent(true)
{
    if (System::LogicSystem* system = System::LogicSystem::Instance())
        system->Add(this);
}

LogicComponent::~LogicComponent()
{
    // A component destroyed without its Shutdown (one never given to an object) must not stay
    // in the system's list.
    if (System::LogicSystem* system = System::LogicSystem::Instance())
        system->Remove(this);
}

void LogicComponent::Shutdown()
{
    if (System::LogicSystem* system = System::LogicSystem::Instance())
        system->Unregister(this);
}

GameObject* LogicComponent::OwnerObject() const
{
    if (m_owner == 0 || g_Engine == nullptr || g_Engine->GetFactory() == nullptr)
        return nullptr;
    return g_Engine->GetFactory()->FindObject(m_owner);
}

void LogicComponent::Post(Message* message, f32 delay)
{
    if (message == nullptr)
        return;
    if (g_Engine == nullptr)
    {
        DestroyMessage(message);
        return;
    }
    g_Engine->SendMessage(message, delay);
}

GameObjectComponent* LogicComponent::MakeComponent(std::string_view typeName) const
{
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
    GameObjectComponent* component = nullptr;
    try
    {
        component = factory != nullptr ? factory->CreateComponent(typeName) : nullptr;
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [" << GetName() << "]: no room for a " << typeName << " (object "
                    << m_owner << "): " << exception.what() << '\n';
        return nullptr;
    }
    if (component == nullptr)
        Core::Log() << "Error [" << GetName() << "]: the component factory makes no " << typeName
                    << " (object " << m_owner << "), nothing is created\n";
    return component;
}

void LogicComponent::Discard(GameObjectComponent* component)
{
    if (component == nullptr || g_Engine == nullptr || g_Engine->GetFactory() == nullptr)
        return;
    component->Shutdown();
    g_Engine->GetFactory()->DestroyComponent(component);
}

GameObject* LogicComponent::FindObject(u32 objectId)
{
    if (objectId == 0 || g_Engine == nullptr || g_Engine->GetFactory() == nullptr)
        return nullptr;
    return g_Engine->GetFactory()->FindObject(objectId);
}

bool LogicComponent::HoldsComponentNamed(const GameObject& object, std::string_view name)
{
    for (const GameObject::ComponentEntry& entry : object.GetComponentList())
    {
        if (entry.component != nullptr && entry.component->GetName() == name)
            return true;
    }
    return false;
}
} // namespace Logic

namespace Logic
{
void LogicComponent::ShowText(const std::string& text, const Math::ColorRGBA& colour,
                              GameObject& target, f32 seconds)
{
    if (System::LogicSystem* system = System::LogicSystem::Instance())
        system->CreateDamageText(text, colour, target, seconds);
}
} // namespace Logic
