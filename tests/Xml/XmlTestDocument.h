#pragma once
// Documents for tests: one parsed as the engine loads its files, and one that writers fill.
#include "Xml/XmlFile.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tinyxml2.h>

struct XmlTestDocument
{
    explicit XmlTestDocument(const char* text)
    {
        std::string error;
        document = Serializer::ParseXmlText(text, std::strlen(text), "test", error);
        EXPECT_TRUE(document) << error;
        if (document)
            root = document->RootElement();
    }

    std::unique_ptr<tinyxml2::XMLDocument> document;
    tinyxml2::XMLElement* root = nullptr;
};

// A document with one parent element that writers append to and readers read back from.
struct WrittenDocument
{
    WrittenDocument() : parent(Serializer::CreateElement(document, "P")), writer(document, parent)
    {
        document.InsertEndChild(parent);
    }

    Serializer::XmlReader Reader() const { return Serializer::XmlReader(parent, true); }

    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* parent;
    Serializer::XmlWriter writer;
};

// The printed form of an element, without indentation, for comparing writer output.
inline std::string PrintCompact(const tinyxml2::XMLNode& node)
{
    tinyxml2::XMLPrinter printer(nullptr, true);
    node.Accept(&printer);
    return printer.CStr();
}

inline const char* TagOf(const tinyxml2::XMLElement* element)
{
    return element ? element->Name() : "(none)";
}
