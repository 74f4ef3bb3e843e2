#include "Serializer/ObjectDefinition.h"
#include "Core/Log.h"
#include "Serializer/FileSystem.h"
#include "Serializer/Xml/RegularFile.h"
#include "Serializer/Xml/XmlFile.h"
#include <tinyxml2.h>

namespace Serializer
{
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
    const std::string path = NormalizePath(m_param.path);
    std::string text;
    std::string reason;
    if (!ReadRegularFile(path, MaxXmlFileBytes, text, reason))
    {
        // An empty document: no root element, so the definition is not valid.
        m_document->Clear();
        Core::Log() << "Error [SerializerSystem]: object definition " << m_name << " ("
                    << m_param.path << ") cannot be read: " << reason << '\n';
        return;
    }
    if (m_document->Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
    {
        Core::Log() << "Error [SerializerSystem]: object definition " << m_name << " ("
                    << m_param.path << ") does not parse: " << m_document->ErrorStr() << '\n';
    }
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
