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
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::AIComponent)
