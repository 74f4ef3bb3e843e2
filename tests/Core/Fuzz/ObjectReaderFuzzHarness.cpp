#include "tests/Core/Fuzz/ObjectReaderFuzzHarness.h"
#include "Core/Components/OrbitComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Xml/XmlFile.h"
#include <string>
#include <tinyxml2.h>

namespace
{
// One rendered frame's time for the orbits to step by.
constexpr f32 FrameSeconds = 1.0f / 60.0f;
} // namespace

void RunObjectReaderFuzzInput(GameFactory& factory, const std::uint8_t* data, std::size_t size,
                              ObjectReaderFuzzStep step)
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
    // What the components read is used once, as a frame would: orbits move their object, and a
    // particle message travels down the mounts to every mounted object.
    for (const GameObject::ComponentEntry& entry : object->GetComponentList())
    {
        if (auto* orbit = dynamic_cast<OrbitComponent*>(entry.component))
            orbit->Update(FrameSeconds);
    }
    SetParticlePlayMessage play(0, true, id);
    object->HandleMessage(&play);
    if (step != nullptr)
        step(*object);

    tinyxml2::XMLDocument output;
    object->Serialize(output, nullptr);
    tinyxml2::XMLPrinter printer;
    output.Print(&printer);
    factory.DestroyObject(id);
}
