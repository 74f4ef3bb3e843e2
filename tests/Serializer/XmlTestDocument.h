#pragma once
// A parsed document for tests, loaded as the engine loads its files.
#include "Serializer/XmlFile.h"
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
