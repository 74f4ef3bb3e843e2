#include "AI/AIComponent.h"
#include "AI/AISystem.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Objects/GameFactory.h"

QUILL_DEFINE_TYPE_RECORD(AI::AIComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace AI
{
AIComponent::AIComponent() : GameObjectComponent(true), m_ownerObject(nullptr), m_ownerObjectId(0)
{
}

AIComponent::~AIComponent()
{
    // A component destroyed without its Shutdown must not stay listed; leaving goes by address
    // only, so it is safe here.
    if (System::AISystem* system = System::AISystem::Instance())
        system->Unregister(this);
}

void AIComponent::Shutdown()
{
    if (System::AISystem* system = System::AISystem::Instance())
        system->Unregister(this);
}

void AIComponent::JoinSystem()
{
    if (System::AISystem* system = System::AISystem::Instance())
        system->Register(this);
}

GameObject* AIComponent::OwnerObject() const
{
    if (m_ownerObject != nullptr && m_ownerObjectId == m_owner)
        return m_ownerObject;
    if (m_owner == 0 || g_Engine == nullptr || g_Engine->GetFactory() == nullptr)
        return nullptr;
    m_ownerObject = g_Engine->GetFactory()->FindObject(m_owner);
    m_ownerObjectId = m_owner;
    return m_ownerObject;
}

void AIComponent::Post(Message* message, f32 delay)
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
} // namespace AI
