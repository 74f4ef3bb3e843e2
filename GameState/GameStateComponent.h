#pragma once
// Loads a set of Lua scripts for the object that carries it: a main script and further ones,
// each under a name. Nothing calls them; scripts run their own Update through the Lua system.
//
// Written form: one string that is not used, the main script's file and name, then pairs of
// strings (file, name), one pair per further script. Written back: the main file and name,
// then each further pair.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <string>
#include <vector>

namespace Scripting
{
class LuaComponent;
}

namespace GameState
{
class GameStateComponent : public GameObjectComponent
{
public:
    GameStateComponent();
    // Destroys its scripts.
    ~GameStateComponent() override;
    GameStateComponent(const GameStateComponent&) = delete;
    GameStateComponent& operator=(const GameStateComponent&) = delete;

    QUILL_COMPONENT_TYPE(GameStateComponent)
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    Scripting::LuaComponent* GetMainScript() const { return m_main; }
    const std::vector<Scripting::LuaComponent*>& GetScripts() const { return m_scripts; }

    // Kept for the object's scripts to read; nothing in the engine uses them.
    bool flags[3];

private:
    void Release();

    std::vector<Scripting::LuaComponent*> m_scripts;
    Scripting::LuaComponent* m_main;
};
} // namespace GameState

QUILL_DECLARE_TYPE_RECORD(GameState::GameStateComponent)
