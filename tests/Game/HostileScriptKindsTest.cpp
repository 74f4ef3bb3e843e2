// Broken scripts of every kind the game loads, each in the role the engine gives it: the state
// list of the game-state system, a state, a page, a character's ability (and the projectile it
// fires) and an audio response. Every variant of the table is run against every kind in a fresh
// world; each must leave a log line naming its file (unless the table says the engine has
// nothing to read there), and the engine must go on: a well-behaved script's Update still runs
// every frame afterwards.
#include "Audio/AudioRegistration.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Audio/AudioResponseOnSelect.h"
#include "Core/Messages/Gameplay/DefeatMessage.h"
#include "Core/Messages/Gameplay/VictoryMessage.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/TypeRegistry.h"
#include "GameState/GameStateRegistration.h"
#include "GameState/GameStateSystem.h"
#include "GameState/PageComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/LogicRegistration.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/ObjectDefinitionManager.h"
#include "Serializer/SerializerRegistration.h"
#include "Serializer/SerializerSystem.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr f32 kFrame = 1.0f / 30.0f;
constexpr u32 kFrames = 2;

// A script that counts its frames: proof that the engine still steps its scripts.
constexpr const char* kCanary = "frames = 0\nfunction Update(dt) frames = frames + 1 end\n";
// A state list naming the hostile state first and a quiet one after it.
constexpr const char* kStateList = R"(
local states = { { name = "Main", file = "States/Hostile.lua" },
                 { name = "Quiet", file = "States/Quiet.lua" } }
function GetScriptCount() return #states end
function GetScriptFilename(i) return states[i].file end
function GetScriptName(i) return states[i].name end
)";
constexpr const char* kQuietState = "function Load() end\nfunction Unload() end\n";

class HostileWorld
{
public:
    HostileWorld()
    {
        folder.MakeFolder("assets/Objects");
        folder.MakeFolder("assets/Scripts");
        for (const char* definition :
             {"assets/Objects/Button.xml", "assets/Objects/HudElement.xml"})
            folder.Write(definition, ReadFile(std::string(QUILL_ASSET_ROOT) + "/" + definition));
        folder.Write("assets/Scripts/Canary.lua", kCanary);
    }
    ~HostileWorld()
    {
        engine.reset();
        g_Engine = nullptr;
    }

    void Start(const std::vector<std::string>& systems)
    {
        engine = std::make_unique<Engine>();
        g_Engine = engine.get();
        Core::RegisterCore(*engine);
        Serializer::RegisterSerializer(*engine);
        Scripting::RegisterScripting(*engine);
        Audio::RegisterAudio(*engine);
        GameState::RegisterGameState(*engine);
        Logic::RegisterLogic(*engine);
        InitializeTypeRegistry();
        for (const char* name : {"MessagingSystem", "ScriptingSystem", "SerializerSystem"})
            engine->AddSystem(name);
        canary = Scripting::LuaComponent::Create();
        canary->Load("Canary.lua");
        for (const std::string& name : systems)
            engine->AddSystem(name);
    }
    void Frames(u32 count = kFrames)
    {
        for (u32 i = 0; i < count; ++i)
            engine->StepFrame(kFrame);
    }
    s32 CanaryFrames()
    {
        s32 frames = -1;
        canary->GetGlobalInt("frames", frames);
        return frames;
    }
    GameObject* Make(const std::string& name, const std::string& componentsXml, u32 creator = 0)
    {
        folder.Write("assets/Objects/" + name + ".xml",
                     "<" + name + ">" + componentsXml + "</" + name + ">");
        Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
        return Serializer::System::SerializerSystem::CreateObject(creator, name,
                                                                  Engine::GenerateId());
    }
    void Destroy(GameObject* object)
    {
        if (object != nullptr)
            engine->GetFactory()->DestroyObject(object->GetId());
    }

    TempFolder folder{"quill-hostile"};
    LogCapture log;
    std::unique_ptr<Engine> engine;
    Scripting::LuaComponent* canary = nullptr;
};

// The roles: each starts the world and drives the script through every callback the engine
// calls on its kind.
void DriveStateList(HostileWorld& world)
{
    world.folder.Write("assets/Scripts/States/Quiet.lua", kQuietState);
    world.Start({"GameStateSystem"});
    world.Frames();
    GameStateMessage next(0, GSM_NEXT, 0u);
    GameState::System::GameStateSystem::Instance()->HandleMessage(&next);
    world.Frames();
}

void DriveState(HostileWorld& world)
{
    world.folder.Write("assets/Scripts/System/GameStateSystem.lua", kStateList);
    world.folder.Write("assets/Scripts/States/Quiet.lua", kQuietState);
    world.Start({"GameStateSystem"});
    auto* states = GameState::System::GameStateSystem::Instance();
    Message batchLoaded(0, MT_ASSET_BATCH_LOADED, 0u, sizeof(Message));
    states->HandleMessage(&batchLoaded);
    world.Frames();
    GameStateMessage next(0, GSM_NEXT, 0u);
    states->HandleMessage(&next);
    world.Frames();
}

void DrivePage(HostileWorld& world)
{
    world.Start({"GameStateSystem", "UISystem"});
    GameObject* object = world.Make(
        "HostilePage", "<PageComponent><PageName>Pause</PageName>"
                       "<ScriptFile>Pages/Hostile.lua</ScriptFile><Button/>"
                       "<RelativePos_0-1 X=\"0\" Y=\"0\"/><Material>Button</Material>"
                       "<Scale X=\"1\" Y=\"1\"/><Text>Go</Text><FunctionName>GoButton"
                       "</FunctionName><ButtonName>Go</ButtonName><gridIndex>1</gridIndex>"
                       "<Visibility>1</Visibility></PageComponent>");
    ASSERT_NE(object, nullptr) << world.log.Text();
    auto* page = object->GetComponent<GameState::PageComponent>();
    ASSERT_NE(page, nullptr);
    page->Open();
    page->UpdatePage(kFrame);
    page->MoveSelection(0, Math::Vector2(0.0f, -1.0f));
    page->PageAction(0, GameState::PageComponent::ActionSelect);
    page->PageAction(0, GameState::PageComponent::ActionBack);
    world.Frames();
    world.Destroy(object);
    world.Frames();
}

void DriveAbility(HostileWorld& world)
{
    world.Start({"LogicSystem"});
    world.Make("HostileBolt", "<TransformComponent/><ProjectileAbilityComponent/>");
    GameObject* character = world.Make(
        "HostileHero", "<TransformComponent/><AbilityComponent><filename>Abilities/Hostile.lua"
                       "</filename><scriptName>HostileAbility</scriptName></AbilityComponent>"
                       "<SimpleControllerComponent><s32>0</s32></SimpleControllerComponent>");
    GameObject* target = world.Make("HostileTarget", "<TransformComponent/>");
    ASSERT_NE(character, nullptr) << world.log.Text();
    ASSERT_NE(target, nullptr);
    const u32 characterId = character->GetId();
    if (auto* controller = character->GetComponent<Logic::SimpleControllerComponent>())
        controller->ActivateSelectedAbility();
    // What the shipped ability's ActivateAbility does: a projectile made by the character.
    GameObject* bolt = world.Make("HostileBolt",
                                  "<TransformComponent/>"
                                  "<ProjectileAbilityComponent/>",
                                  characterId);
    world.Frames();
    if (bolt != nullptr && world.engine->GetFactory()->FindObject(bolt->GetId()) == bolt)
        world.engine->SendMessage(
            new CollideMessage(0, Math::Vector4(1, 0, 0, 0), target->GetId(), true, bolt->GetId()),
            0.0f);
    world.Frames();
    if (GameObject* stillThere = world.engine->GetFactory()->FindObject(characterId))
        world.Destroy(stillThere);
    world.Frames();
}

void DriveResponse(HostileWorld& world)
{
    world.Start({});
    GameObject* object =
        world.Make("HostileVoice", "<AudioResponseComponent><Script>Audio/Hostile.lua</Script>"
                                   "</AudioResponseComponent>");
    ASSERT_NE(object, nullptr) << world.log.Text();
    const u32 id = object->GetId();
    world.engine->SendMessage(new VictoryMessage(0, id), 0.0f);
    world.engine->SendMessage(new DefeatMessage(0, id), 0.0f);
    world.engine->SendMessage(new AudioResponseOnSelect(0, id), 0.0f);
    world.Frames();
    world.Destroy(object);
    world.Frames();
}

struct Kind
{
    const char* name;
    // Below "assets/Scripts/".
    const char* file;
    // The functions the engine calls on this kind.
    std::vector<const char*> callbacks;
    // Lua text of the tables the engine reads, '@' standing for the variant's value.
    const char* tables;
    void (*drive)(HostileWorld&);
    // Variants with nothing to report for this kind: the engine ignores what a state's callbacks
    // return, and a page takes any whole number from CanControllerMove as a yes.
    std::vector<std::string> quiet = {};
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"state list",
         "System/GameStateSystem.lua",
         {"GetScriptCount", "GetScriptFilename", "GetScriptName", "Update"},
         "",
         &DriveStateList},
        {"state",
         "States/Hostile.lua",
         {"Load", "Initialize", "UpdateState", "Free", "Unload", "Update"},
         "",
         &DriveState,
         {"results of the wrong type", "NaN", "negative numbers", "huge numbers",
          "the largest integer"}},
        {"page",
         "Pages/Hostile.lua",
         {"Load", "UpdatePage", "CanControllerMove", "ControllerMovedToNewButton", "GoButton",
          "ResumeClicked", "Update"},
         "",
         &DrivePage,
         {"negative numbers", "the largest integer"}},
        {"ability",
         "Abilities/Hostile.lua",
         {"ActivateAbility", "GetModifierCount", "GetModifier", "OnCollide", "Update"},
         "Ability = { lifetime = @, moveRate = @, numObjsToHit = @ }\n"
         "DamageModifier = { value = @, timeToLast = @, isTemporary = @, enrageModifier = @ }\n"
         "Character = { enraged = true }\n",
         &DriveAbility},
        {"response",
         "Audio/Hostile.lua",
         {"GetAudioCount", "GetAudioName", "GetAudioFilename", "GetAudioType", "OnLoad",
          "OnVictory", "OnDefeat", "OnSelect", "Update"},
         "",
         &DriveResponse},
    };
    return kinds;
}

std::string Replace(std::string text, char mark, const std::string& by)
{
    for (std::size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + by.size()))
        text.replace(at, 1, by);
    return text;
}

// The kind's tables with `value`, and every callback with `body` ('@' the value, '$' the name).
std::string Script(const Kind& kind, const std::string& value, const std::string& body)
{
    std::string text = Replace(kind.tables, '@', value);
    for (const char* callback : kind.callbacks)
        text += "function " + std::string(callback) + "(...) " +
                Replace(Replace(body, '@', value), '$', callback) + " end\n";
    return text;
}

// What a variant writes; `missing` writes no file at all.
struct Variant
{
    const char* name;
    std::string (*text)(const Kind&);
    bool missing = false;
};

const std::vector<Variant>& Variants()
{
    static const std::vector<Variant> variants = {
        {"missing file", [](const Kind&) { return std::string(); }, true},
        {"syntax error", [](const Kind&) { return std::string("function Load(\n"); }},
        {"error at load", [](const Kind&) { return std::string("error('hostile at load')\n"); }},
        {"error in each callback",
         [](const Kind& kind) { return Script(kind, "1", "error('hostile in $')"); }},
        {"missing callbacks", [](const Kind& kind) { return Replace(kind.tables, '@', "1"); }},
        {"results of the wrong type",
         [](const Kind& kind) { return Script(kind, "{}", "return function() end"); }},
        {"NaN", [](const Kind& kind) { return Script(kind, "0/0", "return @"); }},
        {"negative numbers", [](const Kind& kind) { return Script(kind, "-1", "return @"); }},
        {"huge numbers", [](const Kind& kind) { return Script(kind, "1e300", "return @"); }},
        {"the largest integer",
         [](const Kind& kind) { return Script(kind, "2^31 - 1", "return @"); }},
        {"endless loop at load", [](const Kind&) { return std::string("while true do end\n"); }},
        {"endless loop in each callback",
         [](const Kind& kind) { return Script(kind, "1", "while true do end"); }},
        {"huge allocation at load",
         [](const Kind&)
         {
             return std::string(
                 "local hoard = {}\n"
                 "for i = 1, 1e9 do hoard[i] = string.rep('x', 1024 * 1024) .. i end\n");
         }},
        {"huge allocation in each callback",
         [](const Kind& kind) { return Script(kind, "1", "return string.rep('x', 2^30)"); }},
    };
    return variants;
}
} // namespace

// One test per kind, so that the kinds run side by side: each spends a few seconds in the
// endless-loop variants, whose budget is the game's own.
class HostileScripts : public testing::TestWithParam<std::size_t>
{
};

TEST_P(HostileScripts, EveryVariantIsLoggedByNameAndTheGameGoesOn)
{
    const Kind& kind = Kinds()[GetParam()];
    for (const Variant& variant : Variants())
    {
        SCOPED_TRACE(std::string(kind.name) + ": " + variant.name);
        HostileWorld world;
        if (!variant.missing)
            world.folder.Write(std::string("assets/Scripts/") + kind.file, variant.text(kind));
        kind.drive(world);
        ASSERT_NE(world.engine, nullptr);
        const bool quiet =
            std::find(kind.quiet.begin(), kind.quiet.end(), variant.name) != kind.quiet.end();
        if (!quiet)
        {
            EXPECT_TRUE(world.log.Contains(kind.file)) << world.log.Text();
        }
        const s32 before = world.CanaryFrames();
        world.Frames();
        EXPECT_EQ(world.CanaryFrames(), before + static_cast<s32>(kFrames)) << world.log.Text();
        EXPECT_FALSE(world.engine->IsDone());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileScripts, testing::Range<std::size_t>(0, Kinds().size()),
                         [](const testing::TestParamInfo<std::size_t>& info)
                         {
                             std::string name = Kinds()[info.param].name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });
