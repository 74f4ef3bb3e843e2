#pragma once
// Changes its mind every five seconds: removes the behaviour it made last and adds a new Seek
// (one time in four: it stands within one unit of its target and runs again beyond two), Flee
// (two in four) or Wander (one in four) with random speeds. The new
// behaviour is made at once and joins the AI system while the system walks its list; it
// reaches the object through an add-component message.
//
// Written form: nothing.
#include "AI/Behaviors/BehaviorComponent.h"
#include "Core/Objects/ComponentTypeId.h"

namespace AI
{
class RandomBehaviorComponent : public BehaviorComponent
{
public:
    static constexpr f32 SwapInterval = 5.0f;

    RandomBehaviorComponent();
    ~RandomBehaviorComponent() override = default;

    QUILL_COMPONENT_TYPE(RandomBehaviorComponent)
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    void Step(f32 seconds) override;

    // The id of the behaviour made last; 0 before the first swap.
    u32 GetChildId() const { return m_childId; }

private:
    // A new behaviour of a random kind with its drawn values, or null (logged) when the factory
    // cannot make it.
    BehaviorComponent* MakeChild() const;

    f32 m_swapTimer;
    u32 m_childId;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::RandomBehaviorComponent)
