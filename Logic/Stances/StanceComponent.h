#pragma once
// How a character's movement and cursor input become movement: the player controller hands
// every move that is not a release and every cursor move to the one stance it chose. A stance
// is toggled on (triggered) and off; what that changes is the kind's: the archer stops turning
// to the cursor, the beacon stops walking, the slow stance slows the character down.
//
// A stance changes its object's move component (direction, move modifier) and the orientation
// of its transform; the move component then moves the object in its own update. Both are looked
// up when needed, so a stance on an object without them does nothing.
//
// Facing: the character turns about the vertical only (the y of the target vector is dropped)
// and keeps its orientation when the vector is shorter than FacingEpsilon. The cursor's ground
// point comes from the camera system; without one, cursor input changes nothing.
//
// Written form: the kind's own field, then "triggered". Every kind answers the family's id
// "StanceComponent".
#include "Logic/LogicComponent.h"
#include "Math/Vector2.h"
#include "Math/Vector4.h"
#include <string>

class InputCursorMessage;
class InputMoveMessage;
class TransformComponent;

template <typename Owner> struct MemberTable;

namespace Logic
{
class MoveComponent;

class StanceComponent : public LogicComponent
{
public:
    using ComponentFamily = StanceComponent;
    static constexpr f32 FacingEpsilon = 0.00001f;
    static constexpr const char* TriggeredTag = "triggered";

    StanceComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "StanceComponent";
        return name;
    }
    u32 GetType() const override;
    // The triggered flag: the base's part of the written form.
    static const MemberTable<StanceComponent>& Members();
    // The kind's own field, then the triggered flag (both by position).
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    virtual void Toggle() { m_triggered = !m_triggered; }
    virtual void HandleCursor(const InputCursorMessage& message) = 0;
    virtual void HandleMove(const InputMoveMessage& message) = 0;
    bool IsTriggered() const { return m_triggered; }

    // The flat-plane direction of a move input: (x, 0, -y, 0), screen up being -z.
    static Math::Vector4 FlatDirection(const Math::Vector2& input);

protected:
    virtual void ReadOwnField(Serializer::XmlReader& reader) = 0;
    virtual void WriteOwnField(Serializer::XmlWriter& writer) = 0;

    // The owner's move component or transform, looked up now; null when missing.
    MoveComponent* Move() const;
    TransformComponent* Transform() const;
    // Adds the move input's flat direction to the move component's direction.
    void AddMove(const InputMoveMessage& message);
    // Turns the character towards the cursor's ground point.
    void FaceCursor();
    // Turns the character so that +z points along the vector (its y ignored).
    void FaceAlong(const Math::Vector4& direction);

    bool m_triggered;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::StanceComponent)
