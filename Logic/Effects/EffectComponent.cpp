#include "Logic/Effects/EffectComponent.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"

QUILL_DEFINE_TYPE_RECORD(Logic::EffectComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
EffectComponent::EffectComponent()
    : statModifyValue_(0.0f), m_target(nullptr), m_timeToLast(0.0f), m_isTemporary(true),
      m_applied(false)
{
}

void EffectComponent::RegisterMembers()
{
    RegisterTableMembers(Members());
}

const MemberTable<EffectComponent>& EffectComponent::Members()
{
    using namespace MemberFlag;
    QUILL_MEMBER_TABLE(table, EffectComponent, ReadRule::ByPosition,
                       QUILL_MEMBER(EffectComponent, m_timeToLast, Written).Tag(""),
                       QUILL_MEMBER(EffectComponent, statModifyValue_, Reflected | Written).Tag(""),
                       QUILL_MEMBER(EffectComponent, m_isTemporary, Written).Tag(""),
                       QUILL_MEMBER(EffectComponent, m_applied, Written).Tag(""));
    return table;
}

Math::ColorRGBA EffectComponent::ShieldColour()
{
    constexpr f32 Byte = 255.0f;
    return Math::ColorRGBA(205.0f / Byte, 57.0f / Byte, 170.0f / Byte, 1.0f);
}

u32 EffectComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void EffectComponent::Setup(f32 timeToLast, f32 value, bool isTemporary, bool applied)
{
    m_timeToLast = timeToLast;
    statModifyValue_ = value;
    m_isTemporary = isTemporary;
    m_applied = applied;
}

void EffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void EffectComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void EffectComponent::Update(f32 seconds)
{
    if (!m_applied)
    {
        if (Bind())
        {
            Apply();
            m_applied = true;
        }
        return;
    }
    m_timeToLast -= seconds;
    if (m_timeToLast > TimeResidue)
        return;
    Remove();
    PostNew<RemoveComponentMessage>(m_id, m_id, m_owner);
    m_applied = false;
}
} // namespace Logic
