#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/OrientationSetMessage.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/ScaleSetMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/PropertyModel/PropertyMember.h"
#include "Core/Reflection/MemberTable.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Math/MathUtils.h"

namespace
{
constexpr f32 UniformAxes = 3.0f;

// Editor limits: positions within a level, scales from a hundredth to a hundredfold, and the
// unit quaternion's components.
constexpr EditorField PositionEditor{"Position", -100.0f, 100.0f, 0.1f};
constexpr s32 ScalePrecision = 5;
constexpr EditorField ScaleEditor{"Scale", 0.01f, 100.0f, 0.01f, ScalePrecision, 1, true};
constexpr EditorField OrientationEditor{
    "Orientation", -1.0f, 1.0f, 0.01f, EditorField::DefaultPrecision, 2};

// The transform of the object that created the transform's owner, or null when the owner, its
// creator or the creator's transform does not exist.
const TransformComponent* FindCreatorTransform(const TransformComponent& transform)
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
        return nullptr;
    const GameObject* owner = factory->FindObject(transform.GetOwner());
    if (owner == nullptr || owner->GetCreatorId() == 0)
        return nullptr;
    const GameObject* creator = factory->FindObject(owner->GetCreatorId());
    return creator != nullptr ? creator->GetComponent<TransformComponent>() : nullptr;
}
// The editor's "UniformScale" entry: bound to the transform itself rather than to a float.
void GetUniformScaleCallback(void* value, void* clientData)
{
    const auto* transform = static_cast<const TransformComponent*>(
        static_cast<Tools::PropertyMember*>(clientData)->GetBoundValue());
    *static_cast<f32*>(value) = transform->GetUniformScale();
}

void SetUniformScaleCallback(const void* value, void* clientData)
{
    auto* transform = static_cast<TransformComponent*>(
        static_cast<Tools::PropertyMember*>(clientData)->GetBoundValue());
    transform->SetUniformScale(*static_cast<const f32*>(value));
}
} // namespace

QUILL_DEFINE_TYPE_RECORD(TransformComponent, &TypeRecordOf<GameObjectComponent>(), false)

TransformComponent::TransformComponent()
    : GameObjectComponent(true), mountedOnObjectId(0), relativeToCreator(false),
      updateRelativeToCreator(false), position(0.0f, 0.0f, 0.0f, 1.0f), orientation(),
      scale(1.0f, 1.0f, 1.0f)
{
}

void TransformComponent::RegisterMembers()
{
    TypeRecord& record = TypeRecordOf<TransformComponent>();
    record.SetConstruct(&ConstructDefaultOrCopy<TransformComponent>);
    record.SetDestroy(&DestroyInPlace<TransformComponent>);
    record.SetAssign(&AssignCopy<TransformComponent>);
    RegisterTableMembers(Members());
}

const MemberTable<TransformComponent>& TransformComponent::Members()
{
    using namespace MemberFlag;
    // The written form is these five in order, read by position whatever their tags; only the
    // position and the scale are reflected. The editor shows position, scale, orientation.
    QUILL_MEMBER_TABLE(
        table, TransformComponent, ReadRule::ByPosition,
        QUILL_MEMBER(TransformComponent, position, Reflected | Written).Edit(PositionEditor),
        QUILL_MEMBER(TransformComponent, orientation, Written).Edit(OrientationEditor),
        QUILL_MEMBER(TransformComponent, scale, Reflected | Written).Edit(ScaleEditor),
        QUILL_MEMBER(TransformComponent, relativeToCreator, Written),
        QUILL_MEMBER(TransformComponent, updateRelativeToCreator, Written));
    return table;
}

void TransformComponent::SetPosition(f32 x, f32 y, f32 z)
{
    position.x = x;
    position.y = y;
    position.z = z;
}

f32 TransformComponent::GetUniformScale() const
{
    return (scale.x + scale.y + scale.z) / UniformAxes;
}

void TransformComponent::SetUniformScale(f32 value)
{
    scale = Math::Vector3(value, value, value);
}

void TransformComponent::BuildEditor(Tools::PropertyGroup& group)
{
    WalkEditorMembers(
        *this, Members(),
        [&](const EditorMember& member)
        {
            Tools::PropertyAttributes attributes(member.field.min, member.field.max,
                                                 member.field.step);
            if (member.field.precision != EditorField::DefaultPrecision)
                attributes.SetPrecision(member.field.precision);
            Tools::PropertyGroup* entry = nullptr;
            if (member.floatCount == 4)
                entry = group.AddVector4(member.field.label, member.floats, attributes,
                                         &Tools::SetScalarCallback, &Tools::GetScalarCallback);
            else
                entry = group.AddVector3(member.field.label, member.floats, attributes,
                                         &Tools::SetScalarCallback, &Tools::GetScalarCallback);
            if (member.field.uniformScale)
                entry->AddFloat("UniformScale", this, &attributes, &SetUniformScaleCallback,
                                &GetUniformScaleCallback);
        });
    Tools::AddComponentOptions(this, group);
}

void TransformComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
    if (relativeToCreator)
        PlaceRelativeToCreator();
}

void TransformComponent::PlaceRelativeToCreator()
{
    // An object placed without a creator (a spawn point of the level, say) keeps the position
    // it read as an absolute one.
    const TransformComponent* creator = FindCreatorTransform(*this);
    if (creator == nullptr)
        return;
    // The read position is an offset in units of the two objects' combined scales, turned
    // with the creator: a sword placed one unit to the right stays beside a giant's hand.
    const Math::Vector4 offset((creator->scale.x + scale.x) * position.x,
                               (creator->scale.y + scale.y) * position.y,
                               (creator->scale.z + scale.z) * position.z, 0.0f);
    orientation = creator->orientation;
    position = Math::Point4(creator->position + orientation.Rotate(offset));
}

void TransformComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void TransformComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case PositionSetMessage::Type:
        position = Math::Point4(static_cast<PositionSetMessage*>(message)->position);
        break;
    case ScaleSetMessage::Type:
        scale = static_cast<ScaleSetMessage*>(message)->scale;
        break;
    case OrientationSetMessage::Type:
    {
        // Unlike definition files, messages carry the angles as they are (no negation).
        const Math::Vector3& angles = static_cast<OrientationSetMessage*>(message)->orientation;
        orientation.FromEuler(angles.x * Math::DEG_TO_RAD, angles.y * Math::DEG_TO_RAD,
                              angles.z * Math::DEG_TO_RAD, true);
        break;
    }
    default:
        break;
    }
}

Math::Matrix4 TransformComponent::OwnMatrix(MatrixKind kind) const
{
    Math::Matrix4 matrix;
    switch (kind)
    {
    case MatrixKind::Transform:
        matrix.Compose(position, orientation, Math::Vector3(1.0f, 1.0f, 1.0f));
        break;
    case MatrixKind::Rotation:
        orientation.ToMatrix4(matrix);
        break;
    case MatrixKind::Translation:
        matrix = Math::Matrix4::Translation(position);
        break;
    }
    return matrix;
}

Math::Matrix4 TransformComponent::ChainedMatrix(MatrixKind kind) const
{
    // Walk up while each link follows its creator, then compose from the top down:
    // creator's x ... x own.
    const TransformComponent* chain[MaxCreatorChain];
    u32 length = 0;
    for (const TransformComponent* link = this; link != nullptr && length < MaxCreatorChain;)
    {
        chain[length++] = link;
        link = link->updateRelativeToCreator ? FindCreatorTransform(*link) : nullptr;
    }
    Math::Matrix4 result = chain[length - 1]->OwnMatrix(kind);
    for (u32 i = length - 1; i > 0; --i)
        result = result * chain[i - 1]->OwnMatrix(kind);
    return result;
}

Math::Matrix4 TransformComponent::GetTransformMatrix() const
{
    return ChainedMatrix(MatrixKind::Transform);
}

Math::Matrix4 TransformComponent::GetRotationMatrix() const
{
    return ChainedMatrix(MatrixKind::Rotation);
}

Math::Matrix4 TransformComponent::GetTranslationMatrix() const
{
    return ChainedMatrix(MatrixKind::Translation);
}
