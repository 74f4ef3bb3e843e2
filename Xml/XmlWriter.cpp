#include "Xml/XmlWriter.h"
#include <tinyxml2.h>

namespace Serializer
{
XmlWriter::XmlWriter(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent)
    : m_document(document), m_parent(parent)
{
}

tinyxml2::XMLElement* XmlWriter::AppendElement(const char* name, const char* defaultName)
{
    const char* tag = (name && name[0] != '\0') ? name : defaultName;
    tinyxml2::XMLElement* element = m_document.NewElement(tag);
    if (m_parent)
        m_parent->InsertEndChild(element);
    else
        m_document.InsertEndChild(element);
    return element;
}

void XmlWriter::AppendTextElement(const char* name, const char* defaultName,
                                  const std::string& text)
{
    AppendElement(name, defaultName)->SetText(text.c_str());
}

tinyxml2::XMLElement* CreateElement(tinyxml2::XMLDocument& document, const char* name)
{
    return document.NewElement(name);
}

void AppendChild(tinyxml2::XMLNode& parent, tinyxml2::XMLNode* node)
{
    if (node)
        parent.InsertEndChild(node);
}
} // namespace Serializer
