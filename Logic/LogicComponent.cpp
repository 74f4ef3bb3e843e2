#include "Logic/LogicComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
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

GameObjectComponent* LogicComponent::MakeComponent(std::string_view typeName) const
{
    GameFactory* factory = Engine::Factory();
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
    GameFactory* factory = Engine::Factory();
    if (component == nullptr || factory == nullptr)
        return;
    component->Shutdown();
    factory->DestroyComponent(component);
}

GameObject* LogicComponent::FindObject(u32 objectId)
{
    GameFactory* factory = Engine::Factory();
    return objectId != 0 && factory != nullptr ? factory->FindObject(objectId) : nullptr;
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
