#include "AI/AIComponent.h"
#include "AI/AISystem.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Objects/GameFactory.h"

QUILL_DEFINE_TYPE_RECORD(AI::AIComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace AI
{
AIComponent::AIComponent() : GameObjectComponent(true) {}

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

} // namespace AI
