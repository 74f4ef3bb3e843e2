// A component's member table: one declaration read by the type record, the XML writer and
// reader, and the editor walk.
#include "Core/Reflection/MemberTable.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <gtest/gtest.h>
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace
{
// A lamp as a component would declare it: a flag only the editor's reflection sees, three
// written members, one of them under a tag of its own.
struct Lamp
{
    f32 radius = 1.0f;
    bool lit = false;
    Math::ColorRGBA colour;
    Math::Vector4 aim;
    bool debugOnly = false;

    static const MemberTable<Lamp>& Members()
    {
        using namespace MemberFlag;
        QUILL_MEMBER_TABLE(table, Lamp, ReadRule::ByTag,
                           QUILL_MEMBER(Lamp, radius, Reflected | Written),
                           QUILL_MEMBER(Lamp, colour, Written),
                           QUILL_MEMBER(Lamp, aim, Reflected | Written).Tag("vec4"),
                           QUILL_MEMBER(Lamp, debugOnly, Reflected));
        return table;
    }
};

std::vector<std::string> Keys(const TypeRecord& record)
{
    std::vector<std::string> keys;
    for (auto it = record.MembersBegin(); it != record.MembersEnd(); ++it)
        keys.push_back(it->first);
    return keys;
}
} // namespace

QUILL_DECLARE_TYPE_RECORD(Lamp)
QUILL_DEFINE_TYPE_RECORD(Lamp, nullptr, false)

TEST(MemberTable, AMemberAppearsInTheRecordTheWrittenFormAndTheReadBack)
{
    InitializeTypeRegistry();
    RegisterTableMembers(Lamp::Members());
    const TypeRecord& record = TypeRecordOf<Lamp>();
    EXPECT_EQ(Keys(record), (std::vector<std::string>{"radius", "aim", "debugOnly"}));
    EXPECT_EQ(record.GetMember("aim").GetType(), &TypeRecordOf<Math::Vector4>());
    EXPECT_EQ(record.GetMember("aim").GetOffset(), offsetof(Lamp, aim));

    Lamp original;
    original.radius = 2.5f;
    original.colour = Math::ColorRGBA(1.0f, 0.0f, 0.0f, 1.0f);
    original.aim = Math::Vector4(0, 0, 1, 0);
    original.debugOnly = true;
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* element = document.NewElement("Lamp");
    document.InsertEndChild(element);
    Serializer::XmlWriter writer(document, element);
    WriteMembers(writer, original, Lamp::Members());

    std::string tags;
    for (const tinyxml2::XMLElement* member = element->FirstChildElement(); member != nullptr;
         member = member->NextSiblingElement())
        tags += std::string(member->Name()) + " ";
    EXPECT_EQ(tags, "radius colour vec4 ");

    Lamp copy;
    Serializer::XmlReader reader(element, true);
    ReadMembers(reader, copy, Lamp::Members());
    EXPECT_EQ(copy.radius, 2.5f);
    EXPECT_EQ(copy.colour, original.colour);
    EXPECT_EQ(copy.aim, original.aim);
    EXPECT_FALSE(copy.debugOnly) << "not written, so the default stays";

    // Read by tag: a file without the colour still finds the aim after it.
    element->DeleteChild(element->FirstChildElement("colour"));
    Lamp partial;
    Serializer::XmlReader partialReader(element, true);
    ReadMembers(partialReader, partial, Lamp::Members());
    EXPECT_EQ(partial.aim, original.aim);
    EXPECT_EQ(partial.colour, Lamp().colour);
}

TEST(MemberTable, TheEditorWalkFollowsItsOwnOrderOverTheFieldsFloats)
{
    TransformComponent transform;
    std::vector<std::string> labels;
    std::vector<f32*> floats;
    std::vector<u32> counts;
    bool scaleHasUniform = false;
    WalkEditorMembers(transform, TransformComponent::Members(),
                      [&](const EditorMember& member)
                      {
                          labels.push_back(member.field.label);
                          floats.push_back(member.floats);
                          counts.push_back(member.floatCount);
                          if (std::string(member.field.label) == "Scale")
                              scaleHasUniform = member.field.uniformScale;
                      });
    EXPECT_EQ(labels, (std::vector<std::string>{"Position", "Scale", "Orientation"}));
    EXPECT_EQ(floats, (std::vector<f32*>{&transform.position.x, &transform.scale.x,
                                         &transform.orientation.w}));
    EXPECT_EQ(counts, (std::vector<u32>{3, 3, 4}));
    EXPECT_TRUE(scaleHasUniform);
}
