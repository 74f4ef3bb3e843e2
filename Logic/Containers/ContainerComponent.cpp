#include "Logic/Containers/ContainerComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ContainerComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
ContainerComponent::ContainerComponent()
    : currentStorage_(0.0f), minimumStorage_(0.0f), maximumStorage_(0.0f)
{
}

void ContainerComponent::RegisterMembers()
{
    RegisterTableMembers(Members());
}

const MemberTable<ContainerComponent>& ContainerComponent::Members()
{
    using namespace MemberFlag;
    // The current value arrives through Add once the bounds are read, so the kind reacts to it.
    static constexpr void (*ArriveThroughAdd)(ContainerComponent&) = [](ContainerComponent& c)
    {
        const f32 current = c.currentStorage_;
        c.currentStorage_ = 0.0f;
        c.Add(current);
    };
    QUILL_LINKED_MEMBER_TABLE(
        table, ContainerComponent, ReadRule::ByPosition,
        MemberLinks<ContainerComponent>{}.AfterRead(ArriveThroughAdd),
        QUILL_MEMBER(ContainerComponent, currentStorage_, Reflected | Written).Tag(""),
        QUILL_MEMBER(ContainerComponent, minimumStorage_, Reflected | Written).Tag(""),
        QUILL_MEMBER(ContainerComponent, maximumStorage_, Reflected | Written).Tag(""));
    return table;
}

u32 ContainerComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void ContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void ContainerComponent::Add(f32 delta)
{
    AddClamped(delta);
}

void ContainerComponent::AddClamped(f32 delta)
{
    f32 value = currentStorage_ + delta;
    if (value > maximumStorage_)
        value = maximumStorage_;
    currentStorage_ = value > minimumStorage_ ? value : minimumStorage_;
}
} // namespace Logic
