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
    using MemberFlag::Reflected;
    QUILL_MEMBER_TABLE(table, ContainerComponent, ReadRule::ByPosition,
                       QUILL_MEMBER(ContainerComponent, currentStorage_, Reflected),
                       QUILL_MEMBER(ContainerComponent, minimumStorage_, Reflected),
                       QUILL_MEMBER(ContainerComponent, maximumStorage_, Reflected));
    return table;
}

u32 ContainerComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void ContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    f32 current = 0.0f;
    Serializer::ReadValue(reader, current, "");
    Serializer::ReadValue(reader, minimumStorage_, "");
    Serializer::ReadValue(reader, maximumStorage_, "");
    Add(current);
}

void ContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, currentStorage_, "");
    Serializer::WriteValue(writer, minimumStorage_, "");
    Serializer::WriteValue(writer, maximumStorage_, "");
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
