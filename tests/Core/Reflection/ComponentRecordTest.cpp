// Covers: TypeRecord, GameObjectComponent, TestComponent, TransformComponent.
// The engine core's component records: their bases, the test component's members, and the
// operations that make, copy and end a component through its record.
#include "Core/Components/TestComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Reflection/TypeRegistry.h"
#include "tests/Support/World.h"
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

TEST(ComponentRecord, CoreComponentsDescendFromTheComponentRecord)
{
    World world;
    InitializeTypeRegistry();
    const TypeRecord& root = TypeRecordOf<GameObjectComponent>();
    EXPECT_EQ(root.GetName(), "GameObjectComponent");
    EXPECT_EQ(root.GetBase(), nullptr);
    EXPECT_EQ(root.GetSize(), sizeof(GameObjectComponent));
    for (const TypeRecord* record :
         {&TypeRecordOf<TestComponent>(), &TypeRecordOf<TransformComponent>()})
    {
        EXPECT_EQ(record->GetBase(), &root) << record->GetName();
        EXPECT_FALSE(record->IsPod()) << record->GetName();
    }
    EXPECT_FALSE(root.IsPod());
}

TEST(ComponentRecord, TestComponentHasItsFiveMembersAndOperations)
{
    World world;
    InitializeTypeRegistry();
    const TypeRecord& record = TypeRecordOf<TestComponent>();
    const std::vector<std::pair<std::string, const TypeRecord*>> expected = {
        {"test_s32", &TypeRecordOf<s32>()},   {"test_u32", &TypeRecordOf<u32>()},
        {"test_f32", &TypeRecordOf<f32>()},   {"test_double", &TypeRecordOf<f64>()},
        {"test_bool", &TypeRecordOf<bool>()},
    };
    std::vector<std::pair<std::string, const TypeRecord*>> members;
    for (auto member = record.MembersBegin(); member != record.MembersEnd(); ++member)
        members.emplace_back(member->first, member->second.GetType());
    EXPECT_EQ(members, expected);

    // Without a source the record makes a component with an id of its own; with one it copies
    // the source's owner and id as well as its fields.
    TestComponent source;
    source.SetOwner(9);
    source.test_double = 2.5;
    const auto* base = reinterpret_cast<const unsigned char*>(&source);
    EXPECT_EQ(record.GetMember("test_double").GetOffset(),
              static_cast<u32>(reinterpret_cast<const unsigned char*>(&source.test_double) - base));
    alignas(TestComponent) unsigned char fresh[sizeof(TestComponent)];
    alignas(TestComponent) unsigned char copy[sizeof(TestComponent)];
    auto* made = static_cast<TestComponent*>(record.GetConstruct()(fresh, nullptr));
    auto* copied = static_cast<TestComponent*>(record.GetConstruct()(copy, &source));
    EXPECT_NE(made->GetId(), 0u);
    EXPECT_NE(made->GetId(), source.GetId());
    EXPECT_EQ(made->GetOwner(), 0u);
    EXPECT_EQ(copied->GetId(), source.GetId());
    EXPECT_EQ(copied->GetOwner(), 9u);
    EXPECT_EQ(copied->test_double, 2.5);
    record.GetAssign()(made, &source);
    EXPECT_EQ(made->GetId(), source.GetId());
    EXPECT_EQ(made->test_double, 2.5);
    record.GetDestroy()(made);
    record.GetDestroy()(copied);
}
