#pragma once
// The stage of the game-rule tests: a scratch folder (the working directory, with
// "assets/Objects" and "assets/Scripts"), an engine with every subsystem up to Logic
// registered (graphics and physics for their components only, no system of theirs runs), a log the
// test reads, and the message, scripting, serializer and logic systems. Frames are stepped by hand:
// Deliver hands out the posted messages, Tick runs the logic system with any frame time.
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/MessageSystem.h"
#include "GameState/GameStateRegistration.h"
#include "Graphics/GraphicsRegistration.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Logic/LogicRegistration.h"
#include "Logic/LogicSystem.h"
#include "Logic/Movement/MoveComponent.h"
#include "Physics/PhysicsRegistration.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "Serializer/SerializerSystem.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

// A controller of the controller family that is no player's: what an enemy carries in the
// tests until the AI's controller exists.
class ControllerProbe : public Logic::ControllerComponent
{
public:
    QUILL_COMPONENT_TYPE(ControllerProbe)
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
};

// A move component that does not move its object: what a character carries in the tests until
// the characters' own move kinds exist.
class MoveProbe : public Logic::MoveComponent
{
public:
    QUILL_COMPONENT_TYPE(MoveProbe)
};

class LogicWorld : public testing::Test
{
public:
    // Definitions and scripts the test writes before Start are loaded by it.
    void Start()
    {
        folder.MakeFolder("assets/Objects");
        folder.MakeFolder("assets/Scripts");
        engine = std::make_unique<Engine>();
        g_Engine = engine.get();
        Core::RegisterCore(*engine);
        Serializer::RegisterSerializer(*engine);
        Scripting::RegisterScripting(*engine);
        Graphics::RegisterGraphics(*engine);
        Physics::RegisterPhysics(*engine);
        GameState::RegisterGameState(*engine);
        Logic::RegisterLogic(*engine);
        ComponentFactory& components = engine->GetFactory()->GetComponentFactory();
        components.Register<ControllerProbe>(ComponentFactory::LogicPool);
        components.Register<MoveProbe>(ComponentFactory::LogicPool);
        engine->AddSystem("MessagingSystem");
        engine->AddSystem("ScriptingSystem");
        engine->AddSystem("SerializerSystem");
        engine->AddSystem("LogicSystem");
    }
    void TearDown() override
    {
        // The objects go first, while the message system can still deliver what their shutdown
        // posts (a meteor's drops): without a log system the message system is the engine's
        // first system and outlives the allocator its messages came from.
        if (engine != nullptr && engine->GetFactory() != nullptr)
        {
            Factory().DestroyObjectsFrom(0);
            Deliver();
            Factory().DestroyObjectsFrom(0);
        }
        engine.reset();
        g_Engine = nullptr;
    }

    GameFactory& Factory() { return *engine->GetFactory(); }
    Logic::System::LogicSystem& Logic() { return *Logic::System::LogicSystem::Instance(); }

    // Delivers what has been posted (twice, so that what delivery posts is delivered too).
    void Deliver()
    {
        Core::System::MessageSystem::Instance()->Update(0.0f);
        Core::System::MessageSystem::Instance()->Update(0.0f);
    }
    void Tick(f32 seconds) { Logic().Update(seconds); }

    // An object made from an inline definition (the components' XML).
    GameObject* Make(const std::string& name, const std::string& componentsXml, u32 creator = 0)
    {
        folder.Write("assets/Objects/" + name + ".xml",
                     "<" + name + ">" + componentsXml + "</" + name + ">");
        Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
        return Serializer::System::SerializerSystem::CreateObject(creator, name,
                                                                  Engine::GenerateId());
    }
    GameObject* Find(u32 id) { return Factory().FindObject(id); }

    void WriteScript(const std::string& file, const std::string& text)
    {
        folder.Write("assets/Scripts/" + file, text);
    }

    TempFolder folder{"quill-logic"};
    LogCapture log;
    std::unique_ptr<Engine> engine;
};
