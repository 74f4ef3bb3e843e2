// The property model: the definition strings entries keep for the bar layer, their identifiers,
// the standard callbacks, enumerations and the struct types made from the type registry.
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Components/TransformComponent.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyVariable.h"
#include "Math/Vector3.h"
#include "TweakBar/TweakBar.h"
#include <gtest/gtest.h>
#include <string>

using namespace Tools;

namespace
{
// A bar without the asset machinery: a tweak name and its root group.
class TestBar : public PropertyBarDefinition, public PropertyGroup
{
public:
    explicit TestBar(const std::string& tweakName)
        : PropertyGroup(static_cast<PropertyBarDefinition&>(*this), "")
    {
        m_tweakName = tweakName;
        StartRoot("Global");
    }
    ~TestBar() override { PropertyGroup::Remove(); }
};

f32 g_spare = 0.0f;

PropertyVariable* AddSpare(PropertyGroup& group)
{
    return group.AddFloat("", &g_spare, nullptr, &SetScalarCallback, &GetScalarCallback);
}
} // namespace

TEST(PropertyGroup, WritesTheDefinitionStringsOfMembersAndGroups)
{
    TestBar bar("PropertyEditor0");
    PropertyGroup* first = bar.AddGroup("First");
    PropertyGroup* second = first->AddGroup("Second");
    PropertyGroup* third = second->AddGroup("Third");
    ASSERT_EQ(third->GetName(), "SUB3");
    for (int i = 0; i < 12; ++i)
        AddSpare(bar);

    f32 speed = 0.0f;
    const PropertyAttributes range(0.0f, 6.0f, 1.0f);
    PropertyVariable* variable =
        third->AddFloat("Speed", &speed, &range, &SetScalarCallback, &GetScalarCallback);
    EXPECT_EQ(variable->GetDefinition(),
              " PropertyEditor0/member12 label='Speed' group='SUB3' min='0' max='6' step='1' ");
    PropertyGroup* options = third->AddGroup("Options");
    EXPECT_EQ(options->GetDefinition(),
              " PropertyEditor0/SUB4 label='Options' group='SUB3' opened='0' ");

    // Precision only when the caller gives one; steps keep two significant digits.
    PropertyAttributes fine(0.01f, 100.0f, 0.01f);
    fine.SetPrecision(5);
    variable = bar.AddFloat("", &speed, &fine, &SetScalarCallback, &GetScalarCallback);
    EXPECT_EQ(variable->GetDefinition(), " PropertyEditor0/member13 group='SUB0' min='0.01' "
                                         "max='100' step='0.01' precision='5' ");
}

TEST(PropertyGroup, KeysMatchWholeItemsAndLabelsCannotBreakTheString)
{
    std::string definition = "PropertyEditor0 label='InvisibleWall' ";
    PropertyDefinition::SetKeyIn(definition, "visible", "true");
    PropertyDefinition::SetKeyIn(definition, "visible", "false");
    EXPECT_EQ(definition, "PropertyEditor0 label='InvisibleWall' visible='false' ");
    PropertyDefinition::SetKeyIn(definition, "label", "Bob's crate");
    EXPECT_EQ(definition, "PropertyEditor0 label='Bob`s crate' visible='false' ");
}

TEST(PropertyGroup, IdentifiersKeepGrowingAcrossRebuildsAndEnumTypesDiffer)
{
    TestBar bar("Bar");
    AddSpare(bar);
    AddSpare(*bar.AddGroup("Group"));
    bar.Remove();
    EXPECT_FALSE(bar.HasMembers());
    EXPECT_EQ(AddSpare(bar)->GetName(), "member2");
    EXPECT_EQ(bar.AddGroup("Again")->GetName(), "SUB2");

    s32 mode = 0;
    const EnumPairs pairs = {{"Off", 0}, {"On", 1}};
    bar.AddEnum("Mode", &mode, pairs, &SetScalarCallback, &GetScalarCallback);
    bar.AddEnum("Mode", &mode, pairs, &SetScalarCallback, &GetScalarCallback);
    const auto* a = dynamic_cast<const PropertyEnum*>(bar.GetEntries()[2].get());
    const auto* b = dynamic_cast<const PropertyEnum*>(bar.GetEntries()[3].get());
    ASSERT_TRUE(a != nullptr && b != nullptr);
    EXPECT_EQ(a->GetTypeName().rfind("Mode", 0), 0u);
    EXPECT_NE(a->GetTypeName(), b->GetTypeName());
    EXPECT_NE(a->GetType(), b->GetType());
}

TEST(PropertyCallbacks, ColourChannelsAreShownTo255AndEnumNamesFollowTheValue)
{
    TestBar bar("Bar");
    f32 channel = 0.5f;
    PropertyVariable* variable =
        bar.AddFloat("R", &channel, nullptr, &SetColorChannelCallback, &GetColorChannelCallback);
    f32 shown = 0.0f;
    variable->GetGetCallback()(&shown, variable);
    EXPECT_FLOAT_EQ(shown, 127.5f);
    const f32 entered = 255.0f;
    variable->GetSetCallback()(&entered, variable);
    EXPECT_FLOAT_EQ(channel, 1.0f);

    // A table made elsewhere (as an asset manager makes its own); the entry counts it and the
    // last user frees it.
    NamedValue record{"", 2};
    TwEnumVal* values = new TwEnumVal[2]{{0, "Point"}, {2, "Line"}};
    PropertyEnum* entry = bar.AddNamedEnum("Shape", &record, SharedEnumType{values, 1001, 2});
    EXPECT_EQ(record.name, "Line");
    const s32 unknown = 7;
    SetEnumCallback(&unknown, entry);
    EXPECT_EQ(record.value, 7);
    EXPECT_EQ(record.name, "");
}

TEST(TransformComponent, EditorShowsPositionScaleWithUniformScaleAndOrientation)
{
    TestBar bar("Bar");
    TransformComponent transform;
    transform.scale = Math::Vector3(1.0f, 2.0f, 3.0f);
    PropertyGroup* group = bar.AddGroup("TransformComponent");
    transform.BuildEditor(*group);

    const auto& children = group->GetChildGroups();
    ASSERT_EQ(children.size(), 4u);
    const char* const labels[] = {"'Position'", "'Scale'", "'Orientation'", "'Options'"};
    for (std::size_t i = 0; i < children.size(); ++i)
        EXPECT_NE(children[i]->GetDefinition().find(labels[i]), std::string::npos);
    EXPECT_EQ(children[1]->GetEntries().size(), 4u);
    EXPECT_EQ(children[2]->GetEntries().size(), 4u);

    auto* uniform = static_cast<PropertyVariable*>(children[1]->GetEntries()[3].get());
    EXPECT_NE(uniform->GetDefinition().find("precision='5'"), std::string::npos);
    f32 shown = 0.0f;
    uniform->GetGetCallback()(&shown, uniform);
    EXPECT_FLOAT_EQ(shown, 2.0f);
    const f32 entered = 3.0f;
    uniform->GetSetCallback()(&entered, uniform);
    EXPECT_EQ(transform.scale, Math::Vector3(3.0f, 3.0f, 3.0f));

    // The orientation's first float is w, shown under "X".
    auto* w = static_cast<PropertyVariable*>(children[2]->GetEntries()[0].get());
    EXPECT_EQ(w->GetBoundValue(), &transform.orientation.w);
}
