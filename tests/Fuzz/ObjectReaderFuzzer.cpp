// libFuzzer entry over the object reader: every input is read as an object definition by a
// real game object (ObjectReaderFuzzHarness.h) and walked by every XML reader
// (XmlReaderFuzzHarness.h).
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "GameState/GameStateRegistration.h"
#include "Logic/LogicRegistration.h"
#include "Logic/LogicSystem.h"
#include "ObjectReaderFuzzHarness.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "XmlReaderFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One engine for the whole run: its factory and component pools are reused by every input.
    static Engine engine;
    static const bool registered = (Core::RegisterCore(engine), true);
    (void)registered;
    // The game-rule components read their definitions too; with the logic system they join
    // and leave its list as they are made and destroyed.
    static const bool rules =
        (Serializer::RegisterSerializer(engine), Scripting::RegisterScripting(engine),
         GameState::RegisterGameState(engine), Logic::RegisterLogic(engine), true);
    (void)rules;
    static Logic::System::LogicSystem logic;
    RunObjectReaderFuzzInput(*engine.GetFactory(), data, size);
    RunXmlReaderFuzzInput(data, size);
    return 0;
}
