#pragma once
// Appends members to one parent element, one child element per member, through which
// components and the editor's savers write XML.
//
// Conventions: a member is written as an element named after it (or after its type's default
// name when the member name is empty); plain values are the element's text, compound values
// its attributes in a fixed order. The writer owns nothing: the document and the parent element
// must outlive it.
#include <string>

namespace tinyxml2
{
class XMLDocument;
class XMLElement;
class XMLNode;
} // namespace tinyxml2

namespace Serializer
{
class XmlWriter
{
public:
    // A null parent appends members to the document itself.
    XmlWriter(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent);

    tinyxml2::XMLDocument& GetDocument() const { return m_document; }
    tinyxml2::XMLElement* GetParent() const { return m_parent; }

    // Appends a new element as the parent's last child and hands it back to be filled. An empty
    // or null name takes defaultName.
    tinyxml2::XMLElement* AppendElement(const char* name, const char* defaultName);
    // Appends an element whose text is the given text.
    void AppendTextElement(const char* name, const char* defaultName, const std::string& text);

    // Writes each listed object (pointers to anything with Serialize(XmlWriter&), such as
    // components) through its own Serialize, in list order; null entries are skipped.
    template <class Range> void WriteObjects(const Range& objects)
    {
        for (const auto& object : objects)
        {
            if (object != nullptr)
                object->Serialize(*this);
        }
    }

private:
    tinyxml2::XMLDocument& m_document;
    tinyxml2::XMLElement* m_parent;
};

// A new element of the document, not yet linked anywhere.
tinyxml2::XMLElement* CreateElement(tinyxml2::XMLDocument& document, const char* name);
// Appends the node as the parent's last child; a null node, or one of another document, is
// not appended.
void AppendChild(tinyxml2::XMLNode& parent, tinyxml2::XMLNode* node);
} // namespace Serializer
