#include "Core/Reflection/TypeRegistry.h"
#include "Core/Reflection/MetaTestClass.h"
#include "Math/ColorRGBA.h"
#include "Math/Matrix2.h"
#include "Math/Matrix3.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/SphericalCoordinate.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
class TypeRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override { InitializeTypeRegistry(); }
};

std::vector<std::string> MemberKeys(const TypeRecord& record)
{
    std::vector<std::string> keys;
    for (auto it = record.MembersBegin(); it != record.MembersEnd(); ++it)
        keys.push_back(it->first);
    return keys;
}

// Constructs a T through its record into raw storage and returns a copy of the result.
template <typename T> T ConstructThroughRecord(const T* source)
{
    alignas(T) unsigned char storage[sizeof(T)];
    std::memset(storage, 0xAB, sizeof(storage));
    const TypeRecord& record = TypeRecordOf<T>();
    void* made = record.GetConstruct()(storage, source);
    EXPECT_EQ(made, storage);
    T result = *static_cast<T*>(made);
    record.GetDestroy()(made);
    return result;
}

struct PrimitiveRow
{
    const TypeRecord* record;
    const char* name;
    u32 size;
    s32 tweakType;
};
} // namespace

TEST_F(TypeRegistryTest, PrimitiveRecordsCarryTheirSizesAndEditorCodes)
{
    const PrimitiveRow rows[] = {
        {&TypeRecordOf<bool>(), "bool", 1, 2}, {&TypeRecordOf<c08>(), "c08", 1, 5},
        {&TypeRecordOf<s08>(), "s08", 1, 6},   {&TypeRecordOf<u08>(), "u08", 1, 7},
        {&TypeRecordOf<s16>(), "s16", 2, 8},   {&TypeRecordOf<u16>(), "u16", 2, 9},
        {&TypeRecordOf<s32>(), "s32", 4, 10},  {&TypeRecordOf<u32>(), "u32", 4, 11},
        {&TypeRecordOf<s64>(), "s64", 8, 0},   {&TypeRecordOf<u64>(), "u64", 8, 0},
        {&TypeRecordOf<f32>(), "f32", 4, 12},  {&TypeRecordOf<f64>(), "f64", 8, 0},
    };
    for (const PrimitiveRow& row : rows)
    {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.record->GetName(), row.name);
        EXPECT_EQ(row.record->GetSize(), row.size);
        EXPECT_EQ(row.record->GetTweakBarType(), row.tweakType);
        EXPECT_TRUE(row.record->IsPod());
        EXPECT_EQ(row.record->GetBase(), nullptr);
        EXPECT_EQ(row.record->GetMemberCount(), 0u);
        EXPECT_NE(row.record->GetConstruct(), nullptr);
        EXPECT_NE(row.record->GetDestroy(), nullptr);
        EXPECT_NE(row.record->GetAssign(), nullptr);
    }
}

TEST_F(TypeRegistryTest, PrimitiveOperationsZeroFillCopyAndAssign)
{
    const s64 source = -1234567890123;
    EXPECT_EQ(ConstructThroughRecord<s64>(nullptr), 0);
    EXPECT_EQ(ConstructThroughRecord<s64>(&source), source);
    EXPECT_EQ(ConstructThroughRecord<f32>(nullptr), 0.0f);
    EXPECT_EQ(TypeRecordOf<f64>().GetConstruct()(nullptr, nullptr), nullptr);

    u16 target = 1;
    const u16 value = 65535;
    TypeRecordOf<u16>().GetAssign()(&target, &value);
    EXPECT_EQ(target, 65535);
}

TEST_F(TypeRegistryTest, MathRecordsRegisterTheirFloatFields)
{
    const TypeRecord& matrix4 = TypeRecordOf<Math::Matrix4>();
    std::vector<std::string> keys = MemberKeys(matrix4);
    ASSERT_EQ(keys.size(), 16u);
    EXPECT_EQ(keys.front(), "m00");
    EXPECT_EQ(keys[7], "m13");
    EXPECT_EQ(keys.back(), "m33");
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        const TypeMember& member = matrix4.GetMember(keys[i]);
        EXPECT_EQ(member.GetType(), &TypeRecordOf<f32>());
        EXPECT_EQ(member.GetOffset(), i * sizeof(f32));
    }

    EXPECT_EQ(MemberKeys(TypeRecordOf<Math::Vector2>()), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(MemberKeys(TypeRecordOf<Math::Vector3>()), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(MemberKeys(TypeRecordOf<Math::Point4>()),
              (std::vector<std::string>{"x", "y", "z", "w"}));
    EXPECT_EQ(MemberKeys(TypeRecordOf<Math::ColorRGBA>()),
              (std::vector<std::string>{"r", "g", "b", "a"}));
    EXPECT_EQ(MemberKeys(TypeRecordOf<Math::Matrix2>()),
              (std::vector<std::string>{"m00", "m01", "m10", "m11"}));
    EXPECT_EQ(TypeRecordOf<Math::Matrix3>().GetMemberCount(), 9u);
    EXPECT_EQ(TypeRecordOf<Math::Matrix3>().GetMember("m21").GetOffset(),
              offsetof(Math::Matrix3, m21));
    EXPECT_EQ(TypeRecordOf<Math::Vector4>().GetMember("w").GetOffset(), 3 * sizeof(f32));

    const TypeRecord& spherical = TypeRecordOf<Math::SphericalCoordinate>();
    EXPECT_EQ(spherical.GetMemberCount(), 0u);
    EXPECT_NE(spherical.GetConstruct(), nullptr);
    EXPECT_EQ(spherical.GetTweakBarType(), TweakType::Undefined);
    EXPECT_FALSE(TypeRecordOf<Math::Vector3>().IsPod());
    EXPECT_EQ(TypeRecordOf<Math::Matrix4>().GetSize(), sizeof(Math::Matrix4));
}

TEST_F(TypeRegistryTest, MathRecordsConstructTheirRecordDefaults)
{
    EXPECT_EQ(ConstructThroughRecord<Math::ColorRGBA>(nullptr), Math::ColorRGBA(0, 0, 0, 1));
    EXPECT_EQ(ConstructThroughRecord<Math::Point4>(nullptr), Math::Point4(0, 0, 0, 1));
    EXPECT_EQ(ConstructThroughRecord<Math::Vector4>(nullptr), Math::Vector4(0, 0, 0, 0));
    EXPECT_EQ(ConstructThroughRecord<Math::Matrix4>(nullptr), Math::Matrix4(true))
        << "the zero matrix, not the identity";
    const Math::Matrix3 zero3 = ConstructThroughRecord<Math::Matrix3>(nullptr);
    EXPECT_EQ(zero3.m00, 0.0f);
    EXPECT_EQ(zero3.m11, 0.0f);
    EXPECT_EQ(zero3.m22, 0.0f);
    const Math::SphericalCoordinate spherical =
        ConstructThroughRecord<Math::SphericalCoordinate>(nullptr);
    EXPECT_EQ(spherical.perspective, Math::SphericalCoordinate::FIRST_PERSON);
    EXPECT_EQ(spherical.radius, 1.0f);
    EXPECT_NE(spherical.positionOperation, nullptr);

    const Math::Vector3 source(1, 2, 3);
    EXPECT_EQ(ConstructThroughRecord<Math::Vector3>(&source), source);
    Math::Matrix4 target;
    const Math::Matrix4 zero(true);
    TypeRecordOf<Math::Matrix4>().GetAssign()(&target, &zero);
    EXPECT_EQ(target, zero);
}

TEST_F(TypeRegistryTest, MetaTestClassShowsLabelsRangesAndEnumerators)
{
    const TypeRecord& record = TypeRecordOf<MetaTestClass>();
    EXPECT_EQ(MemberKeys(record), (std::vector<std::string>{"x", "y"}));
    const TypeMember& x = record.GetMember("x");
    EXPECT_EQ(x.GetName(), "X__RENAMED") << "the key stays, the label changes";
    EXPECT_EQ(x.GetType(), &TypeRecordOf<s32>());
    EXPECT_EQ(x.GetMin(), 15.0f);
    EXPECT_EQ(x.GetMax(), 0.0f);
    EXPECT_EQ(x.GetStep(), 3.0f);
    const TypeMember& y = record.GetMember("y");
    EXPECT_EQ(y.GetName(), "Y__RENAMED");
    EXPECT_EQ(y.GetOffset(), offsetof(MetaTestClass, y));
    EXPECT_EQ(y.GetMin(), 1.17549435e-38f);
    EXPECT_EQ(y.GetMax(), 3.40282347e+38f);
    EXPECT_EQ(y.GetStep(), 1.0f);

    const TypeRecord::EnumeratorMap& enumerators = record.GetEnumerators();
    ASSERT_EQ(enumerators.size(), 4u);
    EXPECT_EQ(enumerators.at("firstValue"), 0);
    EXPECT_EQ(enumerators.at("secondValue"), -100);
    EXPECT_EQ(enumerators.at("thirdValue"), 1);
    EXPECT_EQ(enumerators.at("lastValue"), 2);

    const MetaTestClass source = {7, 2.5f};
    const MetaTestClass copy = ConstructThroughRecord<MetaTestClass>(&source);
    EXPECT_EQ(copy.x, 7);
    EXPECT_EQ(copy.y, 2.5f);
    EXPECT_EQ(ConstructThroughRecord<MetaTestClass>(nullptr).x, 0);

    EXPECT_THROW(record.GetMember("z"), std::out_of_range);
    EXPECT_THROW(record.GetMember("X__RENAMED"), std::out_of_range) << "labels are not keys";
}

TEST_F(TypeRegistryTest, InitialisingAgainChangesNothing)
{
    InitializeTypeRegistry();
    EXPECT_EQ(TypeRecordOf<Math::Matrix4>().GetMemberCount(), 16u);
    EXPECT_EQ(TypeRecordOf<MetaTestClass>().GetEnumerators().size(), 4u);
    EXPECT_EQ(TypeRecordOf<MetaTestClass>().GetMember("x").GetName(), "X__RENAMED");
}

TEST_F(TypeRegistryTest, RegistryIteratesEveryRecordInByteOrder)
{
    std::vector<std::string> names;
    for (auto it = TypeRegistryBegin(); it != TypeRegistryEnd(); ++it)
    {
        EXPECT_EQ(it->first, it->second->GetName());
        names.push_back(it->first);
    }
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(std::strcmp(names[i - 1].c_str(), names[i].c_str()), 0);

    const std::set<std::string> present(names.begin(), names.end());
    for (const char* expected : {"bool",
                                 "c08",
                                 "s08",
                                 "u08",
                                 "s16",
                                 "u16",
                                 "s32",
                                 "u32",
                                 "s64",
                                 "u64",
                                 "f32",
                                 "f64",
                                 "MetaTestClass",
                                 "Math::ColorRGBA",
                                 "Math::Matrix2",
                                 "Math::Matrix3",
                                 "Math::Matrix4",
                                 "Math::Point4",
                                 "Math::SphericalCoordinate",
                                 "Math::Vector2",
                                 "Math::Vector3",
                                 "Math::Vector4"})
        EXPECT_EQ(present.count(expected), 1u) << expected;

    // Upper-case names sort before every lower-case one: the registry's "Math::" records all
    // come before "bool".
    auto position = [&names](const std::string& name)
    { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(position("Math::Vector4"), position("bool"));
    EXPECT_LT(position("MetaTestClass"), position("bool"));
}

TEST(TypeRecord, ACopiesItsBaseMembersAsTheyStandAtCreation)
{
    const TypeRecord& f32Record = TypeRecordOf<f32>();
    TypeRecord base("Test::Base", 8, nullptr, false);
    TypeRecord earlyDerived("Test::EarlyDerived", 12, &base, false);
    base.AddMember("a", TypeMember("a", 0, &f32Record));
    base.AddMember("b", TypeMember("b", 4, &f32Record));
    TypeRecord lateDerived("Test::LateDerived", 12, &base, false);

    EXPECT_EQ(earlyDerived.GetMemberCount(), 0u);
    EXPECT_EQ(MemberKeys(lateDerived), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(lateDerived.GetMember("b").GetOffset(), 4u);
    EXPECT_EQ(lateDerived.GetBase(), &base);
}

TEST(TypeRecord, AKeyIsAddedOnceAndANameIsRegisteredOnce)
{
    const TypeRecord& f32Record = TypeRecordOf<f32>();
    TypeRecord record("Test::Keys", 8, nullptr, false);
    record.AddMember("a", TypeMember("first", 0, &f32Record));
    record.AddMember("a", TypeMember("second", 4, &f32Record));
    EXPECT_EQ(record.GetMemberCount(), 1u);
    EXPECT_EQ(record.GetMember("a").GetName(), "first");

    auto registered = [](const std::string& name) -> const TypeRecord*
    {
        for (auto it = TypeRegistryBegin(); it != TypeRegistryEnd(); ++it)
            if (it->first == name)
                return it->second;
        return nullptr;
    };
    EXPECT_EQ(registered("Test::Keys"), &record);
    {
        TypeRecord replacement("Test::Keys", 4, nullptr, false);
        EXPECT_EQ(registered("Test::Keys"), &replacement) << "a later record replaces";
    }
    EXPECT_EQ(registered("Test::Keys"), nullptr) << "a destroyed record leaves the registry";
}

namespace
{
// A subsystem's registration that notes how complete the built-in records were when it ran.
int g_registrationRuns = 0;
std::size_t g_vectorMembersSeen = 0;
void NoteRegistrationRun()
{
    ++g_registrationRuns;
    g_vectorMembersSeen = TypeRecordOf<Math::Vector3>().GetMemberCount();
}
} // namespace

TEST(TypeRegistryRegistration, SubsystemRecordsRunAfterTheBuiltInOnesOncePerInitialisation)
{
    AddTypeRecordRegistration(&NoteRegistrationRun);
    AddTypeRecordRegistration(&NoteRegistrationRun); // a second engine registering again
    InitializeTypeRegistry();
    EXPECT_EQ(g_registrationRuns, 1);
    // A component's members may name math records: those are complete by then.
    EXPECT_EQ(g_vectorMembersSeen, 3u);
}
