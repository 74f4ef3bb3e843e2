#include "Core/Components/TestComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlWriter.h"
#include <algorithm>

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

namespace
{
// Every element is taken by position: the empty name matches whatever stands under the cursor.
constexpr const char* AnyElement = "";
// The attribute readers move on to the next element when an element's attributes run out.
constexpr bool AdvanceElement = true;

// The ids of the objects being written through a test component on this thread: objects that
// list each other are written once each instead of for ever.
thread_local std::vector<u32> t_objectsBeingWritten;

void ReadSizedArray(Serializer::XmlReader& reader, std::vector<int>& slots, std::size_t size)
{
    slots.resize(size);
    Serializer::ReadAttributeIntArray(reader, slots.data(), static_cast<unsigned int>(size));
}
} // namespace

void TestComponent::Deserialize(Serializer::XmlReader& reader)
{
    Serializer::ReadIntList(reader, ints, AnyElement);
    Serializer::ReadStringList(reader, strings, AnyElement);
    Serializer::ReadStringList(reader, moreStrings, AnyElement);
    Serializer::ReadDoubleList(reader, doubles, AnyElement);
    ReadSizedArray(reader, smallArray, SmallArraySize);
    ReadSizedArray(reader, middleArray, MiddleArraySize);
    ReadSizedArray(reader, largeArray, LargeArraySize);
    Serializer::ReadAttributeIntList(reader, attributeInts);
    // The unsigned value comes first in the file.
    Serializer::ReadAttributeUnsigned(reader, test_u32, AdvanceElement);
    Serializer::ReadAttributeInt(reader, test_s32, AdvanceElement);
    Serializer::ReadAttributeFloat(reader, test_f32, AdvanceElement);
    Serializer::ReadAttributeDouble(reader, test_double, AdvanceElement);
    Serializer::ReadAttributeBool(reader, test_bool, AdvanceElement);
    Serializer::ReadAttributeString(reader, text, AdvanceElement);
    // The multi-float attribute readers run too; what they read is not kept.
    Math::Vector2 two;
    Math::Vector3 three;
    Math::Vector4 four;
    Serializer::ReadAttributeFloat2(reader, two, AdvanceElement);
    Serializer::ReadAttributeFloat3(reader, three, AdvanceElement);
    Serializer::ReadAttributeFloat4(reader, four, AdvanceElement);
}

void TestComponent::Serialize(Serializer::XmlWriter& writer)
{
    GameFactory* factory = Engine::Factory();
    for (u32 id : objectIds)
    {
        const GameObject* object = factory != nullptr ? factory->FindObject(id) : nullptr;
        // The owner is being written already: the component is part of it.
        if (object == nullptr || id == GetOwner() ||
            std::find(t_objectsBeingWritten.begin(), t_objectsBeingWritten.end(), id) !=
                t_objectsBeingWritten.end())
            continue;
        t_objectsBeingWritten.push_back(id);
        object->Serialize(writer.GetDocument(), writer.GetParent());
        t_objectsBeingWritten.pop_back();
    }
    Serializer::WriteIntList(writer, ints);
    Serializer::WriteStringList(writer, strings);
    Serializer::WriteStringList(writer, moreStrings);
    Serializer::WriteDoubleList(writer, doubles);
}
