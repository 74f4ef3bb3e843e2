// The test component reads every kind of list and attribute member and writes back only its
// lists and the objects it names.
#include "Core/Components/TestComponent.h"
#include "Core/Objects/GameObject.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include "tests/Support/World.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace
{
// The crafted definition the object-reader fuzz corpus keeps as well.
std::string CraftedDefinition()
{
    std::ifstream file(QUILL_FUZZ_CORPUS_DIR "/test_component.xml");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The names of the elements written under the component's element, in order.
std::vector<std::string> WrittenTags(TestComponent& component, std::string* printed = nullptr)
{
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("TestComponent");
    document.InsertEndChild(root);
    Serializer::XmlWriter writer(document, root);
    component.Serialize(writer);
    std::vector<std::string> tags;
    for (auto* child = root->FirstChildElement(); child; child = child->NextSiblingElement())
        tags.emplace_back(child->Name());
    if (printed != nullptr)
    {
        tinyxml2::XMLPrinter printer;
        document.Print(&printer);
        *printed = printer.CStr();
    }
    return tags;
}
} // namespace

TEST(TestComponent, ReadsEveryMemberAndWritesOnlyItsLists)
{
    World world;
    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    const std::string text = CraftedDefinition();
    ASSERT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS);
    TestComponent component;
    Serializer::XmlReader reader(document.RootElement()->FirstChildElement("TestComponent"), true);
    component.Deserialize(reader);

    EXPECT_EQ(component.ints, (std::vector<int>{1, -2, 3}));
    EXPECT_EQ(component.strings, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(component.moreStrings, (std::vector<std::string>{"third"}));
    EXPECT_EQ(component.doubles, (std::vector<double>{0.5, -2.25}));
    EXPECT_EQ(component.smallArray, (std::vector<int>{7}));
    EXPECT_EQ(component.middleArray, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(component.largeArray, (std::vector<int>{4, 5, 6, 7}));
    EXPECT_EQ(component.attributeInts, (std::vector<int>{10, 20, 30}));
    EXPECT_TRUE(component.unusedInts.empty());
    // The unsigned value is the first attribute: the order is u32, s32, f32, double, bool; the
    // attributes run on from element to element.
    EXPECT_EQ(component.test_u32, 4000000000u);
    EXPECT_EQ(component.test_s32, -12);
    EXPECT_EQ(component.test_f32, 0.75f);
    EXPECT_EQ(component.test_double, 1e-300);
    EXPECT_TRUE(component.test_bool);
    EXPECT_EQ(component.text, "hello");
    // The discarded multi-float values were read too: the walk has ended.
    EXPECT_EQ(reader.CurrentElement(), nullptr);
    EXPECT_TRUE(reader.GetBadValues().empty());

    // Written: the lists of ints, strings (both runs under one tag) and doubles; nothing else.
    EXPECT_EQ(WrittenTags(component), (std::vector<std::string>{"s32", "s32", "s32", "str", "str",
                                                                "str", "double", "double"}));
}

TEST(TestComponent, WritesTheObjectsItNamesFirstAndEachOnlyOnce)
{
    World world;
    GameObject* lamp = world.Create("Lamp");
    GameObject* post = world.Create("Post");
    auto* lampList = static_cast<TestComponent*>(world.factory.CreateComponent("TestComponent"));
    auto* postList = static_cast<TestComponent*>(world.factory.CreateComponent("TestComponent"));
    ASSERT_NE(lampList, nullptr);
    ASSERT_NE(postList, nullptr);
    lamp->AddComponent(lampList);
    post->AddComponent(postList);
    // The lamp names the post, the post names the lamp and itself, and an id that names nothing.
    lampList->objectIds = {post->GetId()};
    postList->objectIds = {lamp->GetId(), post->GetId(), Engine::GenerateId()};
    lampList->ints = {5};

    std::string printed;
    const std::vector<std::string> tags = WrittenTags(*lampList, &printed);
    EXPECT_EQ(tags, (std::vector<std::string>{"Post", "s32"})) << printed;
    // Inside the post, the lamp is written once more, and there it stops.
    EXPECT_NE(printed.find("<Lamp>"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("<Post>", printed.find("<Post>") + 1), std::string::npos) << printed;
}
