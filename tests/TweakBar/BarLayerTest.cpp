#include "TweakBar/BarInspector.h"
#include "TweakBar/BarRenderer.h"
#include "TweakBar/TweakBar.h"
#include <cstddef>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_errors;

void RecordError(const char* line)
{
    g_errors.push_back(line);
}

// Every test starts with the layer running and no bar, and records failure lines.
class BarLayerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_errors.clear();
        TweakBar::SetErrorSink(&RecordError);
        ASSERT_EQ(TwInit(TW_OPENGL, nullptr), 1);
    }
    void TearDown() override
    {
        TwTerminate();
        TweakBar::SetErrorSink(nullptr);
    }

    // Names of a view's entries, groups written as name(children).
    static std::string Outline(const std::vector<TweakBar::EntryView>& entries)
    {
        std::string text;
        for (const TweakBar::EntryView& entry : entries)
        {
            text += (text.empty() ? "" : " ") + entry.name;
            if (entry.kind == TweakBar::EntryKind::Group)
                text += "(" + Outline(entry.children) + ")";
        }
        return text;
    }
    static std::string Outline(const char* barName)
    {
        TweakBar::BarView view;
        return TweakBar::InspectBar(barName, view) ? Outline(view.entries) : "no bar";
    }
};

float g_value = 0.0f;
void GetFloat(void* value, void*)
{
    *static_cast<float*>(value) = g_value;
}
void SetFloat(const void* value, void*)
{
    g_value = *static_cast<const float*>(value);
}
int g_clicks = 0;
void CountClick(void*)
{
    ++g_clicks;
}
} // namespace

TEST_F(BarLayerTest, DefinitionsTakeEveryQuoteAndExponents)
{
    TwBar* bar = TwNewBar("Tuning bar");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(TwAddVarCB(bar, "speed", TW_TYPE_FLOAT, &SetFloat, &GetFloat, nullptr, ""), 1);
    EXPECT_EQ(TwDefine(" `Tuning bar`/speed label='Top \"speed\"' help=\"it's fast\" "
                       "min=-3.40282e+38 max=1E3 step=0.01 precision=2 "),
              1);
    EXPECT_EQ(TwDefine(" 'Tuning bar' label=`Quoted ' and \"` position=10 20 size='300 400' "
                       "color=1 2 3 alpha=128 valueswidth=100 "),
              1);
    TweakBar::EntryView speed;
    ASSERT_TRUE(TweakBar::InspectEntry("Tuning bar", "speed", speed));
    EXPECT_EQ(speed.label, "Top \"speed\"");
    EXPECT_EQ(speed.help, "it's fast");
    EXPECT_FLOAT_EQ(static_cast<float>(speed.min), -3.40282e+38f);
    EXPECT_DOUBLE_EQ(speed.max, 1000.0);
    EXPECT_DOUBLE_EQ(speed.step, 0.01);
    EXPECT_EQ(speed.precision, 2);
    TweakBar::BarView view;
    ASSERT_TRUE(TweakBar::InspectBar("Tuning bar", view));
    EXPECT_EQ(view.label, "Quoted ' and \"");
    EXPECT_EQ(view.x, 10);
    EXPECT_EQ(view.y, 20);
    EXPECT_EQ(view.width, 300);
    EXPECT_EQ(view.height, 400);
    EXPECT_EQ(view.color[2], 3);
    EXPECT_EQ(view.alpha, 128);
    EXPECT_TRUE(g_errors.empty()) << g_errors.front();

    // Bad definitions fail with a line naming what went wrong; the good items still apply.
    EXPECT_EQ(TwDefine(" 'Tuning bar'/speed label='unclosed "), 0);
    EXPECT_EQ(TwDefine(" 'Tuning bar'/speed min=low step=2 "), 0);
    EXPECT_EQ(TwDefine(" Nowhere label=x "), 0);
    EXPECT_EQ(TwDefine(" 'Tuning bar'/speed colour=1 "), 0);
    ASSERT_EQ(g_errors.size(), 4u);
    EXPECT_NE(g_errors[0].find("unclosed quote '"), std::string::npos) << g_errors[0];
    EXPECT_NE(g_errors[1].find("'low' is no value for min"), std::string::npos) << g_errors[1];
    EXPECT_NE(g_errors[2].find("no bar named 'Nowhere'"), std::string::npos) << g_errors[2];
    EXPECT_NE(g_errors[3].find("unknown key 'colour'"), std::string::npos) << g_errors[3];
    EXPECT_NE(TwGetLastError(), nullptr);
    ASSERT_TRUE(TweakBar::InspectEntry("Tuning bar", "speed", speed));
    EXPECT_DOUBLE_EQ(speed.step, 2.0);
}

// The order in which the editor fills a bar for an object: a component group is defined after
// its entries, the root group after everything, separators join the root as they come.
TEST_F(BarLayerTest, GroupsFormAroundEntriesMoveAndVanish)
{
    TwBar* bar = TwNewBar("Editor0");
    ASSERT_NE(bar, nullptr);
    for (int component = 0; component < 2; ++component)
    {
        const std::string group = "SUB" + std::to_string(component + 1);
        for (int field = 0; field < 2; ++field)
        {
            const std::string name = "m" + std::to_string(component) + std::to_string(field);
            ASSERT_EQ(
                TwAddVarCB(bar, name.c_str(), TW_TYPE_FLOAT, &SetFloat, &GetFloat, nullptr, ""), 1);
            EXPECT_EQ(TwDefine((" Editor0/" + name + " group='" + group + "' ").c_str()), 1);
        }
        EXPECT_EQ(TwDefine((" Editor0/" + group + " label='C' group='SUB0' opened='0' ").c_str()),
                  1);
        const std::string separator = "sep" + std::to_string(component);
        ASSERT_EQ(TwAddSeparator(bar, separator.c_str(), ""), 1);
        EXPECT_EQ(TwDefine((" Editor0/" + separator + " group='SUB0' ").c_str()), 1);
    }
    EXPECT_EQ(TwDefine(" Editor0/SUB0 label='Components' opened='1' "), 1);
    EXPECT_EQ(Outline("Editor0"), "SUB0(SUB1(m00 m01) sep0 SUB2(m10 m11) sep1)");

    // group= moves to the end of the group, even the group the entry is in.
    EXPECT_EQ(TwDefine(" Editor0/m00 group='SUB1' "), 1);
    EXPECT_EQ(Outline("Editor0"), "SUB0(SUB1(m01 m00) sep0 SUB2(m10 m11) sep1)");
    EXPECT_EQ(TwDefine(" Editor0/SUB1 group='SUB2' "), 1);
    EXPECT_EQ(Outline("Editor0"), "SUB0(sep0 SUB2(m10 m11 SUB1(m01 m00)) sep1)");
    EXPECT_EQ(TwDefine(" Editor0/SUB2 group='SUB1' "), 0) << "a group cannot enter itself";
    EXPECT_EQ(TwDefine(" Editor0/m10 group='m11' "), 0) << "an entry is no group";

    // Emptied groups vanish, up the chain; a group named again later starts afresh.
    EXPECT_EQ(TwRemoveVar(bar, "m01"), 1);
    EXPECT_EQ(TwDefine(" Editor0/m00 group='' "), 1);
    EXPECT_EQ(Outline("Editor0"), "SUB0(sep0 SUB2(m10 m11) sep1) m00");
    for (const char* name : {"m10", "m11", "sep0", "sep1"})
        EXPECT_EQ(TwRemoveVar(bar, name), 1);
    EXPECT_EQ(Outline("Editor0"), "m00");
    EXPECT_EQ(TwDefine(" Editor0/SUB0 opened='1' "), 0) << "the root group is gone";
    EXPECT_EQ(TwRemoveVar(bar, "m00"), 1);
    EXPECT_EQ(Outline("Editor0"), "");
}

TEST_F(BarLayerTest, OpenedEnumsAndReadOnlyEntries)
{
    TwBar* bar = TwNewBar("Flags");
    ASSERT_EQ(
        TwAddVarCB(bar, "value", TW_TYPE_FLOAT, &SetFloat, &GetFloat, nullptr, " group='Inner' "),
        1);
    int opened = -1;
    ASSERT_EQ(TwGetParam(bar, "Inner", "opened", TW_PARAM_INT32, 1, &opened), 1);
    EXPECT_EQ(opened, 0) << "groups start closed";
    EXPECT_EQ(TwDefine(" Flags/Inner opened=true "), 1);
    ASSERT_EQ(TwGetParam(bar, "Inner", "opened", TW_PARAM_INT32, 1, &opened), 1);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(TweakBar::Toggle("Flags", "Inner")) << "the user closes it";
    ASSERT_EQ(TwGetParam(bar, "Inner", "opened", TW_PARAM_INT32, 1, &opened), 1);
    EXPECT_EQ(opened, 0);

    // A redefined enumeration keeps its code, and its labels are the layer's own copies.
    std::string first = "Walk";
    std::string second = "Run";
    TwEnumVal values[] = {{0, first.c_str()}, {3, second.c_str()}};
    const TwType type = TwDefineEnum("Gait", values, 2);
    ASSERT_GE(type, TweakBar::UserTypeBase);
    first = "overwritten";
    static int gait = 3;
    auto getGait = [](void* value, void*) { *static_cast<int*>(value) = gait; };
    auto setGait = [](const void* value, void*) { gait = *static_cast<const int*>(value); };
    ASSERT_EQ(TwAddVarCB(bar, "gait", type, setGait, getGait, nullptr, ""), 1);
    std::string label;
    ASSERT_TRUE(TweakBar::ReadText("Flags", "gait", label));
    EXPECT_EQ(label, "Run");
    TwEnumVal more[] = {{0, "Walk"}, {3, "Run"}, {7, "Fly"}};
    EXPECT_EQ(TwDefineEnum("Gait", more, 3), type);
    EXPECT_TRUE(TweakBar::SetText("Flags", "gait", "Fly"));
    TweakBar::RunQueuedCallbacks();
    EXPECT_EQ(gait, 7) << "the entry made before the redefinition takes the new value";
    TweakBar::TypeView view;
    ASSERT_TRUE(TweakBar::DescribeType(type, view));
    EXPECT_STREQ(view.values[0].Label, "Walk");

    // A null set callback or readonly=true: shown, never written.
    ASSERT_EQ(TwAddVarCB(bar, "shown", TW_TYPE_FLOAT, nullptr, &GetFloat, nullptr, ""), 1);
    ASSERT_EQ(
        TwAddVarCB(bar, "locked", TW_TYPE_FLOAT, &SetFloat, &GetFloat, nullptr, " readonly=true "),
        1);
    g_value = 2.5f;
    for (const char* name : {"shown", "locked"})
    {
        TweakBar::EntryView entry;
        ASSERT_TRUE(TweakBar::InspectEntry("Flags", name, entry));
        EXPECT_TRUE(entry.readOnly) << name;
        double read = 0.0;
        ASSERT_TRUE(TweakBar::ReadNumber("Flags", name, read));
        EXPECT_DOUBLE_EQ(read, 2.5);
        EXPECT_FALSE(TweakBar::SetNumber("Flags", name, 1.0)) << name;
    }
    int readOnly = 0;
    ASSERT_EQ(TwGetParam(bar, "shown", "readonly", TW_PARAM_INT32, 1, &readOnly), 1);
    EXPECT_EQ(readOnly, 1);
    EXPECT_EQ(TweakBar::QueuedCallbackCount(), 0u);
    EXPECT_FLOAT_EQ(g_value, 2.5f);
}

namespace
{
// A button that rebuilds its own bar, as the editor's "Delete" does: it removes itself and
// every other entry, then adds a fresh button under a new name.
int g_rebuilds = 0;
void Rebuild(void* clientData)
{
    TwBar* bar = static_cast<TwBar*>(clientData);
    ++g_rebuilds;
    TwRemoveAllVars(bar);
    const std::string name = "rebuild" + std::to_string(g_rebuilds);
    TwAddButton(bar, name.c_str(), &Rebuild, bar, " group='Options' ");
    TwAddVarCB(bar, "value", TW_TYPE_FLOAT, &SetFloat, &GetFloat, nullptr, " group='Options' ");
}
} // namespace

TEST_F(BarLayerTest, CallbacksWaitForTheDrawAndMayRebuildTheirBar)
{
    TwBar* bar = TwNewBar("Rebuilt");
    ASSERT_EQ(TwAddButton(bar, "rebuild0", &Rebuild, bar, " group='Options' "), 1);
    ASSERT_EQ(TwAddVarCB(bar, "value", TW_TYPE_FLOAT, &SetFloat, &GetFloat, nullptr,
                         " group='Options' min=0 max=10 "),
              1);
    g_rebuilds = 0;
    g_value = 1.0f;
    // A click and then a change of an entry the click removes: the change is dropped.
    EXPECT_TRUE(TweakBar::Click("Rebuilt", "rebuild0"));
    EXPECT_TRUE(TweakBar::SetNumber("Rebuilt", "value", 50.0));
    EXPECT_EQ(g_rebuilds, 0) << "nothing runs before the draw";
    EXPECT_EQ(TwDraw(), 1);
    EXPECT_EQ(g_rebuilds, 1);
    EXPECT_FLOAT_EQ(g_value, 1.0f);
    EXPECT_EQ(Outline("Rebuilt"), "Options(rebuild1 value)");

    // Twice in one run: the second click names the first button, which is gone by then.
    EXPECT_TRUE(TweakBar::Click("Rebuilt", "rebuild1"));
    EXPECT_TRUE(TweakBar::Click("Rebuilt", "rebuild1"));
    EXPECT_TRUE(TweakBar::SetNumber("Rebuilt", "value", 50.0));
    TweakBar::RunQueuedCallbacks();
    EXPECT_EQ(g_rebuilds, 2);
    EXPECT_EQ(Outline("Rebuilt"), "Options(rebuild2 value)");
    EXPECT_TRUE(TweakBar::SetNumber("Rebuilt", "value", 50.0));
    TweakBar::RunQueuedCallbacks();
    EXPECT_FLOAT_EQ(g_value, 50.0f) << "no range on the rebuilt entry";

    // A deleted bar's handle is refused, not followed.
    EXPECT_EQ(TwDeleteBar(bar), 1);
    EXPECT_EQ(TwRemoveVar(bar, "value"), 0);
    EXPECT_EQ(TwAddButton(bar, "again", &CountClick, nullptr, ""), 0);
}

TEST_F(BarLayerTest, MouseOverADrawnBarIsTheBarsAndAQuickClickIsKept)
{
    // Nothing drawn yet: the game keeps the mouse.
    EXPECT_EQ(TwMouseMotion(20, 20), 0);
    TweakBar::ReportDrawnFrame({TweakBar::ScreenArea{10, 10, 100, 50}}, false);
    EXPECT_EQ(TwMouseMotion(20, 20), 1);
    EXPECT_EQ(TwEventMouseButtonGLFW(0, 1), 1);
    EXPECT_EQ(TwMouseMotion(500, 500), 1) << "a drag that began on the bar stays the bar's";
    EXPECT_EQ(TwEventMouseButtonGLFW(0, 0), 1);
    EXPECT_EQ(TwMouseMotion(501, 500), 0);
    EXPECT_EQ(TwEventKeyGLFW('A', 1), 0) << "no text field has the keyboard";

    // Press and release between two frames reach the renderer one per frame.
    TweakBar::PendingInput first = TweakBar::TakeInput();
    TweakBar::PendingInput second = TweakBar::TakeInput();
    TweakBar::PendingInput third = TweakBar::TakeInput();
    ASSERT_TRUE(first.hasButtonTransition);
    EXPECT_TRUE(first.buttonTransition.down);
    ASSERT_TRUE(second.hasButtonTransition);
    EXPECT_FALSE(second.buttonTransition.down);
    EXPECT_FALSE(third.hasButtonTransition);
    EXPECT_EQ(third.mouseX, 501);
}

namespace
{
struct Pair
{
    float first;
    int second;
};
struct Nested
{
    double weight;
    Pair pair;
};
Nested g_nested = {0.5, {1.5f, 7}};
void GetNested(void* value, void*)
{
    *static_cast<Nested*>(value) = g_nested;
}
void SetNested(const void* value, void*)
{
    g_nested = *static_cast<const Nested*>(value);
}
} // namespace

TEST_F(BarLayerTest, StructMembersAreEntriesOfTheirVariable)
{
    TwStructMember pairMembers[] = {
        {"first", TW_TYPE_FLOAT, offsetof(Pair, first), " label='First' min=0 max=2 "},
        {"second", TW_TYPE_INT32, offsetof(Pair, second), ""}};
    const TwType pair = TwDefineStruct("Pair", pairMembers, 2, sizeof(Pair), nullptr, nullptr);
    ASSERT_NE(pair, TW_TYPE_UNDEF) << TwGetLastError();
    TwStructMember nestedMembers[] = {{"weight", TW_TYPE_DOUBLE, offsetof(Nested, weight), ""},
                                      {"pair", pair, offsetof(Nested, pair), ""}};
    const TwType nested =
        TwDefineStruct("Nested", nestedMembers, 2, sizeof(Nested), nullptr, nullptr);
    ASSERT_NE(nested, TW_TYPE_UNDEF) << TwGetLastError();
    EXPECT_EQ(TweakBar::FindType("Nested"), nested);

    TwBar* bar = TwNewBar("Structs");
    ASSERT_EQ(TwAddVarCB(bar, "value", nested, &SetNested, &GetNested, nullptr, ""), 1);
    TweakBar::EntryView member;
    ASSERT_TRUE(TweakBar::InspectEntry("Structs", "value.pair.first", member));
    EXPECT_EQ(member.label, "First");
    double read = 0.0;
    ASSERT_TRUE(TweakBar::ReadNumber("Structs", "value.pair.second", read));
    EXPECT_EQ(read, 7.0);
    // Setting one member writes the whole value back, the other members as they were.
    EXPECT_TRUE(TweakBar::SetNumber("Structs", "value.pair.first", 5.0));
    TweakBar::RunQueuedCallbacks();
    EXPECT_FLOAT_EQ(g_nested.pair.first, 2.0f) << "clamped to the member's range";
    EXPECT_EQ(g_nested.pair.second, 7);
    EXPECT_DOUBLE_EQ(g_nested.weight, 0.5);

    // A member outside the struct, or a string member, refuses the whole type.
    TwStructMember outside[] = {{"far", TW_TYPE_DOUBLE, sizeof(Pair), ""}};
    EXPECT_EQ(TwDefineStruct("Outside", outside, 1, sizeof(Pair), nullptr, nullptr), TW_TYPE_UNDEF);
    TwStructMember text[] = {{"name", TW_TYPE_STDSTRING, 0, ""}};
    EXPECT_EQ(TwDefineStruct("Text", text, 1, sizeof(std::string), nullptr, nullptr),
              TW_TYPE_UNDEF);
    EXPECT_EQ(g_errors.size(), 2u);
}
