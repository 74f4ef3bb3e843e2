// Covers: LuaComponent, GameStateSystem, PageComponent, EmitterComponent.
// Broken scripts of every kind the game loads, each in the role the engine gives it: the state
// list of the game-state system, a state, a page, a character's ability (and the projectile it
// fires), an audio response, an emitter, a meteor, the waves an object's game-state component
// loads, the settings scripts of the input, audio and graphics systems and the F2 "geo" script.
// Every variant of the table is run against every kind in a fresh world; each must leave a log
// line naming its file (unless the table says the engine has nothing to read there), and the
// engine must go on: a well-behaved script's Update still runs every frame afterwards, and a
// runaway script is not called again and again within one frame.
#include "Audio/AudioRegistration.h"
#include "Core/Assets/ObjectDefinitionManager.h"
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
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Emitters/EmitterComponent.h"
#include "Logic/LogicRegistration.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "Serializer/SerializerSystem.h"
#include "Testing/GeometryTests.h"
#include "Testing/TestingRegistration.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/RecordingSystem.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr f32 FrameStep = 1.0f / 30.0f;
constexpr u32 FrameCount = 2;
// Calls stopped by the instruction budget that one world may see: each costs about a second, so
// an engine that calls a runaway script again for every entry of a list would stall for minutes.
constexpr std::size_t MostRunawayCalls = 24;

// A script that counts its frames: proof that the engine still steps its scripts.
constexpr const char* CanaryScript = "frames = 0\nfunction Update(dt) frames = frames + 1 end\n";
// A state list naming the hostile state first and a quiet one after it.
constexpr const char* StateList = R"(
local states = { { name = "Main", file = "States/Hostile.lua" },
                 { name = "Quiet", file = "States/Quiet.lua" } }
function GetScriptCount() return #states end
function GetScriptFilename(i) return states[i].file end
function GetScriptName(i) return states[i].name end
)";
constexpr const char* QuietState = "function Load() end\nfunction Unload() end\n";

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
        folder.Write("assets/Scripts/Canary.lua", CanaryScript);
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
        Graphics::RegisterGraphics(*engine);
        Audio::RegisterAudio(*engine);
        GameState::RegisterGameState(*engine);
        Logic::RegisterLogic(*engine);
        Testing::RegisterTesting(*engine);
        InitializeTypeRegistry();
        // The first system is destroyed last, after the allocator (the log's place in the
        // game), so it must not be the message system: the graphics system posts as it goes.
        engine->GetSystemFactory().Register(
            "RecordingSystem",
            [](const LaunchOptions&) -> SystemComponent* { return new RecordingSystem(); },
            []() -> SystemComponent* { return nullptr; });
        for (const char* name :
             {"RecordingSystem", "MessagingSystem", "ScriptingSystem", "SerializerSystem"})
            engine->AddSystem(name);
        canary = Scripting::LuaComponent::Create();
        canary->Load("Canary.lua");
        for (const std::string& name : systems)
            engine->AddSystem(name);
    }
    void Frames(u32 count = FrameCount)
    {
        for (u32 i = 0; i < count; ++i)
            engine->StepFrame(FrameStep);
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
    // The input and graphics systems open no real window.
    FakeWindowLayer window;
    std::unique_ptr<Engine> engine;
    Scripting::LuaComponent* canary = nullptr;
};

// The roles: each starts the world and drives the script through every callback the engine
// calls on its kind.
void DriveStateList(HostileWorld& world)
{
    world.folder.Write("assets/Scripts/States/Quiet.lua", QuietState);
    world.Start({"GameStateSystem"});
    world.Frames();
    GameStateMessage next(0, GSM_NEXT, 0u);
    GameState::System::GameStateSystem::Instance()->HandleMessage(&next);
    world.Frames();
}

void DriveState(HostileWorld& world)
{
    world.folder.Write("assets/Scripts/System/GameStateSystem.lua", StateList);
    world.folder.Write("assets/Scripts/States/Quiet.lua", QuietState);
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
    page->UpdatePage(FrameStep);
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

void DriveEmitter(HostileWorld& world)
{
    world.Start({"LogicSystem"});
    // An interval of 0 emits every frame, as many as one interval may have.
    const std::string most = std::to_string(Logic::EmitterComponent::MaxEmissions);
    GameObject* emitter = world.Make(
        "HostileEmitter", "<TransformComponent/><EmitterComponent><filename>Emitters/Hostile.lua"
                          "</filename><vec2 X=\"" +
                              most + "\" Y=\"" + most +
                              "\"/><interval>0</interval><active>1</active></EmitterComponent>");
    ASSERT_NE(emitter, nullptr) << world.log.Text();
    world.Frames();
    world.Destroy(emitter);
    world.Frames();
    // A failing emission ends its interval: a runaway one would otherwise stall the frame once
    // for every emission, and a broken one fill the log.
    EXPECT_LT(world.log.Count("Emitters/Hostile.lua"), Logic::EmitterComponent::MaxEmissions)
        << world.log.Text();
}

void DriveMeteor(HostileWorld& world)
{
    world.Start({"LogicSystem"});
    GameObject* meteor = world.Make("HostileMeteor", "<TransformComponent/><MeteorComponent>"
                                                     "<filename>Meteors/Hostile.lua</filename>"
                                                     "</MeteorComponent>");
    ASSERT_NE(meteor, nullptr) << world.log.Text();
    world.Frames();
    // The drops are asked for when the meteor goes.
    world.Destroy(meteor);
    world.Frames();
}

void DriveWaves(HostileWorld& world)
{
    world.Start({"GameStateSystem"});
    GameObject* waves = world.Make("HostileWaves", "<GameStateComponent><string>Waves</string>"
                                                   "<string>Waves/Hostile.lua</string>"
                                                   "<string>HostileWaves</string>"
                                                   "</GameStateComponent>");
    ASSERT_NE(waves, nullptr) << world.log.Text();
    world.Frames();
    world.Destroy(waves);
    world.Frames();
}

// The settings scripts are loaded when their system starts; the Lua system then steps them.
void DriveInputSettings(HostileWorld& world)
{
    world.Start({"InputSystem"});
    world.Frames();
}

void DriveAudioSettings(HostileWorld& world)
{
    world.Start({"AudioSystem"});
    world.Frames();
}

void DriveGraphicsSettings(HostileWorld& world)
{
    world.Start({"GraphicsSystem"});
    world.Frames();
}

// The F2 pass loads the script as "geo" on first use and calls its DrawDebug every drawn frame;
// the orientation check reads its angles.
void DriveGeometryDebug(HostileWorld& world)
{
    world.Start({"GraphicsSystem"});
    auto* graphics = Graphics::System::GraphicsSystem::Instance();
    ASSERT_NE(graphics, nullptr) << world.log.Text();
    graphics->DrawGeometryDebugScript();
    Testing::GeometryTests(Testing::GameGeometrySources()).TestQuaternions();
    world.Frames();
    graphics->ReloadGeometryDebugScript();
    graphics->DrawGeometryDebugScript();
    world.Frames();
}

// The variants with nothing to report for a kind whose results the engine never reads.
const std::vector<std::string> ResultsUnread = {
    "results of the wrong type", "NaN", "negative numbers", "huge numbers", "the largest integer"};

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
        // A full list (GameStateSystem::MaxStates) of broken entries. A number is taken as
        // the text of a file and a name: the state script that is not found is named, not this.
        {"state list entries",
         "System/GameStateSystem.lua",
         {"GetScriptFilename", "GetScriptName", "Update"},
         "function GetScriptCount() return 64 end\n",
         &DriveStateList,
         {"NaN", "negative numbers", "huge numbers", "the largest integer"}},
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
        {"emitter",
         "Emitters/Hostile.lua",
         {"SetOwner", "OnEmit", "OnEmitInterval", "Update"},
         "",
         &DriveEmitter,
         ResultsUnread},
        {"meteor",
         "Meteors/Hostile.lua",
         {"SpawnDrops", "Update"},
         "",
         &DriveMeteor,
         ResultsUnread},
        {"waves", "Waves/Hostile.lua", {"Update"}, "", &DriveWaves, ResultsUnread},
        {"input settings",
         "System/InputSystemScript.lua",
         {"Update"},
         "",
         &DriveInputSettings,
         ResultsUnread},
        // A full sound list (AudioSystem::MaxSoundListEntries) of broken entries; a broken
        // count is the response's row.
        {"audio settings",
         "System/AudioSystemScript.lua",
         {"GetAudioName", "GetAudioFilename", "GetAudioType", "Update"},
         "muted = @\nmusicVolume = @\neffectVolume = @\n"
         "function GetAudioCount() return 256 end\n",
         &DriveAudioSettings},
        {"graphics settings",
         "System/GraphicsSystemScript.lua",
         {"Update"},
         "fullscreen = false\nwidth = @\nheight = @\n",
         &DriveGraphicsSettings},
        {"geometry debug",
         "Debug/GeometryDebug.lua",
         {"DrawDebug", "Update"},
         "pitch = @\nyaw = @\nroll = @\n",
         &DriveGeometryDebug,
         // Any finite angle is an angle.
         {"negative numbers", "the largest integer"}},
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
        EXPECT_LE(world.log.Count("instructions in one call"), MostRunawayCalls);
        const s32 before = world.CanaryFrames();
        world.Frames();
        EXPECT_EQ(world.CanaryFrames(), before + static_cast<s32>(FrameCount)) << world.log.Text();
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
