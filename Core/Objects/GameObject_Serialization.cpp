// The XML form of a game object: one element named after the object, holding one element per
// component named after the component's type name, each holding the component's members.
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Serializer/Xml/XmlReader.h"
#include "Serializer/Xml/XmlWriter.h"
#include <tinyxml2.h>

namespace
{
// An element needs a tag; an object made without a definition name is written under this one.
constexpr const char* UnnamedObjectTag = "GameObject";

void AppendTo(tinyxml2::XMLDocument& document, tinyxml2::XMLElement* parent,
              tinyxml2::XMLElement* element)
{
    if (parent != nullptr)
        Serializer::AppendChild(*parent, element);
    else
        Serializer::AppendChild(document, element);
}
} // namespace

void GameObject::Deserialize(const tinyxml2::XMLElement* firstComponentElement)
{
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
    if (factory == nullptr)
    {
        Core::Log() << "Error [GameObject]: No game factory to create the components of (" << m_name
                    << ")\n";
        return;
    }
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
                        << ") in (" << m_name << "), skipped\n";
            continue;
        }
        // Added before it reads, so that a component may look at its object while reading.
        AddComponent(component);
        Serializer::XmlReader reader(element, true);
        component->Deserialize(reader);
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
