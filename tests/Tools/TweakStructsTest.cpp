// The struct types the tools define from the type registry at start-up.
#include "Tools/TweakStructs.h"
#include "Core/Components/TestComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Reflection/MetaTestClass.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Math/Vector3.h"
#include "TweakBar/BarInspector.h"
#include "tests/Support/World.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Tools;

namespace
{
std::vector<TweakBar::StructMemberView> StructMembers(const std::string& name)
{
    TweakBar::TypeView view;
    if (!TweakBar::DescribeType(TweakBar::FindType(name), view))
        return {};
    return view.members;
}
} // namespace

TEST(TweakStructs, DefinesMathTypesTheTestClassesAndTheTransform)
{
    World world;
    InitializeTypeRegistry();
    DefineAllTweakStructs();
    EXPECT_NE(TypeRecordOf<Math::Vector3>().GetTweakBarType(), TweakType::Undefined);
    EXPECT_NE(TypeRecordOf<TransformComponent>().GetTweakBarType(), TweakType::Undefined);

    const auto meta = StructMembers("MetaTestClass");
    ASSERT_EQ(meta.size(), 2u);
    EXPECT_EQ(meta[0].definition.rfind("label='X__RENAMED' ", 0), 0u) << meta[0].definition;
    EXPECT_NE(meta[0].definition.find("precision=2"), std::string::npos);

    const auto transform = StructMembers("TransformComponent");
    ASSERT_EQ(transform.size(), 2u);
    EXPECT_EQ(transform[0].name, "position");
    EXPECT_EQ(transform[1].name, "scale");

    const auto test = StructMembers("TestComponent");
    ASSERT_EQ(test.size(), 4u) << "the 64-bit member has no editor type";
    for (const TweakBar::StructMemberView& member : test)
        EXPECT_NE(member.name, "test_double");
}
