// libFuzzer entry over the object reader: every input is read as an object definition by a
// real game object (ObjectReaderFuzzHarness.h) and walked by every XML reader
// (XmlReaderFuzzHarness.h). The physics and AI components are known too, and two physics steps
// run while the object exists.
#include "AI/AIRegistration.h"
#include "AI/AISystem.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/System/MessageSystem.h"
#include "GameState/GameStateRegistration.h"
#include "Logic/LogicRegistration.h"
#include "Logic/LogicSystem.h"
#include "Physics/PhysicsRegistration.h"
#include "Physics/PhysicsSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Core/Fuzz/ObjectReaderFuzzHarness.h"
#include "tests/Xml/Fuzz/XmlReaderFuzzHarness.h"

namespace
{
// Two steps: the first puts the shapes where the object is, the second tests them.
void StepPhysics(GameObject&)
{
    for (int step = 0; step < 2; ++step)
        Physics::System::PhysicsSystem::Instance()->Step(Physics::System::PhysicsSystem::FixedStep);
    Core::System::MessageSystem::Instance()->ClearQueue();
}

// The core, the physics components with the message and physics systems, and the game-rule
// and AI components: with the logic and AI systems they join and leave their lists as they are
// made and destroyed.
bool Register(Engine& engine)
{
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    Scripting::RegisterScripting(engine);
    Physics::RegisterPhysics(engine);
    GameState::RegisterGameState(engine);
    Logic::RegisterLogic(engine);
    AI::RegisterAI(engine);
    engine.AddSystem("MessagingSystem");
    engine.AddSystem("PhysicsSystem");
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One engine for the whole run: its factory and component pools are reused by every input.
    static Engine engine;
    static const bool registered = Register(engine);
    (void)registered;
    static Logic::System::LogicSystem logic;
    static AI::System::AISystem ai;
    RunObjectReaderFuzzInput(*engine.GetFactory(), data, size, &StepPhysics);
    RunXmlReaderFuzzInput(data, size);
    return 0;
}
