#pragma once
// The timed actions of one object (Core/Actions/Action.h), kept in the order they arrived and
// advanced once per frame by the action-list system.
//
// Ownership: the list owns every action it took from a kind-12 ActionMessage and deletes it
// when it is done, at Shutdown, or at the latest in the destructor. A copy made through the
// type record gets the source's owner and component ids but starts with an empty list, and
// assignment leaves the list alone, so no action ever has two owners.
//
// Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <list>
#include <string>

class Action;

class ActionListComponent : public GameObjectComponent
{
public:
    // The system that drives the lists, found by this name.
    static constexpr const char* SystemName = "ActionListSystem";

    // A new list with a fresh id, registered with the action-list system when there is one.
    ActionListComponent();
    // Owner and component id of the source, an empty list, registered with no system.
    ActionListComponent(const ActionListComponent& source);
    // Copies the owner and component ids; the actions stay where they are.
    ActionListComponent& operator=(const ActionListComponent& source);
    // Leaves the system and deletes any actions still held.
    ~ActionListComponent() override;

    QUILL_COMPONENT_TYPE(ActionListComponent)
    // Construct, destroy and assign operations of the type record; no reflected members.
    static void RegisterMembers();

    // Leaves the system, then destroys every action (each posts kind 14) and empties the list.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    // A kind-12 ActionMessage hands its action over to the back of the list; every other
    // message is ignored.
    void HandleMessage(Message* message) override;

    // One step of the list. Walking from the front with no lane occupied: an action whose lanes
    // are all free runs one step and occupies its lanes; a finished action (run or not) is
    // destroyed and removed; an unfinished blocking action ends the walk. A list whose owner
    // object cannot be found skips the step.
    void Update(f32 seconds);

    const std::list<Action*>& GetActions() const { return m_actions; }

private:
    void DestroyActions();

    std::list<Action*> m_actions; // owned, in the order received
};

QUILL_DECLARE_TYPE_RECORD(ActionListComponent)
