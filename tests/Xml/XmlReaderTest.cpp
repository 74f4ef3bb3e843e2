#include "Xml/XmlReader.h"
#include "XmlTestDocument.h"
#include <gtest/gtest.h>
#include <string>

using Serializer::XmlReader;

namespace
{
// A component element as object definitions hold them: members with attributes or text, one
// with children of its own.
constexpr const char* ComponentXml = R"(<Component>
    <first a="1" b="2"/>
    <nested k="0"><inner1 v="5"/><inner2/></nested>
    <last>text</last>
</Component>)";
} // namespace

TEST(XmlReader, StandsOnFirstChildOrOnTheElementItself)
{
    XmlTestDocument xml(ComponentXml);

    XmlReader onChild(xml.root, true);
    EXPECT_STREQ(TagOf(onChild.CurrentElement()), "first");
    ASSERT_NE(onChild.CurrentAttribute(), nullptr);
    EXPECT_STREQ(onChild.CurrentAttribute()->Name(), "a");

    XmlReader onRoot(xml.root, false);
    EXPECT_STREQ(TagOf(onRoot.CurrentElement()), "Component");
    EXPECT_EQ(onRoot.CurrentAttribute(), nullptr);

    XmlReader empty(nullptr, true);
    EXPECT_EQ(empty.CurrentElement(), nullptr);
    empty.NextElement();
    empty.NextAttribute(true);
    EXPECT_FALSE(empty.EnterElement());
    empty.LeaveElement();
    EXPECT_EQ(empty.CurrentElement(), nullptr);
}

TEST(XmlReader, WalksSiblingsAndEndsAfterTheLast)
{
    XmlTestDocument xml(ComponentXml);
    XmlReader reader(xml.root, true);
    reader.NextElement();
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "nested");
    reader.NextElement();
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "last");
    EXPECT_STREQ(reader.CurrentText(), "text");
    reader.NextElement();
    EXPECT_EQ(reader.CurrentElement(), nullptr);
    EXPECT_EQ(reader.CurrentAttribute(), nullptr);
    reader.NextElement();
    EXPECT_EQ(reader.CurrentElement(), nullptr);
}

TEST(XmlReader, MovingOnFromTheRootEndsTheWalk)
{
    XmlTestDocument xml(ComponentXml);
    XmlReader reader(xml.root, false);
    reader.NextElement();
    EXPECT_EQ(reader.CurrentElement(), nullptr) << "a reader at its root must not stand still";
    // The root's children are still reachable through EnterElement.
    ASSERT_TRUE(reader.EnterElement());
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "first");
    reader.LeaveElement();
    EXPECT_EQ(reader.CurrentElement(), nullptr);
}

TEST(XmlReader, EntersTheElementJustReadAndLeavesToItsNextSibling)
{
    XmlTestDocument xml(ComponentXml);
    XmlReader reader(xml.root, true);
    reader.NextElement(); // past "first", which has no children
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "nested");
    reader.NextElement(); // read "nested": the cursor moves on, its first child is pending
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "last");

    ASSERT_TRUE(reader.EnterElement());
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "inner1");
    EXPECT_STREQ(reader.CurrentAttribute()->Name(), "v");
    reader.NextElement();
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "inner2");
    reader.NextElement();
    EXPECT_EQ(reader.CurrentElement(), nullptr);

    reader.LeaveElement();
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "last");
    EXPECT_EQ(reader.CurrentAttribute(), nullptr);
    // Leaving clears what was pending: entering now finds nothing and stands on nothing.
    EXPECT_FALSE(reader.EnterElement());
    EXPECT_EQ(reader.CurrentElement(), nullptr);
    reader.LeaveElement();
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "last");
}

TEST(XmlReader, LeavingWithoutEnteringDoesNothing)
{
    XmlTestDocument xml(ComponentXml);
    XmlReader reader(xml.root, true);
    reader.NextElement();
    reader.LeaveElement();
    reader.LeaveElement();
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "nested");
}

TEST(XmlReader, RightAfterConstructionEntersTheFirstChild)
{
    XmlTestDocument xml(R"(<C><outer><inner/></outer></C>)");
    XmlReader reader(xml.root, true);
    ASSERT_TRUE(reader.EnterElement());
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "inner");
}

TEST(XmlReader, AttributesRunOutIntoTheNextElementOnlyWhenAskedAndWithoutText)
{
    XmlTestDocument xml(R"(<C><a x="1"/><b y="2">text</b><c/></C>)");
    XmlReader reader(xml.root, true);

    reader.NextAttribute(false);
    EXPECT_EQ(reader.CurrentAttribute(), nullptr);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "a") << "a cleared flag stays in the element";

    reader.NextAttribute(true);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "b");
    EXPECT_STREQ(reader.CurrentAttribute()->Name(), "y");

    reader.NextAttribute(true);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "b") << "an element with text keeps the cursor";
}

TEST(XmlReader, ElementRuleMatchesEmptyNameOrExactTag)
{
    XmlTestDocument xml(R"(<C><count>7</count></C>)");
    XmlReader reader(xml.root, true);
    EXPECT_TRUE(reader.Accepts(""));
    EXPECT_TRUE(reader.Accepts(nullptr));
    EXPECT_TRUE(reader.Accepts("count"));
    EXPECT_FALSE(reader.Accepts("Count"));
    EXPECT_FALSE(reader.Accepts("coun"));
    reader.NextElement();
    EXPECT_FALSE(reader.Accepts(""));
}

TEST(XmlReader, TextAndCommentChildrenAreNotElements)
{
    XmlTestDocument xml(R"(<C>loose<!-- note --><a/>more<b/></C>)");
    XmlReader reader(xml.root, true);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "a");
    reader.NextElement();
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "b");
}
