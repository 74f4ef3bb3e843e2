#include "Logic/LogicComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Objects/GameFactory.h"
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
} // namespace Logic
