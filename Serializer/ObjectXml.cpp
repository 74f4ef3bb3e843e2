#include "Serializer/ObjectXml.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/ObjectFromDefinition.h"
#include "Serializer/SerializerSystem.h"
#include "Xml/XmlReader.h"
#include <tinyxml2.h>

namespace Serializer
{
bool IsObjectElement(const tinyxml2::XMLElement* element)
{
    if (element == nullptr)
        return false;
    if (System::SerializerSystem::HasObjectDefinition(element->Name()))
        return true;
    const tinyxml2::XMLNode* first = element->FirstChild();
    return first != nullptr && first->FirstChild() != nullptr;
}

void ReadObject(XmlReader& reader, u32& objectId)
{
    const tinyxml2::XMLElement* element = reader.CurrentElement();
    if (element == nullptr)
        return;
    if (!IsObjectElement(element))
    {
        objectId = 0;
        return;
    }
    GameObject* object = Core::CreateObjectFromElement(*element);
    if (object == nullptr)
    {
        // Logged by the factory (or no engine): the member names nothing, the file goes on.
        objectId = 0;
        reader.NextElement();
        return;
    }
    objectId = object->GetId();
    reader.NextElement();
}
} // namespace Serializer
