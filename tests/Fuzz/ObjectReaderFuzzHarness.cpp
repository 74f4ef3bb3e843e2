#include "ObjectReaderFuzzHarness.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Serializer/Xml/XmlFile.h"
#include <string>
#include <tinyxml2.h>

void RunObjectReaderFuzzInput(GameFactory& factory, const std::uint8_t* data, std::size_t size)
{
    std::string error;
    auto document =
        Serializer::ParseXmlText(reinterpret_cast<const char*>(data), size, "fuzz input", error);
    if (!document || !document->RootElement())
        return;
    const tinyxml2::XMLElement* definition = document->RootElement();

    const u32 id = Engine::GenerateId();
    GameObject* object = factory.CreateObject(definition->Name(), id);
    if (!object)
        return;
    object->Deserialize(definition->FirstChildElement());

    tinyxml2::XMLDocument output;
    object->Serialize(output, nullptr);
    tinyxml2::XMLPrinter printer;
    output.Print(&printer);
    factory.DestroyObject(id);
}
