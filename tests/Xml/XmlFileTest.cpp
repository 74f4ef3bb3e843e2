#include "Xml/XmlFile.h"
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

using Serializer::LoadXmlFile;
using Serializer::ParseXmlText;

namespace
{
std::string WriteTempFile(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

std::string Nested(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}
} // namespace

TEST(XmlFile, LoadsWithWhiteSpaceCollapsed)
{
    const std::string path =
        WriteTempFile("xml_file_good.xml", "<Obj>\n  <name>  two   words </name>\n</Obj>");
    std::string error;
    auto document = LoadXmlFile(path, error);
    ASSERT_TRUE(document) << error;
    EXPECT_STREQ(document->RootElement()->FirstChildElement("name")->GetText(), "two words");
}

TEST(XmlFile, MalformedDocumentsAreRejectedNamingTheirSource)
{
    const char* malformed[] = {
        "<a><b></a>",    // wrong nesting
        "<a><b>",        // unterminated
        "<a x=\"1></a>", // unterminated attribute
        "",              // empty
        "just text",     // no element
        "<a></a><",      // trailing garbage
    };
    for (const char* text : malformed)
    {
        std::string error;
        EXPECT_FALSE(ParseXmlText(text, std::strlen(text), "bad.xml", error)) << text;
        EXPECT_NE(error.find("bad.xml"), std::string::npos) << error;
    }
    std::string error;
    EXPECT_FALSE(ParseXmlText(nullptr, 0, "null.xml", error));
    EXPECT_NE(error.find("null.xml"), std::string::npos);
}

TEST(XmlFile, MissingFileIsRejectedNamingIt)
{
    std::string error;
    EXPECT_FALSE(LoadXmlFile("no/such/file.xml", error));
    EXPECT_NE(error.find("no/such/file.xml"), std::string::npos) << error;
}

TEST(XmlFile, DocumentNestedTooDeeplyIsRejectedNamingItsFile)
{
    const int tooDeep = TINYXML2_MAX_ELEMENT_DEPTH + 10;
    const std::string path = WriteTempFile("xml_file_deep.xml", Nested(tooDeep));
    std::string error;
    EXPECT_FALSE(LoadXmlFile(path, error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("DEPTH"), std::string::npos) << error;

    const std::string shallow = Nested(TINYXML2_MAX_ELEMENT_DEPTH / 2);
    EXPECT_TRUE(ParseXmlText(shallow.c_str(), shallow.size(), "shallow", error));
}

TEST(XmlFile, PrintsTheBytesSaveFileWrites)
{
    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    tinyxml2::XMLElement* root = document.NewElement("ParticleEffect");
    document.InsertEndChild(root);
    tinyxml2::XMLElement* transform = root->InsertNewChildElement("TransformComponent");
    tinyxml2::XMLElement* position = transform->InsertNewChildElement("position");
    position->SetAttribute("X", 1.5);
    position->SetAttribute("Y", "a <b> & \"c\"");
    transform->InsertNewChildElement("name")->SetText("two  words & more");
    root->InsertNewComment(" a comment ");
    root->InsertNewChildElement("Empty");

    const std::string path = ::testing::TempDir() + "xml_file_printed.xml";
    ASSERT_EQ(document.SaveFile(path.c_str(), false), tinyxml2::XML_SUCCESS);
    std::ifstream saved(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(saved)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(Serializer::PrintXmlDocument(document), bytes);
    EXPECT_EQ(Serializer::PrintXmlDocument(tinyxml2::XMLDocument()), "");
}

TEST(XmlFile, CleanNamesAreElementAndDefinitionNames)
{
    using Serializer::CleanXmlName;
    EXPECT_EQ(CleanXmlName("Glow"), "Glow");
    EXPECT_EQ(CleanXmlName("_under-score"), "_under-score");
    EXPECT_EQ(CleanXmlName("a b"), "a_b");
    EXPECT_EQ(CleanXmlName("1abc"), "_1abc");
    EXPECT_EQ(CleanXmlName("x<y"), "x_y");
    EXPECT_EQ(CleanXmlName("9 lives!"), "_9_lives_");
    EXPECT_EQ(CleanXmlName("Fire.big"), "Fire_big");
    EXPECT_EQ(CleanXmlName("-dash"), "_-dash");
    EXPECT_EQ(CleanXmlName(""), "");
    for (const char* name : {"a b", "1abc", "x<y", "9 lives!", ".hidden", "\xc3\xa9t\xc3\xa9"})
    {
        const std::string text = "<" + CleanXmlName(name) + "/>";
        tinyxml2::XMLDocument parsed;
        EXPECT_EQ(parsed.Parse(text.c_str()), tinyxml2::XML_SUCCESS) << text;
    }
}
