#pragma once
// Base of the enemy behaviours (Seek, Flee, Attack, Wander, Random). The object's AI controller
// steps each behaviour every frame; a behaviour reads where its object and its target stand and
// writes the move component's speed and direction and the transform's orientation, or fires.
// Every behaviour answers the family's id "BehaviorComponent", so an object's behaviours are
// found together; exact kinds are told apart by class.
//
// When the target is gone or dying, the picker chooses a new one: a random player (or, for a
// behaviour that does not target players, a random AI character), handed to the object's AI
// controller, which sets it on the object's Seek and Flee behaviours.
//
// A behaviour whose object lacks a move component, a transform or a controller does nothing.
// Random numbers are Math::RandUnit() draws.
//
// Written form: MaxAngle (degrees, an unnamed float), targets players (an unnamed bool); the
// kinds append their own members.
#include "AI/AIComponent.h"
#include "Core/Objects/GameObject.h"
#include "Math/MathUtils.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Vector4.h"
#include <cmath>
#include <string>

class TransformComponent;
template <typename Owner> struct MemberTable;
struct EditorMember;
namespace Logic
{
class ControllerComponent;
class MoveComponent;
} // namespace Logic

namespace AI
{
class BehaviorComponent : public AIComponent
{
public:
    using ComponentFamily = BehaviorComponent;

    BehaviorComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "BehaviorComponent";
        return name;
    }
    u32 GetType() const override;
    // The members in written order: MaxAngle, targets players.
    static const MemberTable<BehaviorComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // Behaviours act in Step, called by their object's AI controller; the system's own update
    // passes them by.
    void Update(f32) final {}
    // One step of the behaviour, in seconds.
    virtual void Step(f32 seconds) = 0;
    // Brings the object to rest (the controller was disabled).
    virtual void Stop() {}

    u32 GetTarget() const { return m_target; }
    void SetTarget(u32 targetObjectId) { m_target = targetObjectId; }
    bool TargetsPlayers() const { return m_targetsPlayers; }
    void SetTargetsPlayers(bool targetsPlayers) { m_targetsPlayers = targetsPlayers; }
    f32 GetTimer() const { return m_timer; }
#ifdef QUILL_WORK_COUNTERS
    // How many times the target's component list was walked for the live-target check: once
    // per new target object or changed component list, not once per step (a count for the
    // tests).
    u64 GetTargetListWalks() const
    {
        return m_targetCache.walks;
    }
#endif

    // Largest turn per step, degrees.
    f32 MaxAngle;

    // The picker: a random player, or a random AI character, set as the target of the
    // object's chasers through its AI controller; nothing when there is none.
    void PickTarget();
    void TargetRandomPlayer();
    void TargetRandomAI();

protected:
    // Editor ranges of the behaviours: speeds and distances up to 10, angles in degrees.
    static constexpr f32 EditorMaxValue = 10.0f;
    static constexpr f32 EditorValueStep = 0.1f;
    static constexpr f32 EditorMaxAngle = 360.0f;
    static constexpr f32 EditorAngleStep = 0.5f;
    // MaxAngle's place among the editor entries: after every kind's own.
    static constexpr u32 MaxAngleEditorOrder = 100;

    // The editor entry of one member of a behaviour's table: a float within the member's limits.
    static void AddEditorFloat(Tools::PropertyGroup& group, const EditorMember& member);

    // What a step works on; all found or the step does nothing.
    struct Body
    {
        GameObject* object;
        Logic::MoveComponent* move;
        TransformComponent* transform;
        Logic::ControllerComponent* controller;
    };
    bool FindBody(Body& body) const;
    // The live target object, or null when it is gone or dying.
    GameObject* FindLiveTarget() const;
    // The live target's transform, or null when it is gone, dying or has none.
    const TransformComponent* FindLiveTargetTransform() const;

    // True for an entry that holds a dying character's effect (Logic::DeathEffectComponent):
    // an entry under the effect family's id whose class is that one. No name is read, so the
    // check costs no string.
    static bool IsDeathEffect(const GameObject::ComponentEntry& entry, u32 effectFamily);
    // Hands the target to the object's Attack behaviours.
    static void SetAttackTargets(const GameObject& object, u32 targetObjectId);
    // The controller of the object when it is an AI controller: it gets the id.
    static void SetControllerTarget(const GameObject& object, u32 targetObjectId);

    // moveValue_ becomes a draw between the two speeds.
    static void RandomizeSpeed(Logic::MoveComponent& move, f32 minSpeed, f32 maxSpeed);
    // Seek's steering: turns the orientation straight to the unit desired direction, draws a
    // speed and takes the direction. A zero desired direction does nothing.
    static void SteerDirect(const Body& body, const Math::Vector4& desired, f32 minSpeed,
                            f32 maxSpeed);
    // Flee's steering: turns the direction at most MaxAngle towards the unit desired direction
    // (or takes it outright while slower than minSpeed) and faces the new direction. A zero
    // desired direction does nothing.
    void SteerTurnLimited(const Body& body, const Math::Vector4& desired, f32 minSpeed,
                          f32 maxSpeed) const;
    // Horizontal unit direction from one point to another, and the horizontal distance.
    // Inline: every chasing and fleeing enemy takes it in every step.
    static Math::Vector4 FlatDirection(const Math::Point4& from, const Math::Point4& to,
                                       f32& distance)
    {
        const f32 x = to.x - from.x, z = to.z - from.z;
        distance = std::sqrt(x * x + z * z);
        // As Vector4::Normalize: too short a difference gives the zero direction.
        if (distance < Math::EPSILON)
            return Math::Vector4(0.0f, 0.0f, 0.0f, 0.0f);
        const f32 inverse = 1.0f / distance;
        return Math::Vector4(x * inverse, 0.0f, z * inverse, 0.0f);
    }

    f32 m_timer;
    u32 m_target;
    bool m_targetsPlayers;

private:
    // What the last look-ups found, kept while the object's component list is the same
    // (GameObject::GetComponentListVersion): every behaviour of every enemy looks these up in
    // every step, and the lists rarely change.
    struct BodyCache
    {
        const GameObject* object = nullptr;
        u64 version = 0;
        Logic::MoveComponent* move = nullptr;
        TransformComponent* transform = nullptr;
        Logic::ControllerComponent* controller = nullptr;
    };
    // Kept while the target is the same object with the same components. Another object's
    // destruction (a projectile's, many a frame) costs one look-up by id, not a new walk: the
    // object found under the id is the cached one when its address and component-list number
    // are the same, as list numbers are never handed out twice.
    struct TargetCache
    {
        const GameObject* object = nullptr;
        u32 id = 0;       // the target id the object was found under
        u64 destroys = 0; // the factory's destroy number when the object was last found
        u64 version = 0;
        const TransformComponent* transform = nullptr; // null while the target is dying
#ifdef QUILL_WORK_COUNTERS
        u64 walks = 0; // walks of a target's component list so far
#endif
    };
    mutable BodyCache m_bodyCache;
    mutable TargetCache m_targetCache;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::BehaviorComponent)
