#include "Logic/Containers/RechargeContainerComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::RechargeContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
RechargeContainerComponent::RechargeContainerComponent()
    : m_rechargeInterval(0.0f), m_rechargeAmount(0.0f), m_timer(0.0f)
{
}

u32 RechargeContainerComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

const MemberTable<RechargeContainerComponent>& RechargeContainerComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, RechargeContainerComponent, ReadRule::ByPosition,
        MemberLinks<RechargeContainerComponent>::Extending<ContainerComponent>(),
        QUILL_MEMBER(RechargeContainerComponent, m_rechargeInterval, Written).Tag(""),
        QUILL_MEMBER(RechargeContainerComponent, m_rechargeAmount, Written).Tag(""));
    return table;
}

void RechargeContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void RechargeContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void RechargeContainerComponent::Update(f32 seconds)
{
    if (currentStorage_ == maximumStorage_)
        return;
    m_timer += seconds;
    if (m_timer >= m_rechargeInterval)
    {
        m_timer -= m_rechargeInterval;
        Add(m_rechargeAmount);
    }
}
} // namespace Logic
