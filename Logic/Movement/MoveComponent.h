#pragma once
// Movement of an object: a speed (move value) times a factor (move modifier, 1 by default)
// along a direction that input and abilities set or add to. The kinds decide how the object
// moves with them every frame; all answer the family's id "MoveComponent".
//
// The owner's transform is looked up when the component is read or first needs it; an object
// without a transform is not moved.
//
// Written form: the move value (an unnamed float), then the direction as "vec4" (X, Y, Z; w is
// 0). The move modifier is not written. Messages: direction set (73) and direction add (77,
// turned by the object's orientation first).
#include "Logic/LogicComponent.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Vector4.h"
#include <string>

class TransformComponent;
template <typename Owner> struct MemberTable;

namespace Logic
{
class MoveComponent : public LogicComponent
{
public:
    using ComponentFamily = MoveComponent;
    static constexpr const char* DirectionTag = "vec4";

    MoveComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "MoveComponent";
        return name;
    }
    static void RegisterMembers();
    // The reflected members: move value, move modifier, direction.
    static const MemberTable<MoveComponent>& Members();

    u32 GetType() const override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message* message) override;

    void AddMoveValue(f32 value) { moveValue_ += value; }
    void SetMoveValue(f32 value) { moveValue_ = value; }
    f32 GetMoveValue() const { return moveValue_; }
    void MultiplyMoveModifier(f32 factor) { moveModifier_ *= factor; }
    f32 GetMoveModifier() const { return moveModifier_; }
    const Math::Vector4& GetDirection() const { return direction_; }
    void SetDirection(const Math::Vector4& direction) { direction_ = direction; }
    void AddDirection(const Math::Vector4& direction) { direction_ += direction; }

    // The transform's values; identity and the origin without a transform.
    Math::Quaternion GetOrientation();
    void SetOrientation(const Math::Quaternion& orientation);
    Math::Point4 GetPosition();

    f32 moveValue_;
    f32 moveModifier_;
    Math::Vector4 direction_;

protected:
    // The owner's transform, fetched on first use; null when the object has none.
    TransformComponent* Transform();

private:
    TransformComponent* m_transform; // not owned
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::MoveComponent)
