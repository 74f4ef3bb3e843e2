#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include "XmlTestDocument.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Serializer;

TEST(PlainValueXml, ReadsOnlyAnElementOfTheGivenName)
{
    XmlTestDocument xml(R"(<C><count>7</count><next/></C>)");
    XmlReader reader(xml.root, true);
    int value = -1;
    ReadInt(reader, value, "number");
    EXPECT_EQ(value, -1);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "count") << "a different tag does not move";
    ReadInt(reader, value, "count");
    EXPECT_EQ(value, 7);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "next");
}

TEST(PlainValueXml, ElementTextsAreParsedByType)
{
    XmlTestDocument xml(R"(<C>
        <i>-42</i><u>4000000000</u><f>0.25</f><d>1e-300</d><s>hello world</s>
        <b1>1</b1><b2>true</b2><b3>false</b3><b4>17</b4><b5>maybe</b5>
    </C>)");
    XmlReader reader(xml.root, true);
    int i = 0;
    unsigned int u = 0;
    float f = 0.0f;
    double d = 0.0;
    std::string s;
    bool b1 = false, b2 = false, b3 = true, b4 = false, b5 = true;
    ReadInt(reader, i, "i");
    ReadElement(reader, u, "u");
    ReadElement(reader, f, "f");
    ReadDouble(reader, d, "d");
    ReadString(reader, s, "s");
    ReadBool(reader, b1, "b1");
    ReadBool(reader, b2, "b2");
    ReadBool(reader, b3, "b3");
    ReadBool(reader, b4, "b4");
    ReadBool(reader, b5, "b5");
    EXPECT_EQ(i, -42);
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(f, 0.25f);
    EXPECT_EQ(d, 1e-300);
    EXPECT_EQ(s, "hello world");
    EXPECT_TRUE(b1);
    EXPECT_TRUE(b2);
    EXPECT_FALSE(b3);
    EXPECT_TRUE(b4) << "any non-zero integer is true";
    EXPECT_TRUE(b5) << "other text leaves the value";
    EXPECT_EQ(reader.CurrentElement(), nullptr);
}

TEST(PlainValueXml, FailedOrMissingTextKeepsTheValueAndMovesOn)
{
    XmlTestDocument xml(R"(<C><a>abc</a><b/><c></c><d>1e99</d><e>-3</e><end/></C>)");
    XmlReader reader(xml.root, true);
    int a = 5;
    float b = 6.0f;
    std::string c = "keep";
    float d = 8.0f;
    unsigned int e = 9;
    ReadInt(reader, a, "a");
    ReadElement(reader, b, "b");
    ReadString(reader, c, "c");
    ReadElement(reader, d, "d");
    ReadElement(reader, e, "e");
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6.0f);
    EXPECT_EQ(c, "keep");
    EXPECT_EQ(d, 8.0f);
    EXPECT_EQ(e, 9u);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "end");
}

TEST(PlainValueXml, LeftOutMembersKeepDefaultsButReorderedOnesBlock)
{
    // Declaration order: speed, count, label. The file leaves out count.
    XmlTestDocument omitted(R"(<C><speed>2.5</speed><label>x</label></C>)");
    XmlReader reader(omitted.root, true);
    float speed = 1.0f;
    int count = 3;
    std::string label = "default";
    ReadElement(reader, speed, "speed");
    ReadInt(reader, count, "count");
    ReadString(reader, label, "label");
    EXPECT_EQ(speed, 2.5f);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(label, "x");

    // count placed before speed: speed is never found, count and label are read.
    XmlTestDocument reordered(R"(<C><count>4</count><speed>2.5</speed><label>y</label></C>)");
    XmlReader second(reordered.root, true);
    speed = 1.0f;
    ReadElement(second, speed, "speed");
    ReadInt(second, count, "count");
    ReadString(second, label, "label");
    EXPECT_EQ(speed, 1.0f);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(label, "x") << "label stands after the unread speed element";
}

TEST(PlainValueXml, ListsReadTheRunOfOneTag)
{
    XmlTestDocument xml(R"(<C><s32>1</s32><s32>2</s32><s32>3</s32><str>a</str><str>b</str>
        <double>0.5</double><double>oops</double><double>2</double></C>)");
    XmlReader reader(xml.root, true);
    std::vector<int> ints = {0};
    std::vector<std::string> strings;
    std::vector<double> doubles;
    ReadIntList(reader, ints, "");
    EXPECT_EQ(ints, (std::vector<int>{0, 1, 2, 3})) << "lists are appended to";
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "str");
    ReadDoubleList(reader, doubles, "double");
    EXPECT_TRUE(doubles.empty()) << "a list of another tag reads nothing";
    ReadStringList(reader, strings, "str");
    EXPECT_EQ(strings, (std::vector<std::string>{"a", "b"}));
    ReadDoubleList(reader, doubles, "");
    EXPECT_EQ(doubles, (std::vector<double>{0.5, 0.0, 2.0}));
    EXPECT_EQ(reader.CurrentElement(), nullptr);
}

TEST(PlainValueXml, ListOverTheRootItselfEnds)
{
    XmlTestDocument xml(R"(<s32>4</s32>)");
    XmlReader reader(xml.root, false);
    std::vector<int> values;
    ReadIntList(reader, values, "");
    EXPECT_EQ(values, (std::vector<int>{4}));
}

TEST(PlainValueXml, AttributesAreTakenByPosition)
{
    XmlTestDocument xml(R"(<C><e z="12" a="-3" q="0.75" w="1" t="word" extra="x"/><f/></C>)");
    XmlReader reader(xml.root, true);
    unsigned int u = 0;
    int i = 0;
    float f = 0.0f;
    bool b = false;
    std::string s;
    ReadAttributeUnsigned(reader, u);
    ReadAttributeInt(reader, i);
    ReadAttributeFloat(reader, f);
    ReadAttributeBool(reader, b);
    ReadAttributeString(reader, s);
    EXPECT_EQ(u, 12u);
    EXPECT_EQ(i, -3);
    EXPECT_EQ(f, 0.75f);
    EXPECT_TRUE(b);
    EXPECT_EQ(s, "word");
    ASSERT_NE(reader.CurrentAttribute(), nullptr);
    double d = 4.0;
    ReadAttributeDouble(reader, d, true);
    EXPECT_EQ(d, 4.0) << "x does not parse";
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "f") << "the last attribute advanced";
    ReadAttributeDouble(reader, d, true);
    EXPECT_EQ(d, 4.0);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "f") << "no attribute: nothing happens";
}

TEST(PlainValueXml, AttributeIntListReadsOneElementOnly)
{
    XmlTestDocument xml(R"(<C><a v="4" w="x" u="6"/><b n="9"/></C>)");
    XmlReader reader(xml.root, true);
    std::vector<int> values;
    ReadAttributeIntList(reader, values);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values.front(), 4);
    EXPECT_EQ(values.back(), 6);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "b") << "the sibling is not skipped";
    EXPECT_STREQ(reader.CurrentAttribute()->Name(), "n");
}

TEST(PlainValueXml, AttributeIntArrayFillsAtMostItsSlots)
{
    XmlTestDocument xml(R"(<C><a p="1" q="2" r="3" s="4"/><b/><c/></C>)");
    XmlReader reader(xml.root, true);
    int slots[3] = {0, 0, 0};
    ReadAttributeIntArray(reader, slots, 3);
    EXPECT_EQ(slots[0], 1);
    EXPECT_EQ(slots[1], 2);
    EXPECT_EQ(slots[2], 3);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "b");
    ReadAttributeIntArray(reader, slots, 3);
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "c") << "without attributes it only moves on";
    EXPECT_EQ(slots[0], 1);
}

TEST(PlainValueXml, WritersUseMemberNameOrTypeDefault)
{
    WrittenDocument out;
    WriteBool(out.writer, true, "flag");
    WriteBool(out.writer, false, "");
    WriteUnsigned(out.writer, 4000000000u, "");
    WriteFloat(out.writer, 0.1f, "speed");
    WriteFloat(out.writer, 0.1f, "");
    WriteInt(out.writer, -7, "");
    WriteDouble(out.writer, 1.0 / 3.0, "ratio");
    WriteDouble(out.writer, 1.0 / 3.0, "");
    WriteString(out.writer, std::string("ab\0cd", 5), "");
    EXPECT_EQ(PrintCompact(*out.parent), "<P><flag>1</flag><bool>0</bool><u32>4000000000</u32>"
                                         "<speed>0.1</speed><f32>0.1</f32><s32>-7</s32>"
                                         "<ratio>0.33333333</ratio><double>0.33333333</double>"
                                         "<str>ab</str></P>");
}

TEST(PlainValueXml, ListWritersWriteOneElementPerItem)
{
    WrittenDocument out;
    WriteIntList(out.writer, {5, -2});
    WriteDoubleList(out.writer, {});
    WriteStringList(out.writer, {"x", "y"});
    WriteDoubleList(out.writer, {0.5});
    EXPECT_EQ(PrintCompact(*out.parent), "<P><s32>5</s32><s32>-2</s32><str>x</str><str>y</str>"
                                         "<double>0.5</double></P>");
}

namespace
{
// A member list entry that writes one element of its own.
struct Written
{
    int value;
    void Serialize(XmlWriter& writer) const { WriteInt(writer, value, "item"); }
};
} // namespace

TEST(PlainValueXml, WriteObjectsWritesEachListedObjectInOrderAndSkipsNull)
{
    WrittenDocument out;
    Written first{1};
    Written second{2};
    const std::vector<const Written*> objects = {&first, nullptr, &second};
    out.writer.WriteObjects(objects);
    EXPECT_EQ(PrintCompact(*out.parent), "<P><item>1</item><item>2</item></P>");
}

TEST(PlainValueXml, PlainValuesSurviveWriteThenRead)
{
    WrittenDocument out;
    WriteInt(out.writer, -123456, "i");
    WriteUnsigned(out.writer, 4294967295u, "u");
    WriteFloat(out.writer, 12.375f, "f");
    WriteDouble(out.writer, -0.0625, "d");
    WriteBool(out.writer, true, "b");
    WriteString(out.writer, "some text", "s");
    WriteIntList(out.writer, {1, 2, 3});
    WriteStringList(out.writer, {"p", "q"});
    WriteDoubleList(out.writer, {0.5, 1e-10});

    XmlReader reader = out.Reader();
    int i = 0;
    unsigned int u = 0;
    float f = 0.0f;
    double d = 0.0;
    bool b = false;
    std::string s;
    std::vector<int> ints;
    std::vector<std::string> strings;
    std::vector<double> doubles;
    ReadInt(reader, i, "i");
    ReadElement(reader, u, "u");
    ReadElement(reader, f, "f");
    ReadDouble(reader, d, "d");
    ReadBool(reader, b, "b");
    ReadString(reader, s, "s");
    ReadIntList(reader, ints, "s32");
    ReadStringList(reader, strings, "str");
    ReadDoubleList(reader, doubles, "double");
    EXPECT_EQ(i, -123456);
    EXPECT_EQ(u, 4294967295u);
    EXPECT_EQ(f, 12.375f);
    EXPECT_EQ(d, -0.0625);
    EXPECT_TRUE(b);
    EXPECT_EQ(s, "some text");
    EXPECT_EQ(ints, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(strings, (std::vector<std::string>{"p", "q"}));
    EXPECT_EQ(doubles, (std::vector<double>{0.5, 1e-10}));
}
