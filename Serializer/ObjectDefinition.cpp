#include "Serializer/ObjectDefinition.h"
#include "Core/Log.h"
#include "Serializer/FileSystem.h"
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
    if (m_document->LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS)
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
