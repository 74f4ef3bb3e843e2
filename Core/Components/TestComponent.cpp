#include "Core/Components/TestComponent.h"
#include "Core/Reflection/HashTypeName.h"

TestComponent::TestComponent()
    : GameObjectComponent(true), test_s32(0), test_u32(0), test_f32(0.0f), test_double(0.0),
      test_bool(false)
{
}

u32 TestComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

// The XML form of the test members belongs to the serializer's own tests.
void TestComponent::Deserialize(Serializer::XmlReader&) {}

void TestComponent::Serialize(Serializer::XmlWriter&) {}
