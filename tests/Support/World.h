#pragma once
// The stage of the game-object and game-factory tests: an engine (whose constructor makes it
// the global one) with the engine core registered, and its factory.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include <string>

struct World
{
    World() { Core::RegisterCore(engine); }

    GameObject* Create(const std::string& name = "Thing")
    {
        return factory.CreateObject(name, Engine::GenerateId());
    }

    Engine engine;
    GameFactory& factory = *engine.GetFactory();
};
