// Covers: LuaComponent.
// The shipped scripts against what the engine reads from them: every function the engine calls
// and every global it reads exists with the right type, and the lists the scripts hand out
// (state scripts, sounds) are complete. Runs in the repository root, where assets/ lies.
#include "tests/Scripting/ScriptTestEnvironment.h"
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using Scripting::LuaComponent;

namespace
{
enum class Kind
{
    Function,
    Boolean,
    Integer,
    Number,
};

struct Expected
{
    const char* name;
    Kind kind;
};

struct ScriptContract
{
    const char* file;
    std::vector<Expected> globals;
};

// The functions an audio response component calls on a character's and on an enemy's script.
const std::vector<const char*> CharacterEvents = {
    "OnLoad", "OnAbility0", "OnAbility1", "OnAbility2", "OnAbility3",  "OnDamaged", "OnDeath",
    "OnMove", "OnRespawn",  "OnSelect",   "OnVictory",  "OnFinalKill", "OnDefeat"};
const std::vector<const char*> EnemyEvents = {"OnLoad", "OnAbility0", "OnDamaged", "OnDeath"};

// A response script: its sound list, its event functions and "Update".
std::vector<Expected> ResponseScript(const std::vector<const char*>& events)
{
    std::vector<Expected> globals = {{"Update", Kind::Function},
                                     {"GetAudioCount", Kind::Function},
                                     {"GetAudioName", Kind::Function},
                                     {"GetAudioFilename", Kind::Function},
                                     {"GetAudioType", Kind::Function}};
    for (const char* event : events)
        globals.push_back({event, Kind::Function});
    return globals;
}

// Every script gets "Update" from the Lua system each frame.
const std::vector<ScriptContract>& ShippedScripts()
{
    static const std::vector<ScriptContract> scripts = {
        {"System/GameStateSystem.lua",
         {{"Update", Kind::Function},
          {"GetScriptCount", Kind::Function},
          {"GetScriptFilename", Kind::Function},
          {"GetScriptName", Kind::Function}}},
        {"System/GraphicsSystemScript.lua",
         {{"Update", Kind::Function},
          {"fullscreen", Kind::Boolean},
          {"width", Kind::Integer},
          {"height", Kind::Integer}}},
        {"System/InputSystemScript.lua", {{"Update", Kind::Function}}},
        {"System/AudioSystemScript.lua",
         {{"Update", Kind::Function},
          {"muted", Kind::Boolean},
          {"musicVolume", Kind::Number},
          {"effectVolume", Kind::Number},
          {"GetAudioCount", Kind::Function},
          {"GetAudioName", Kind::Function},
          {"GetAudioFilename", Kind::Function},
          {"GetAudioType", Kind::Function}}},
        {"Audio/GolemAudio.lua", ResponseScript(CharacterEvents)},
        {"Audio/MageAudio.lua", ResponseScript(CharacterEvents)},
        {"Audio/SteamKnightAudio.lua", ResponseScript(CharacterEvents)},
        {"Audio/EnemyAudio.lua", ResponseScript(EnemyEvents)},
        {"Debug/GeometryDebug.lua",
         {{"Update", Kind::Function},
          {"DrawDebug", Kind::Function},
          {"pitch", Kind::Number},
          {"yaw", Kind::Number},
          {"roll", Kind::Number}}},
    };
    return scripts;
}

// The callbacks the game-state system calls on every state script.
const char* const StateCallbacks[] = {"Load", "Initialize", "UpdateState",
                                      "Free", "Unload",     "Update"};

// Empty when the global has the kind, else what is wrong.
std::string CheckGlobal(LuaComponent& script, const Expected& expected)
{
    lua_State* state = script.GetState();
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_getfield(state, -1, expected.name);
    const int type = lua_type(state, -1);
    const lua_Number number = lua_tonumber(state, -1);
    lua_settop(state, 0);

    bool matches = false;
    switch (expected.kind)
    {
    case Kind::Function:
        matches = type == LUA_TFUNCTION;
        break;
    case Kind::Boolean:
        matches = type == LUA_TBOOLEAN;
        break;
    case Kind::Integer:
        matches = type == LUA_TNUMBER && std::floor(number) == number;
        break;
    case Kind::Number:
        matches = type == LUA_TNUMBER;
        break;
    }
    return matches ? "" : std::string(expected.name) + " is a " + lua_typename(state, type);
}

// A player character's sounds: its four abilities and the ones every character shares.
std::set<std::string> CharacterSounds(const std::string& character)
{
    std::set<std::string> sounds = {"playerDamaged", "playerDeath", "playerRespawn", "playerStep",
                                    "playerSelect",  "finalKill",   "victory",       "defeat"};
    for (int ability = 0; ability < 4; ++ability)
        sounds.insert(character + "Ability" + std::to_string(ability));
    return sounds;
}

class ScriptContractTest : public ScriptEngineTest
{
protected:
    LuaComponent* Load(const std::string& file)
    {
        LuaComponent* script = LuaComponent::Create();
        EXPECT_TRUE(script->Load(file)) << LogText();
        m_loaded.push_back(script);
        return script;
    }

    void TearDown() override
    {
        for (LuaComponent* script : m_loaded)
            LuaComponent::Destroy(script);
    }

private:
    std::vector<LuaComponent*> m_loaded;
};
} // namespace

TEST_F(ScriptContractTest, ShippedScriptsDefineWhatTheEngineReads)
{
    for (const ScriptContract& contract : ShippedScripts())
    {
        LuaComponent* script = Load(contract.file);
        for (const Expected& expected : contract.globals)
            EXPECT_EQ("", CheckGlobal(*script, expected)) << contract.file;
        EXPECT_TRUE(script->CallUpdate(0.016f)) << contract.file;
    }
    EXPECT_EQ("", LogText());
}

TEST_F(ScriptContractTest, GameStateScriptListsLoadableStates)
{
    LuaComponent* system = Load("System/GameStateSystem.lua");
    u32 count = 0;
    ASSERT_TRUE(system->CallReturnUnsigned("GetScriptCount", count));
    EXPECT_GE(count, 1u);
    bool hasMain = false;
    for (u32 i = 1; i <= count; ++i)
    {
        std::string file;
        std::string name;
        ASSERT_TRUE(system->CallUnsignedReturnString("GetScriptFilename", i, file));
        ASSERT_TRUE(system->CallUnsignedReturnString("GetScriptName", i, name));
        EXPECT_FALSE(name.empty());
        hasMain = hasMain || name == "Main";

        LuaComponent* state = Load(file);
        for (const char* callback : StateCallbacks)
            EXPECT_EQ("", CheckGlobal(*state, {callback, Kind::Function})) << file;
    }
    // GameState.GoToMain goes to the state named "Main".
    EXPECT_TRUE(hasMain);
    EXPECT_EQ("", LogText());
}

TEST_F(ScriptContractTest, AudioScriptListsEverySoundCompletely)
{
    LuaComponent* audio = Load("System/AudioSystemScript.lua");
    s32 count = -1;
    ASSERT_TRUE(audio->CallReturnInt("GetAudioCount", count));
    EXPECT_GE(count, 0);
    for (s32 i = 1; i <= count; ++i)
    {
        std::string name;
        std::string file;
        s32 type = -1;
        EXPECT_TRUE(audio->CallIntReturnString("GetAudioName", i, name));
        EXPECT_TRUE(audio->CallIntReturnString("GetAudioFilename", i, file));
        EXPECT_TRUE(audio->CallIntReturnInt("GetAudioType", i, type));
        EXPECT_TRUE(type == 0 || type == 1) << name;
    }
    EXPECT_EQ("", LogText());
}

TEST_F(ScriptContractTest, AudioScriptsListTheirSoundsCompletelyWithFilesThatExist)
{
    const std::vector<std::pair<const char*, std::set<std::string>>> scripts = {
        {"System/AudioSystemScript.lua", {"backgroundMusicLoop", "abilitySelect"}},
        {"Audio/GolemAudio.lua", CharacterSounds("golem")},
        {"Audio/MageAudio.lua", CharacterSounds("mage")},
        {"Audio/SteamKnightAudio.lua", CharacterSounds("steamKnight")},
        {"Audio/EnemyAudio.lua", {"enemyAttack", "enemyDamaged", "enemyDeath"}},
    };
    for (const auto& [script, expected] : scripts)
    {
        LuaComponent* audio = Load(script);
        s32 count = -1;
        ASSERT_TRUE(audio->CallReturnInt("GetAudioCount", count));
        std::set<std::string> names;
        for (s32 i = 1; i <= count; ++i)
        {
            std::string name;
            std::string file;
            s32 type = -1;
            EXPECT_TRUE(audio->CallIntReturnString("GetAudioName", i, name));
            EXPECT_TRUE(audio->CallIntReturnString("GetAudioFilename", i, file));
            EXPECT_TRUE(audio->CallIntReturnInt("GetAudioType", i, type));
            EXPECT_TRUE(type == 0 || type == 1) << name;
            // Music below "assets/Audio/Music/", effects below "assets/Audio/Sound Effects/",
            // each file named after its sound.
            const std::string folder =
                type == 0 ? "assets/Audio/Music/" : "assets/Audio/Sound Effects/";
            EXPECT_TRUE(std::filesystem::is_regular_file(folder + file)) << script << ": " << file;
            EXPECT_EQ(file.substr(0, file.find('.')), name) << script;
            names.insert(name);
        }
        EXPECT_EQ(names, expected) << script;
        // Every event function of a response script runs through the script API cleanly.
        for (const char* event : CharacterEvents)
        {
            if (CheckGlobal(*audio, {event, Kind::Function}).empty())
            {
                EXPECT_TRUE(audio->Call(event)) << script << ": " << event;
            }
        }
    }
    // The events write only their own lines ("Golem: hurt"), which a play-through follows in
    // the log; anything else would be an error report.
    const std::regex eventLine("(Golem|Mage|SteamKnight|Enemy): [a-z0-9 ]+");
    std::istringstream lines(LogText());
    for (std::string line; std::getline(lines, line);)
    {
        EXPECT_TRUE(std::regex_match(line, eventLine)) << line;
    }
}
