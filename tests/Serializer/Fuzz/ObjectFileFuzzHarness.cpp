#include "tests/Serializer/Fuzz/ObjectFileFuzzHarness.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Serializer/SerializerSystem.h"
#include "tests/Platform/Fuzz/FuzzWorkFolder.h"
#include <tinyxml2.h>

void RunObjectFileFuzzInput(Engine& engine, const std::uint8_t* data, std::size_t size)
{
    FuzzWorkFolder::WriteFile("assets/Objects/Fuzz.xml", data, size);
    const FuzzWorkFolder::Enter folder;

    Serializer::System::SerializerSystem serializer;
    serializer.Initialize(0);
    const u32 id = Engine::GenerateId();
    if (GameObject* object = serializer.CreateObject(0, "Fuzz", id))
    {
        tinyxml2::XMLDocument output;
        object->Serialize(output, nullptr);
        tinyxml2::XMLPrinter printer;
        output.Print(&printer);
    }
    // Nested objects were created under later ids of their own: every one of them goes.
    if (GameFactory* factory = engine.GetFactory())
        factory->DestroyObjectsFrom(id);
    for (auto& [message, delay] : engine.TakeHeldMessages())
        DestroyMessage(message);
}
