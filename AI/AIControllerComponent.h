#pragma once
// What drives an enemy: every frame, unless disabled, it steps each behaviour of its object in
// the object's component order. It belongs to the controller family, so stuns, deaths and
// the behaviours find it under "ControllerComponent", but it is driven by the AI system alone:
// it leaves the logic system's list when it is made.
//
// It also picks the track an enemy with an animation controller plays: "Run" while its move
// component has a speed, else "Idle" (also while disabled, its behaviours stopped), and "Attack"
// once when its attack behaviour strikes. It follows the swaps its object receives: a track
// played once (a strike, a hit) runs to its end, whose swap back to "Idle" hands the choice back,
// and after "Death" it picks nothing more. Swaps are posted only when the choice changes.
//
// Written form: nothing.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Math/Types.h"
#include <string>
#include <vector>

namespace Graphics
{
class AnimationControllerComponent;
}
namespace Logic
{
class MoveComponent;
}

namespace AI
{
class BehaviorComponent;

class AIControllerComponent : public Logic::ControllerComponent
{
public:
    // Room for this many behaviours per object before the gathering list grows.
    static constexpr std::size_t BehaviorReserve = 8;
    static constexpr const char* IdleTrack = "Idle";
    static constexpr const char* RunTrack = "Run";
    static constexpr const char* AttackTrack = "Attack";
    static constexpr const char* DeathTrack = "Death";

    AIControllerComponent();
    ~AIControllerComponent() override;

    QUILL_COMPONENT_TYPE(AIControllerComponent)
    // Leaves the AI system (and the logic system, should it be listed there).
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    // Follows the animation swaps (type 47) its object receives.
    void HandleMessage(Message* message) override;

    // Steps every behaviour of the object unless disabled.
    void Update(f32 seconds) override;
    // Disabling stops every behaviour of the object.
    void SetDisabled(bool disabled) override;
    // Sets the target of the object's Seek and Flee behaviours.
    void SetTarget(u32 targetObjectId);
    // The object's attack behaviour struck: "Attack" plays once, unless the object is dying or
    // has no animation controller.
    void OnStrike();

private:
    // What the object's animation controller plays, as far as the swaps it received tell.
    enum class Track : u08
    {
        Idle,
        Run,
        Once,  // a strike or a hit, until its end swaps back to "Idle"
        Death, // for good
        Other, // a looping track this controller does not pick
    };

    // Gathers the behaviours, the move component and the animation controller again when the
    // object's component list has changed.
    void Gather(const GameObject& owner);
    // "Run" or "Idle" by the move component's speed, when that is not what plays.
    void ShowMovement();

    // The object's behaviours in component order, gathered again only when the owner or its
    // component list has changed since (GameObject::GetComponentListVersion).
    std::vector<BehaviorComponent*> m_behaviors;
    const GameObject* m_behaviorsObject; // the object m_behaviors was gathered from
    u64 m_behaviorsVersion;
    // Found with the behaviours; null when the object has none.
    const Logic::MoveComponent* m_move;
    const Graphics::AnimationControllerComponent* m_animation;
    Track m_track;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::AIControllerComponent)
