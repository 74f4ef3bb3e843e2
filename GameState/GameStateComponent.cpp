#include "GameState/GameStateComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Scripting/LuaComponent.h"
#include "Xml/ValueXml.h"
#include "Xml/XmlReader.h"

QUILL_DEFINE_TYPE_RECORD(GameState::GameStateComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace GameState
{
namespace
{
constexpr const char* GameStateSystemLabel = "GameStateSystem";
// Further scripts beyond this many are not loaded: a definition's list is not trusted.
constexpr std::size_t MaxScripts = 64;

// A script that does not load is kept: its callbacks are reported as missing.
Scripting::LuaComponent* LoadScript(const std::string& file, const std::string& name)
{
    return Scripting::LuaComponent::CreateLoaded(file, name,
                                                 Scripting::LuaComponent::FailedLoad::Keep);
}
} // namespace

GameStateComponent::GameStateComponent()
    : GameObjectComponent(true), flags{true, true, true}, m_main(nullptr)
{
    Core::RegisterWithSystem(GameStateSystemLabel, this);
}

GameStateComponent::~GameStateComponent()
{
    Core::UnregisterFromSystem(GameStateSystemLabel, this);
    Release();
}

void GameStateComponent::Shutdown()
{
    Core::UnregisterFromSystem(GameStateSystemLabel, this);
}

void GameStateComponent::Release()
{
    for (Scripting::LuaComponent* script : m_scripts)
        Scripting::LuaComponent::Destroy(script);
    m_scripts.clear();
    Scripting::LuaComponent::Destroy(m_main);
    m_main = nullptr;
}

void GameStateComponent::Deserialize(Serializer::XmlReader& reader)
{
    // Read by hand: a run of script pairs of any length, which a member table cannot hold.
    Release();
    std::string unused;
    std::string file;
    std::string name;
    Serializer::ReadValue(reader, unused, "");
    Serializer::ReadValue(reader, file, "");
    Serializer::ReadValue(reader, name, "");
    m_main = LoadScript(file, name);
    while (reader.CurrentElement() != nullptr && m_scripts.size() < MaxScripts)
    {
        const tinyxml2::XMLElement* before = reader.CurrentElement();
        file.clear();
        name.clear();
        Serializer::ReadValue(reader, file, "");
        Serializer::ReadValue(reader, name, "");
        if (reader.CurrentElement() == before)
            break;
        if (Scripting::LuaComponent* script = LoadScript(file, name))
            m_scripts.push_back(script);
    }
}

void GameStateComponent::Serialize(Serializer::XmlWriter& writer)
{
    auto write = [&writer](const Scripting::LuaComponent* script)
    {
        Serializer::WriteValue(writer, script != nullptr ? script->GetFileName() : std::string(),
                               "string");
        Serializer::WriteValue(writer, script != nullptr ? script->GetScriptName() : std::string(),
                               "string");
    };
    write(m_main);
    for (const Scripting::LuaComponent* script : m_scripts)
        write(script);
}
} // namespace GameState
