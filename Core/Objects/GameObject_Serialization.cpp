// The XML form of a game object: one element named after the object, holding one element per
// component named after the component's type name, each holding the component's members.
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <tinyxml2.h>

namespace
{
// An element needs a tag; an object made without a definition name is written under this one.
constexpr const char* UnnamedObjectTag = "GameObject";

// The file of the innermost SourceFileScope of this thread, or null.
thread_local const std::string* t_sourceFile = nullptr;

std::string SourceFileName()
{
    return t_sourceFile != nullptr ? *t_sourceFile : std::string("(no file)");
}

void AppendTo(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent,
              tinyxml2::XMLElement* element)
{
    if (parent != nullptr)
        Serializer::AppendChild(*parent, element);
    else
        Serializer::AppendChild(document, element);
}
} // namespace

GameObject::SourceFileScope::SourceFileScope(const std::string& file) : m_previous(t_sourceFile)
{
    t_sourceFile = &file;
}

GameObject::SourceFileScope::~SourceFileScope()
{
    t_sourceFile = m_previous;
}

void GameObject::Deserialize(const tinyxml2::XMLElement* firstComponentElement)
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
    {
        Core::Log() << "Error [GameObject]: No game factory to create the components of (" << m_name
                    << ")\n";
        return;
    }
    // Room for every component at once: objects are made during play (projectiles, texts), and
    // the list then grows in one step rather than several.
    std::size_t elements = 0;
    for (const tinyxml2::XMLElement* element = firstComponentElement; element != nullptr;
         element = element->NextSiblingElement())
        ++elements;
    m_components.reserve(m_components.size() + elements);
    for (const tinyxml2::XMLElement* element = firstComponentElement; element != nullptr;
         element = element->NextSiblingElement())
    {
        GameObjectComponent* component = nullptr;
        try
        {
            component = factory->CreateComponent(element->Name());
        }
        catch (const Core::OAException& exception)
        {
            Core::Log() << "Error [GameObject]: Could not create component (" << element->Name()
                        << ") of (" << m_name << "): " << exception.what() << "\n";
            return;
        }
        if (component == nullptr)
        {
            Core::Log() << "Error [GameObject]: Unknown component type (" << element->Name()
                        << ") in (" << m_name << "), skipped; file " << SourceFileName() << '\n';
            continue;
        }
        // Several components of one type are allowed, but a definition rarely means it unless
        // the kind says so. Members of one family (an enemy's behaviours) share the type id and
        // are told apart by name.
        const GameObjectComponent* same = GetComponent(component->GetType());
        if (same != nullptr && same->GetName() == component->GetName() && !component->MayRepeat())
        {
            Core::Log() << "Error [GameObject]: " << SourceFileName() << ": object " << m_name
                        << " has a second " << std::string(element->Name()) << '\n';
        }
        // Added before it reads, so that a component may look at its object while reading.
        AddComponent(component);
        Serializer::XmlReader reader(element, true);
        component->Deserialize(reader);
        for (const Serializer::XmlReader::BadValue& bad : reader.GetBadValues())
        {
            Core::Log() << "Error [GameObject]: " << SourceFileName() << ": object " << m_name
                        << ", component " << std::string(element->Name()) << ", member "
                        << bad.member << ": the value \"" << bad.text
                        << "\" does not parse; the member keeps its default\n";
        }
    }
}

void GameObject::Serialize(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent) const
{
    tinyxml2::XMLElement* objectElement =
        Serializer::CreateElement(document, m_name.empty() ? UnnamedObjectTag : m_name.c_str());
    for (const ComponentEntry& entry : m_components)
        SerializeComponent(document, objectElement, *entry.component);
    AppendTo(document, parent, objectElement);
}

void GameObject::SerializeComponent(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent,
                                    GameObjectComponent& component)
{
    tinyxml2::XMLElement* componentElement =
        Serializer::CreateElement(document, component.GetName().c_str());
    Serializer::XmlWriter writer(document, componentElement);
    component.Serialize(writer);
    AppendTo(document, parent, componentElement);
}
