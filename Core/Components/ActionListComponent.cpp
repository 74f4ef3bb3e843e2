#include "Core/Components/ActionListComponent.h"
#include "Core/Actions/Action.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/ActionMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"

QUILL_DEFINE_TYPE_RECORD(ActionListComponent, &TypeRecordOf<GameObjectComponent>(), false)

ActionListComponent::ActionListComponent() : GameObjectComponent(true)
{
    Core::RegisterWithSystem(SystemName, this);
}

ActionListComponent::ActionListComponent(const ActionListComponent& source)
    : GameObjectComponent(source)
{
}

ActionListComponent& ActionListComponent::operator=(const ActionListComponent& source)
{
    m_owner = source.m_owner;
    m_id = source.m_id;
    return *this;
}

ActionListComponent::~ActionListComponent()
{
    // Shutdown has normally done both already; a component destroyed in place through its type
    // record has not.
    Core::UnregisterFromSystem(SystemName, this);
    DestroyActions();
}

void ActionListComponent::RegisterMembers()
{
    TypeRecord& record = TypeRecordOf<ActionListComponent>();
    record.SetConstruct(&ConstructDefaultOrCopy<ActionListComponent>);
    record.SetDestroy(&DestroyInPlace<ActionListComponent>);
    record.SetAssign(&AssignCopy<ActionListComponent>);
}

void ActionListComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
    DestroyActions();
}

void ActionListComponent::DestroyActions()
{
    // Taken out first: each destructor posts a message, and the list must be consistent
    // whatever that leads to.
    std::list<Action*> actions;
    actions.swap(m_actions);
    for (Action* action : actions)
        delete action;
}

void ActionListComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != ActionMessage::AddType)
        return;
    auto* add = static_cast<ActionMessage*>(message);
    if (add->action == nullptr)
        return;
    add->action->Adopt();
    m_actions.push_back(add->action);
    add->action = nullptr; // the list owns it now; the message no longer deletes it
}

void ActionListComponent::Update(f32 seconds)
{
    if (m_actions.empty())
        return;
    GameFactory* factory = Engine::Factory();
    GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    if (owner == nullptr)
        return;
    u16 occupied = 0;
    for (auto entry = m_actions.begin(); entry != m_actions.end();)
    {
        Action* action = *entry;
        if ((action->GetLanes() & occupied) == 0)
        {
            action->Update(seconds, *owner);
            occupied = static_cast<u16>(occupied | action->GetLanes());
        }
        if (action->IsFinished())
        {
            entry = m_actions.erase(entry);
            delete action; // posts kind 14
            continue;
        }
        if (action->IsBlocking())
            break;
        ++entry;
    }
}
