#include "Core/Components/TestComponent.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Core/Reflection/TypeRegistry.h"

QUILL_DEFINE_TYPE_RECORD(TestComponent, &TypeRecordOf<GameObjectComponent>(), false)

TestComponent::TestComponent()
    : GameObjectComponent(true), test_s32(0), test_u32(0), test_f32(0.0f), test_double(0.0),
      test_bool(false)
{
}

void TestComponent::RegisterMembers()
{
    TypeRecord& record = TypeRecordOf<TestComponent>();
    record.SetConstruct(&ConstructDefaultOrCopy<TestComponent>);
    record.SetDestroy(&DestroyInPlace<TestComponent>);
    record.SetAssign(&AssignCopy<TestComponent>);
    RegisterTableMembers(Members());
}

const MemberTable<TestComponent>& TestComponent::Members()
{
    using MemberFlag::Reflected;
    QUILL_MEMBER_TABLE(table, TestComponent, ReadRule::ByPosition,
                       QUILL_MEMBER(TestComponent, test_s32, Reflected),
                       QUILL_MEMBER(TestComponent, test_u32, Reflected),
                       QUILL_MEMBER(TestComponent, test_f32, Reflected),
                       QUILL_MEMBER(TestComponent, test_double, Reflected),
                       QUILL_MEMBER(TestComponent, test_bool, Reflected));
    return table;
}

u32 TestComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

// The XML form of the test members belongs to the serializer's own tests.
void TestComponent::Deserialize(Serializer::XmlReader&) {}

void TestComponent::Serialize(Serializer::XmlWriter&) {}
