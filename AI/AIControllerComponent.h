#pragma once
// What drives an enemy: every frame, unless disabled, it steps each behaviour of its object in
// the object's component order. It belongs to the controller family, so stuns, deaths and
// the behaviours find it under "ControllerComponent", but it is driven by the AI system alone:
// it leaves the logic system's list when it is made.
//
// Written form: nothing.
#include "Logic/Controllers/ControllerComponent.h"
#include <string>
#include <vector>

namespace AI
{
class BehaviorComponent;

class AIControllerComponent : public Logic::ControllerComponent
{
public:
    // Room for this many behaviours per object before the gathering list grows.
    static constexpr std::size_t BehaviorReserve = 8;

    AIControllerComponent();
    ~AIControllerComponent() override;

    static std::string GetTypeName() { return "AIControllerComponent"; }
    static u32 GetSize() { return static_cast<u32>(sizeof(AIControllerComponent)); }
    std::string GetName() const override { return GetTypeName(); }
    // Leaves the AI system (and the logic system, should it be listed there).
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override {}

    // Steps every behaviour of the object unless disabled.
    void Update(f32 seconds) override;
    // Disabling stops every behaviour of the object.
    void SetDisabled(bool disabled) override;
    // Sets the target of the object's Seek and Flee behaviours.
    void SetTarget(u32 targetObjectId);

private:
    // The owning object, kept after the first look-up (it lives as long as this component
    // under the same owner id).
    GameObject* Owner();

    // The object's behaviours in component order, gathered again only when the owner or its
    // component list has changed since (GameObject::GetComponentListVersion).
    std::vector<BehaviorComponent*> m_behaviors;
    const GameObject* m_behaviorsObject; // the object m_behaviors was gathered from
    u64 m_behaviorsVersion;
    GameObject* m_ownerObject; // not owned; valid while m_owner matches
    u32 m_ownerObjectId;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::AIControllerComponent)
