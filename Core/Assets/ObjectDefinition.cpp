#include "Core/Assets/ObjectDefinition.h"
#include "Core/Assets/FileSystem.h"
#include "Core/Log.h"
#include "Platform/RegularFile.h"
#include "Xml/XmlFile.h"
#include <tinyxml2.h>

namespace Serializer
{
namespace
{
enum class ParseResult
{
    Parsed,
    Unreadable,
    Unparsed,
};

// Reads the file into the document; the reason says why it could not be read or parsed.
ParseResult ParseFile(const std::string& path, tinyxml2::XMLDocument& document, std::string& reason)
{
    std::string text;
    if (!ReadRegularFile(path, MaxXmlFileBytes, text, reason))
    {
        // An empty document: no root element, so the definition is not valid.
        document.Clear();
        return ParseResult::Unreadable;
    }
    if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
    {
        reason = document.ErrorStr();
        return ParseResult::Unparsed;
    }
    return ParseResult::Parsed;
}
} // namespace

ObjectDefinition::ObjectDefinition() = default;

ObjectDefinition::~ObjectDefinition() = default;

bool ObjectDefinition::Load()
{
    m_document.reset(new tinyxml2::XMLDocument(true, tinyxml2::COLLAPSE_WHITESPACE));
    Parse();
    return true;
}

void ObjectDefinition::Unload()
{
    m_document.reset();
}

bool ObjectDefinition::Reload()
{
    if (!m_document)
        m_document.reset(new tinyxml2::XMLDocument(true, tinyxml2::COLLAPSE_WHITESPACE));
    // LoadFile empties the document before it parses.
    Parse();
    return true;
}

void ObjectDefinition::Parse()
{
    std::string reason;
    switch (ParseFile(NormalizePath(m_param.path), *m_document, reason))
    {
    case ParseResult::Unreadable:
        Core::Log() << "Error [SerializerSystem]: object definition " << m_name << " ("
                    << m_param.path << ") cannot be read: " << reason << '\n';
        break;
    case ParseResult::Unparsed:
        Core::Log() << "Error [SerializerSystem]: object definition " << m_name << " ("
                    << m_param.path << ") does not parse: " << reason << '\n';
        break;
    case ParseResult::Parsed:
        break;
    }
}

bool ObjectDefinition::ReadsBack(const std::string& path, std::string& reason)
{
    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    if (ParseFile(NormalizePath(path), document, reason) != ParseResult::Parsed)
        return false;
    if (document.RootElement() == nullptr)
    {
        reason = "it has no root element";
        return false;
    }
    return true;
}

bool ObjectDefinition::IsValid() const
{
    return m_document && !m_document->Error() && m_document->RootElement() != nullptr;
}

const tinyxml2::XMLElement* ObjectDefinition::GetFirstComponentElement() const
{
    if (!IsValid())
        return nullptr;
    return m_document->RootElement()->FirstChildElement();
}
} // namespace Serializer
