#pragma once
// The stage of the game-state tests: a log the test reads, an engine (the global one while the
// world lives) with the subsystems up to GameState registered, and the systems a test names,
// created and initialised in the game's order behind a recorder that keeps every object
// creation. Frames run through Engine::StepFrame, so the pause flag and the user interface's
// real frame time behave as in the game.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemComponent.h"
#include "GameState/GameStateRegistration.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Support/LogCapture.h"
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Keeps the id and archetype of every object-creation message.
class CreationRecorder : public SystemComponent
{
public:
    CreationRecorder() { m_name = "CreationRecorder"; }
    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    void Initialize(u32) override {}
    void HandleMessage(Message* message) override
    {
        if (message->type == ObjectCreateMessage::Type)
        {
            const auto* create = static_cast<ObjectCreateMessage*>(message);
            created.emplace_back(create->objectId, create->archetype);
        }
        types.push_back(message->type);
    }
    std::vector<u32> IdsOf(const std::string& archetype) const
    {
        std::vector<u32> ids;
        for (const auto& [id, name] : created)
        {
            if (name == archetype)
                ids.push_back(id);
        }
        return ids;
    }

    std::vector<std::pair<u32, std::string>> created;
    std::vector<u32> types;
};

class GameStateWorld
{
public:
    // The systems in the game's creation order.
    static std::vector<std::string> StateSystems()
    {
        return {"ScriptingSystem", "MessagingSystem", "SerializerSystem", "GameStateSystem",
                "UISystem"};
    }

    explicit GameStateWorld(const std::vector<std::string>& systems = StateSystems())
    {
        engine = std::make_unique<Engine>();
        g_Engine = engine.get();
        Core::RegisterCore(*engine);
        Serializer::RegisterSerializer(*engine);
        Scripting::RegisterScripting(*engine);
        GameState::RegisterGameState(*engine);
        InitializeTypeRegistry();
        engine->GetSystemFactory().Register(
            "CreationRecorder",
            [](const LaunchOptions&) -> SystemComponent* { return new CreationRecorder(); },
            []() -> SystemComponent* { return nullptr; });
        // First created, last destroyed (after the allocator), as the log is in the game.
        recorder = static_cast<CreationRecorder*>(engine->AddSystem("CreationRecorder"));
        // Each system is initialised as it is created.
        for (const std::string& name : systems)
            engine->AddSystem(name);
    }
    ~GameStateWorld()
    {
        engine.reset();
        g_Engine = nullptr;
    }

    // Frames of a thirtieth of a second.
    void Frames(u32 count, f32 seconds = 1.0f / 30.0f)
    {
        for (u32 i = 0; i < count; ++i)
            engine->StepFrame(seconds);
    }
    void Post(Message* message, f32 delay = 0.0f) { engine->SendMessage(message, delay); }

    LogCapture log;
    std::unique_ptr<Engine> engine;
    CreationRecorder* recorder = nullptr;
};
