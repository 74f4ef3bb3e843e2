#pragma once
// Base of every component of the computer-controlled side: behaviours, spawners and the
// decision component. Concrete kinds join the AI system in their own constructors (the system
// reads their names when they join, which a base constructor could not answer yet) and leave
// it in Shutdown or, at the latest, in their destructors; while they are in, the system calls
// Update every frame.
//
// Main thread only.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Types.h"

class GameObject;
class Message;

namespace AI
{
class AIComponent : public GameObjectComponent
{
public:
    AIComponent();
    ~AIComponent() override;
    AIComponent(const AIComponent&) = delete;
    AIComponent& operator=(const AIComponent&) = delete;

    // Leaves the AI system.
    void Shutdown() override;
    void BuildEditor(Tools::PropertyGroup&) override {}
    void HandleMessage(Message*) override {}
    // The per-frame step, in seconds; nothing unless the kind has one.
    virtual void Update(f32) {}

protected:
    // The concrete constructor's call: joins the AI system when one exists.
    void JoinSystem();
    // The owning object, or null while the component has none (or no engine exists). Kept after
    // the first look-up: an object owns its components, so it lives as long as this one does
    // under the same owner id.
    GameObject* OwnerObject() const;
    // Posts a message through the engine; dropped when no engine exists.
    static void Post(Message* message, f32 delay = 0.0f);

private:
    mutable GameObject* m_ownerObject; // not owned; valid while m_owner == m_ownerObjectId
    mutable u32 m_ownerObjectId;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::AIComponent)
