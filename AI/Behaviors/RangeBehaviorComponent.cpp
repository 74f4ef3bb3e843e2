#include "AI/Behaviors/RangeBehaviorComponent.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Movement/MoveComponent.h"

namespace AI
{
RangeBehaviorComponent::RangeBehaviorComponent()
    : MinSpeed(0.0f), MaxSpeed(0.0f), MinDistance(0.0f), MaxDistance(0.0f), m_engaged(false)
{
}

const MemberTable<RangeBehaviorComponent>& RangeBehaviorComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, RangeBehaviorComponent, ReadRule::ByPosition,
        MemberLinks<RangeBehaviorComponent>::Extending<BehaviorComponent>(),
        QUILL_MEMBER(RangeBehaviorComponent, MinSpeed, Written)
            .Tag("")
            .Edit(EditorField{"MinSpeed", 0.0f, EditorMaxValue, EditorValueStep,
                              EditorField::DefaultPrecision, 0}),
        QUILL_MEMBER(RangeBehaviorComponent, MaxSpeed, Written)
            .Tag("")
            .Edit(EditorField{"MaxSpeed", 0.0f, EditorMaxValue, EditorValueStep,
                              EditorField::DefaultPrecision, 1}),
        QUILL_MEMBER(RangeBehaviorComponent, MinDistance, Written)
            .Tag("")
            .Edit(EditorField{"MinDistance", 0.0f, EditorMaxValue, EditorValueStep,
                              EditorField::DefaultPrecision, 2}),
        QUILL_MEMBER(RangeBehaviorComponent, MaxDistance, Written)
            .Tag("")
            .Edit(EditorField{"MaxDistance", 0.0f, EditorMaxValue, EditorValueStep,
                              EditorField::DefaultPrecision, 3}),
        QUILL_MEMBER(RangeBehaviorComponent, m_engaged, Written).Tag(""));
    return table;
}

void RangeBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void RangeBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void RangeBehaviorComponent::Stop()
{
    if (const GameObject* owner = GetOwnerObject())
    {
        if (auto* move = owner->GetComponent<Logic::MoveComponent>())
            move->moveValue_ = 0.0f;
    }
    m_engaged = false;
}

const TransformComponent* RangeBehaviorComponent::FindBodyAndTarget(Body& body)
{
    if (!FindBody(body))
        return nullptr;
    const TransformComponent* targetTransform = FindLiveTargetTransform();
    if (targetTransform == nullptr)
        PickTarget();
    return targetTransform;
}

void RangeBehaviorComponent::BuildEditor(Tools::PropertyGroup& group)
{
    WalkEditorMembers(*this, Members(),
                      [&group](const EditorMember& member) { AddEditorFloat(group, member); });
    Tools::AddComponentOptions(this, group);
}

} // namespace AI
