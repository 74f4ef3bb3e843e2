#include "AI/Behaviors/WanderBehaviorComponent.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Movement/MoveComponent.h"
#include "Math/MathUtils.h"

QUILL_DEFINE_TYPE_RECORD(AI::WanderBehaviorComponent, &TypeRecordOf<AI::BehaviorComponent>(), false)

namespace AI
{
WanderBehaviorComponent::WanderBehaviorComponent()
    : MinSpeed(0.0f), MaxSpeed(0.0f), m_interval(0.0f)
{
    JoinSystem();
}

const MemberTable<WanderBehaviorComponent>& WanderBehaviorComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, WanderBehaviorComponent, ReadRule::ByPosition,
        MemberLinks<WanderBehaviorComponent>::Extending<BehaviorComponent>(),
        QUILL_MEMBER(WanderBehaviorComponent, MinSpeed, Written)
            .Tag("")
            .Edit(EditorField{"MinSpeed", 0.0f, EditorMaxValue, EditorValueStep,
                              EditorField::DefaultPrecision, 0}),
        QUILL_MEMBER(WanderBehaviorComponent, MaxSpeed, Written)
            .Tag("")
            .Edit(EditorField{"MaxSpeed", 0.0f, EditorMaxValue, EditorValueStep,
                              EditorField::DefaultPrecision, 1}),
        QUILL_MEMBER(WanderBehaviorComponent, m_interval, Written).Tag(""));
    return table;
}

void WanderBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void WanderBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void WanderBehaviorComponent::Step(f32 seconds)
{
    Body body{};
    if (!FindBody(body))
        return;
    m_timer += seconds;
    if (m_timer <= m_interval)
        return;
    m_timer -= m_interval;
    RandomizeSpeed(*body.move, MinSpeed, MaxSpeed);
    const f32 angle = -MaxAngle + 2.0f * MaxAngle * Math::RandUnit();
    Math::Quaternion turn;
    turn.FromEuler(0.0f, angle, 0.0f);
    body.move->direction_ = turn.Rotate(body.move->direction_);
}

void WanderBehaviorComponent::Stop()
{
    if (const GameObject* owner = GetOwnerObject())
    {
        if (auto* move = owner->GetComponent<Logic::MoveComponent>())
            move->moveValue_ = 0.0f;
    }
}

void WanderBehaviorComponent::BuildEditor(Tools::PropertyGroup& group)
{
    WalkEditorMembers(*this, Members(),
                      [&group](const EditorMember& member) { AddEditorFloat(group, member); });
    Tools::AddComponentOptions(this, group);
}

} // namespace AI
