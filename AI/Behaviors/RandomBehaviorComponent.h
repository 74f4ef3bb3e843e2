#pragma once
// Changes its mind every five seconds: removes the behaviour it made last and adds a new Seek
// (one time in four), Flee (two in four) or Wander (one in four) with random speeds. The new
// behaviour is made at once and joins the AI system while the system walks its list; it
// reaches the object through an add-component message.
//
// Written form: nothing.
#include "AI/Behaviors/BehaviorComponent.h"

namespace AI
{
class RandomBehaviorComponent : public BehaviorComponent
{
public:
    static constexpr f32 SwapInterval = 5.0f;

    RandomBehaviorComponent();
    ~RandomBehaviorComponent() override = default;

    static const std::string& GetTypeName()
    {
        static const std::string name = "RandomBehaviorComponent";
        return name;
    }
    static u32 GetSize() { return static_cast<u32>(sizeof(RandomBehaviorComponent)); }
    const std::string& GetName() const override { return GetTypeName(); }
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
