#include "Xml/XmlReader.h"
#include <cstring>
#include <tinyxml2.h>

namespace
{
// Bad values kept per reader: enough to report a broken component, bounded for a hostile one.
constexpr std::size_t MaxBadValues = 16;
} // namespace

namespace Serializer
{
XmlReader::XmlReader(const tinyxml2::XMLElement* element, bool standOnFirstChild)
    : m_root(element), m_current(nullptr), m_attribute(nullptr), m_pendingChild(nullptr)
{
    if (!element)
        return;
    if (standOnFirstChild)
    {
        StandOn(element->FirstChildElement());
        m_pendingChild = m_current ? m_current->FirstChildElement() : nullptr;
    }
    else
    {
        StandOn(element);
    }
}

const char* XmlReader::CurrentText() const
{
    return m_current ? m_current->GetText() : nullptr;
}

bool XmlReader::Accepts(const char* name) const
{
    if (!m_current)
        return false;
    return !name || name[0] == '\0' || std::strcmp(m_current->Name(), name) == 0;
}

void XmlReader::NextElement()
{
    if (!m_current)
        return;
    m_pendingChild = m_current->FirstChildElement();
    // The element the reader was built over has no siblings of its own to walk.
    StandOn(m_current == m_root ? nullptr : m_current->NextSiblingElement());
}

void XmlReader::NextAttribute(bool advanceElement)
{
    if (m_attribute)
        m_attribute = m_attribute->Next();
    if (!m_attribute && advanceElement && m_current && !m_current->GetText())
        NextElement();
}

bool XmlReader::EnterElement()
{
    m_stack.push_back(m_current);
    const tinyxml2::XMLElement* child = m_pendingChild;
    StandOn(child);
    m_pendingChild = child ? child->FirstChildElement() : nullptr;
    return child != nullptr;
}

void XmlReader::LeaveElement()
{
    if (m_stack.empty())
        return;
    StandOn(m_stack.back());
    m_stack.pop_back();
    m_pendingChild = nullptr;
}

void XmlReader::StandOn(const tinyxml2::XMLElement* element)
{
    m_current = element;
    m_attribute = element ? element->FirstAttribute() : nullptr;
}

void XmlReader::NoteBadValue(const char* text)
{
    if (m_badValues.size() >= MaxBadValues)
        return;
    const char* member = m_current != nullptr ? m_current->Name() : "";
    m_badValues.push_back(BadValue{member != nullptr ? member : "", text != nullptr ? text : ""});
}
} // namespace Serializer
