#include "Core/Components/NaturalTypingComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Input/NaturalKeyboardMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include <algorithm>
#include <vector>

namespace
{
// The messages being forwarded right now, innermost last (a component of the object may type
// into another object while it handles one).
std::vector<const Message*> s_forwarding;
} // namespace

QUILL_DEFINE_TYPE_RECORD(NaturalTypingComponent, &TypeRecordOf<GameObjectComponent>(), false)

NaturalTypingComponent::NaturalTypingComponent() : GameObjectComponent(true)
{
    Core::RegisterWithSystem(SystemName, this);
}

NaturalTypingComponent::NaturalTypingComponent(const NaturalTypingComponent& source)
    : GameObjectComponent(source)
{
}

NaturalTypingComponent::~NaturalTypingComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void NaturalTypingComponent::RegisterMembers()
{
    TypeRecord& record = TypeRecordOf<NaturalTypingComponent>();
    record.SetConstruct(&ConstructDefaultOrCopy<NaturalTypingComponent>);
    record.SetDestroy(&DestroyInPlace<NaturalTypingComponent>);
    record.SetAssign(&AssignCopy<NaturalTypingComponent>);
}

void NaturalTypingComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void NaturalTypingComponent::HandleMessage(Message* message)
{
    // Only what the input system hands over is passed on: a message addressed to the object
    // (or its group) reaches every component already, and one being forwarded right now is on
    // its way back from the object.
    if (message == nullptr || message->type != NaturalKeyboardMessage::Type ||
        message->targetObjectId != 0 || message->targetGroupId != 0 ||
        std::find(s_forwarding.begin(), s_forwarding.end(), message) != s_forwarding.end())
        return;
    GameFactory* factory = Engine::Factory();
    GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    if (owner == nullptr)
        return;
    s_forwarding.push_back(message);
    owner->HandleMessage(message);
    s_forwarding.pop_back();
}
