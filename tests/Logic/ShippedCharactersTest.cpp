// Covers: SimpleControllerComponent, LuaComponent, HealthContainerComponent, ObjectMountsComponent.
// The shipped characters and scripts: every ability, emitter and response script defines what
// the engine reads from it; each character reads cleanly, is its own player and fires each of
// its slots through input messages; the Logic script table reaches three real players; and the
// fight shows: an enemy's blow glows and flashes on the player it hits, a stun shows stars until
// it ends, every level-up sprays motes off the character, fired or not, and the rage brings the
// Golem back to its own size.
#include "Audio/AudioRegistration.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Gameplay/ReviveDeadPlayersMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "GameState/HUDComponent.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Components/IntensityComponent.h"
#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Logic/Containers/ExperienceContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Modifiers/ModifierComponent.h"
#include "Logic/Movement/MoveComponent.h"
#include "Logic/Stances/StanceComponent.h"
#include "Physics/SphereColliderComponent.h"
#include "tests/Logic/LogicWorld.h"
#include "tests/Support/QueuedMessages.h"
#include "tests/Support/RecordingSystem.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <tinyxml2.h>
#include <vector>

namespace
{
namespace fs = std::filesystem;

const fs::path Shipped = QUILL_ASSET_ROOT;

std::string ReadShipped(const fs::path& file)
{
    std::ifstream in(Shipped / file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every shipped script below the folder, as "<folder>/<relative path>".
std::vector<std::string> ShippedScripts(const std::string& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(Shipped / "assets/Scripts" / folder))
    {
        if (entry.path().extension() == ".lua")
            files.push_back(
                fs::relative(entry.path(), Shipped / "assets/Scripts").generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Takes the sound lists of the audio responses in place of the audio system.
class AudioStandIn : public RecordingSystem
{
public:
    AudioStandIn() { m_name = "AudioSystem"; }
};

// The logic stage with every kind a character is made of, the shipped definitions and scripts
// copied into the scratch folder.
class ShippedWorld : public LogicWorld
{
protected:
    void SetUp() override
    {
        for (const auto& entry : fs::recursive_directory_iterator(Shipped / "assets"))
        {
            const std::string relative = fs::relative(entry.path(), Shipped).generic_string();
            // The effects too: ability objects and pick-ups mount them by name.
            const bool wanted = relative.rfind("assets/Objects/", 0) == 0 ||
                                relative.rfind("assets/Scripts/", 0) == 0 ||
                                relative.rfind("assets/Materials/", 0) == 0 ||
                                relative.rfind("assets/ParticleEffects/", 0) == 0;
            if (entry.is_regular_file() && wanted)
                folder.Write(relative, ReadShipped(relative));
        }
        Start();
        Audio::RegisterAudio(*engine);
        engine->GetSystemFactory().Register(
            "AudioSystem",
            [](const LaunchOptions&) -> SystemComponent* { return new AudioStandIn(); },
            []() -> SystemComponent* { return nullptr; });
        engine->AddSystem("AudioSystem");
        Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
        materials.LoadAll(0);
    }

    // The log's error lines, but those of render, text and particle data components: no models,
    // fonts or particle textures are loaded here. The log's count of suppressed repeats of such
    // a line ("... more identical lines suppressed: <line>") is judged by the line it repeats.
    std::vector<std::string> Errors() const
    {
        static const std::string Suppressed = " more identical lines suppressed: ";
        std::vector<std::string> errors;
        std::istringstream lines(log.Text());
        for (std::string line; std::getline(lines, line);)
        {
            const std::size_t repeat = line.find(Suppressed);
            const std::string_view own =
                repeat == std::string::npos
                    ? std::string_view(line)
                    : std::string_view(line).substr(repeat + Suppressed.size());
            if (own.find("Error") != std::string_view::npos &&
                own.rfind("Error [RenderComponent]", 0) != 0 &&
                own.rfind("Error [TextComponent]", 0) != 0 &&
                own.rfind("Error [ParticleSystemComponent]", 0) != 0)
                errors.push_back(line);
        }
        return errors;
    }

    GameObject* Create(const std::string& name)
    {
        return Serializer::System::SerializerSystem::CreateObject(0, name, Engine::GenerateId());
    }
    Scripting::LuaComponent* Load(const std::string& file)
    {
        Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
        EXPECT_TRUE(script->Load(file)) << file << log.Text();
        scripts.push_back(script);
        return script;
    }
    void TearDown() override
    {
        for (Scripting::LuaComponent* script : scripts)
            Scripting::LuaComponent::Destroy(script);
        LogicWorld::TearDown();
    }

    std::vector<Scripting::LuaComponent*> scripts;
    Graphics::MaterialManager materials;
};

bool IsFunction(Scripting::LuaComponent& script, const char* name)
{
    lua_State* state = script.GetState();
    lua_getglobal(state, name);
    const bool function = lua_type(state, -1) == LUA_TFUNCTION;
    lua_settop(state, 0);
    return function;
}

bool IsNumber(Scripting::LuaComponent& script, const char* table, const char* key)
{
    lua_State* state = script.GetState();
    lua_getglobal(state, table);
    bool number = false;
    if (lua_istable(state, -1))
    {
        lua_getfield(state, -1, key);
        number = lua_type(state, -1) == LUA_TNUMBER;
    }
    lua_settop(state, 0);
    return number;
}

TEST_F(ShippedWorld, EveryScriptDefinesWhatTheEngineReadsFromIt)
{
    // The modifiers the ability kinds call, and those whose results must stay.
    const std::set<std::string> kinds = {
        "AbsorbModifierComponent", "BumpModifierComponent",      "DamageModifierComponent",
        "DeathModifierComponent",  "EnrageModifierComponent",    "ExperienceModifierComponent",
        "HealthModifierComponent", "KnockbackModifierComponent", "SpeedModifierComponent",
        "StunModifierComponent",   "ToughnessModifierComponent", "ParticleSystemModifierComponent",
        "FlashModifierComponent",  "GlowModifierComponent",      "LightModifierComponent"};
    const std::set<std::string> lasting = {"DamageModifier", "HealthModifier",
                                           "ExperienceModifier"};

    const std::vector<std::string> abilities = ShippedScripts("Abilities");
    ASSERT_GE(abilities.size(), 15u);
    for (const std::string& file : abilities)
    {
        SCOPED_TRACE(file);
        Scripting::LuaComponent& script = *Load(file);
        for (const char* function :
             {"ActivateAbility", "IsCooledDown", "Update", "OnCollide", "GetModifierCount",
              "GetModifier", "LevelUp", "EnrageAbility", "UnEnrageAbility"})
            EXPECT_TRUE(IsFunction(script, function)) << function;
        for (const char* key : {"lifetime", "moveRate", "numObjsToHit"})
            EXPECT_TRUE(IsNumber(script, "Ability", key)) << key;
        bool enraged = true;
        EXPECT_TRUE(script.GetTableBool("Character", "enraged", enraged));
        EXPECT_FALSE(enraged);
        u32 count = 0;
        ASSERT_TRUE(script.CallReturnUnsigned("GetModifierCount", count));
        for (u32 i = 1; i <= count; ++i)
        {
            std::string modifier;
            ASSERT_TRUE(script.CallUnsignedReturnString("GetModifier", i, modifier));
            EXPECT_EQ(kinds.count(modifier), 1u) << modifier;
            const std::string table = modifier.substr(0, modifier.size() - 9); // "Component"
            // "enrageModifier" is read while the character is enraged.
            for (const char* key : {"value", "timeToLast", "enrageModifier"})
                EXPECT_TRUE(IsNumber(script, table.c_str(), key)) << table << "." << key;
            bool temporary = true;
            EXPECT_TRUE(script.GetTableBool(table.c_str(), "isTemporary", temporary)) << table;
            EXPECT_TRUE(lasting.count(table) == 0 || !temporary) << table << " must last";
        }
    }
    // What the enraged earthquake and the steam pump read besides.
    Scripting::LuaComponent& quake = *Load("Abilities/Golem/Earthquake.lua");
    f32 value = 0.0f;
    EXPECT_TRUE(quake.GetGlobalFloat("endingScaleEffectValue", value));
    EXPECT_TRUE(quake.GetGlobalFloat("timeToReachEndScale", value));
    Scripting::LuaComponent& pump = *Load("Abilities/SteamKnight/SteamPump.lua");
    EXPECT_TRUE(pump.GetGlobalFloat("steamKnockDistance", value));
    EXPECT_TRUE(IsNumber(pump, "ScaleEffect", "value"));
    EXPECT_TRUE(IsNumber(pump, "ScaleEffect", "timeToLast"));

    for (const std::string& file : ShippedScripts("Emitters"))
    {
        Scripting::LuaComponent& script = *Load(file);
        for (const char* function : {"SetOwner", "OnEmit", "OnEmitInterval", "Update"})
            EXPECT_TRUE(IsFunction(script, function)) << file << ": " << function;
    }
    // Enemies are hurt and die; players do all the rest as well.
    for (const std::string& file : ShippedScripts("Audio"))
    {
        Scripting::LuaComponent& script = *Load(file);
        std::vector<const char*> functions = {"GetAudioCount", "GetAudioName", "GetAudioFilename",
                                              "OnLoad",        "OnDamaged",    "OnDeath"};
        if (file != "Audio/EnemyAudio.lua")
            functions.insert(functions.end(),
                             {"OnAbility0", "OnAbility1", "OnAbility2", "OnAbility3", "OnMove",
                              "OnRespawn", "OnSelect", "OnFinalKill", "OnVictory", "OnDefeat"});
        for (const char* function : functions)
            EXPECT_TRUE(IsFunction(script, function)) << file << ": " << function;
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// The names of an object definition's components, in order.
std::vector<std::string> ComponentsOf(const std::string& name)
{
    tinyxml2::XMLDocument document;
    document.Parse(ReadShipped("assets/Objects/" + name + ".xml").c_str());
    std::vector<std::string> names;
    const tinyxml2::XMLElement* root = document.RootElement();
    for (const tinyxml2::XMLElement* c = root != nullptr ? root->FirstChildElement() : nullptr;
         c != nullptr; c = c->NextSiblingElement())
    {
        tinyxml2::XMLPrinter printer;
        c->Accept(&printer);
        names.push_back(printer.CStr());
    }
    return names;
}

TEST_F(ShippedWorld, EachCharacterIsAPlayerThatFiresEverySlotByInput)
{
    struct Case
    {
        std::string name;
        std::string stance;
        std::vector<std::vector<std::string>> spawns; // by slot; then slots 1 and 2 after a swap
    };
    const Case cases[] = {
        {"Golem",
         "BeaconStanceComponent",
         {{"GolemTitansFist"}, {"GolemEarthboundArmor"}, {"GolemEarthquake"}, {"GolemEnrage"}}},
        {"Mage",
         "ArcherStanceComponent",
         {{"MageLaser"},
          {"MageBlink"},
          {"MageLightningBolt", "MageLightningBoltLeft", "MageLightningBoltRight"},
          {"MageOrb"}}},
        {"SteamKnight",
         "SlowStanceComponent",
         {{"SteamKnightLanceThrust"},
          {"SteamKnightDamageTrap"},
          {"SteamKnightSteamPump"},
          {"SteamKnightFissure"},
          {"SteamKnightSlowTrap"},
          {"SteamKnightTauntTrap"}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        // The character-select page creates the character under its short name.
        EXPECT_EQ(ComponentsOf(c.name), ComponentsOf("Character" + c.name));
        GameObject* character = Create("Character" + c.name);
        ASSERT_NE(character, nullptr);
        // The skinned shader draws the model with the controller's bone matrices, or not at all.
        EXPECT_NE(character->GetComponent<Graphics::AnimationControllerComponent>(), nullptr);
        auto* controller = character->GetComponent<Logic::SimpleControllerComponent>();
        ASSERT_NE(controller, nullptr);
        EXPECT_EQ(controller->GetAbilityCount(), c.spawns.size());
        ASSERT_NE(controller->GetStance(), nullptr);
        EXPECT_EQ(controller->GetStance()->GetName(), c.stance);
        const u32 bar =
            character->GetComponent<ObjectMountsComponent>()->FindMountByName("HealthBarCharacter");
        ASSERT_NE(Find(bar), nullptr);
        EXPECT_EQ(Find(bar)->GetComponents(ComponentTypeId<GameState::HUDComponent>()).size(), 6u);
        QueuedMessages setUp(*Core::System::MessageSystem::Instance());

        auto fire = [&](u32 slot)
        {
            InputActionMessage select(0, 0, slot + 1, KS_TRIGGER, 0);
            InputActionMessage fireIt(0, 0, 0, KS_TRIGGER, 0);
            controller->HandleMessage(&select);
            controller->HandleMessage(&fireIt);
            QueuedMessages queued(*Core::System::MessageSystem::Instance());
            std::vector<std::string> made;
            for (std::size_t i = 0; i < queued.size(); ++i)
            {
                if (auto* create = queued.As<ObjectCreateMessage>(i))
                {
                    made.push_back(create->archetype);
                    EXPECT_EQ(create->senderId, character->GetId()) << "the character creates";
                    EXPECT_TRUE(fs::is_regular_file(Shipped / "assets/Objects" /
                                                    (create->archetype + ".xml")))
                        << create->archetype;
                }
            }
            EXPECT_FALSE(controller->IsReady(slot));
            return made;
        };
        for (u32 slot = 0; slot < 4; ++slot)
            EXPECT_EQ(fire(slot), c.spawns[slot]) << "slot " << slot;
        if (c.spawns.size() > 4)
        {
            InputActionMessage swap(0, 0, 5, KS_TRIGGER, 0);
            controller->HandleMessage(&swap);
            for (Scripting::LuaComponent* script : controller->GetAbilityScripts())
                script->CallUpdate(60.0f); // every cooldown over
            EXPECT_EQ(fire(1), c.spawns[4]);
            EXPECT_EQ(fire(2), c.spawns[5]);
        }
        controller->Update(0.1f);
        const std::vector<GameObjectComponent*> elements =
            Find(bar)->GetComponents(ComponentTypeId<GameState::HUDComponent>());
        for (u32 slot = 0; slot < 4; ++slot)
        {
            const std::string icon =
                static_cast<GameState::HUDComponent*>(elements[2 + slot])->GetMaterialName();
            // After the swap only slots 1 and 2 fired again; 0 and 3 have cooled down.
            const bool cooled = c.spawns.size() > 4 && (slot == 0 || slot == 3);
            EXPECT_EQ(icon.substr(icon.rfind('O')), cooled ? "On" : "Off") << icon;
        }
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// Each shipped ability object, touched by a test enemy (or, for those that act on their own
// character, by the character), does to it what its kind and its script's numbers say.
TEST_F(ShippedWorld, EachAbilityObjectChangesWhatItTouches)
{
    enum class Outcome
    {
        EnemyHurt,        // the enemy's health drops
        EnemySlowed,      // and its speed halves
        CharacterShield,  // the character's shield fills
        CharacterEnraged, // the character's scripts hear the rage
        CharacterSlides,  // the character dashes ahead
    };
    struct Row
    {
        const char* character;
        u32 slot;
        bool swapped; // the alternate abilities in place
        const char* object;
        Outcome outcome;
    };
    const Row rows[] = {
        {"Golem", 0, false, "GolemTitansFist", Outcome::EnemyHurt},
        {"Golem", 1, false, "GolemEarthboundArmor", Outcome::CharacterShield},
        {"Golem", 2, false, "GolemEarthquake", Outcome::EnemyHurt},
        {"Golem", 2, false, "GolemEnragedEarthquake", Outcome::EnemyHurt},
        {"Golem", 3, false, "GolemEnrage", Outcome::CharacterEnraged},
        {"Mage", 0, false, "MageLaser", Outcome::EnemyHurt},
        {"Mage", 1, false, "MageBlink", Outcome::CharacterSlides},
        {"Mage", 2, false, "MageLightningBolt", Outcome::EnemyHurt},
        {"Mage", 2, false, "MageLightningBoltLeft", Outcome::EnemyHurt},
        {"Mage", 2, false, "MageLightningBoltRight", Outcome::EnemyHurt},
        {"Mage", 3, false, "MageOrb", Outcome::EnemySlowed},
        {"SteamKnight", 0, false, "SteamKnightLanceThrust", Outcome::EnemyHurt},
        {"SteamKnight", 1, false, "SteamKnightDamageTrap", Outcome::EnemyHurt},
        {"SteamKnight", 2, false, "SteamKnightSteamPump", Outcome::EnemyHurt},
        {"SteamKnight", 3, false, "SteamKnightFissure", Outcome::EnemyHurt},
        {"SteamKnight", 1, true, "SteamKnightSlowTrap", Outcome::EnemySlowed},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.object);
        GameObject* character = Create(std::string("Character") + row.character);
        auto* controller = character->GetComponent<Logic::SimpleControllerComponent>();
        if (row.swapped)
            controller->SwapAlternateAbilities();
        controller->Select(row.slot);
        GameObject* enemy =
            Make("TestEnemy", "<TransformComponent><position X=\"0\" Y=\"0\" Z=\"3\"/>"
                              "</TransformComponent><HealthContainerComponent><f32>100</f32>"
                              "<f32>0</f32><f32>100</f32></HealthContainerComponent>"
                              "<DamageContainerComponent><f32>0</f32><f32>0</f32><f32>1000</f32>"
                              "</DamageContainerComponent><ConstantMoveComponent><f32>1</f32>"
                              "</ConstantMoveComponent><ControllerProbe/>");
        GameObject* ability = Serializer::System::SerializerSystem::CreateObject(
            character->GetId(), row.object, Engine::GenerateId());
        ASSERT_NE(ability, nullptr);
        const bool onCharacter =
            row.outcome == Outcome::CharacterShield || row.outcome == Outcome::CharacterEnraged;
        CollideMessage touch(0, Math::Vector4(0, 0, 1, 0),
                             onCharacter ? character->GetId() : enemy->GetId(), true,
                             ability->GetId());
        ability->HandleMessage(&touch);
        for (int frame = 0; frame < 20; ++frame)
        {
            Deliver();
            Tick(1.0f / 60.0f);
        }
        const f32 health =
            enemy->GetComponent<Logic::HealthContainerComponent>()->GetCurrentStorage();
        switch (row.outcome)
        {
        case Outcome::EnemyHurt:
            EXPECT_LT(health, 100.0f);
            break;
        case Outcome::EnemySlowed:
            EXPECT_EQ(enemy->GetComponent<Logic::MoveComponent>()->GetMoveModifier(), 0.5f);
            break;
        case Outcome::CharacterShield:
            EXPECT_GT(
                character->GetComponent<Logic::AbsorbContainerComponent>()->GetCurrentStorage(),
                0.0f);
            break;
        case Outcome::CharacterEnraged:
        {
            bool enraged = false;
            controller->GetAbilityScript(0)->GetTableBool("Character", "enraged", enraged);
            EXPECT_TRUE(enraged);
            break;
        }
        case Outcome::CharacterSlides:
            EXPECT_GT(character->GetComponent<TransformComponent>()->GetPosition().z, 5.0f);
            break;
        }
        Factory().DestroyObject(enemy->GetId());
        Factory().DestroyObject(character->GetId());
        Deliver();
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// Enemies stand on the ground (their spheres are centred at their feet), so an attack that
// hurts them must come down to reach the smallest of them, wherever along its way it meets one:
// an attack placed above that height passes over every enemy's head and never lands.
TEST_F(ShippedWorld, EveryAttackReachesTheSmallestEnemyOnTheGround)
{
    // CharacterAIFlock's radius, the smallest of the shipped enemies.
    constexpr f32 SmallestEnemyRadius = 0.5f;
    const std::pair<const char*, const char*> attacks[] = {
        {"Golem", "GolemTitansFist"},
        {"Golem", "GolemEarthquake"},
        {"Mage", "MageLaser"},
        {"Mage", "MageLightningBolt"},
        {"Mage", "MageLightningBoltLeft"},
        {"Mage", "MageLightningBoltRight"},
        {"Mage", "MageOrb"},
        {"SteamKnight", "SteamKnightLanceThrust"},
        {"SteamKnight", "SteamKnightSteamPump"},
        {"SteamKnight", "SteamKnightDamageTrap"},
    };
    for (const auto& [character, attack] : attacks)
    {
        SCOPED_TRACE(attack);
        GameObject* owner = Create(std::string("Character") + character);
        GameObject* object = Serializer::System::SerializerSystem::CreateObject(
            owner->GetId(), attack, Engine::GenerateId());
        ASSERT_NE(object, nullptr);
        auto* sphere = dynamic_cast<Physics::SphereColliderComponent*>(
            object->GetComponent<Physics::ColliderComponent>());
        ASSERT_NE(sphere, nullptr);
        sphere->UpdateFromTransform(0.0f);
        EXPECT_LT(std::abs(sphere->GetSphere().centre.y),
                  sphere->GetSphere().radius + SmallestEnemyRadius);
        Deliver(); // what the object's set-up posted (a dash reaches its character)
        Factory().DestroyObject(object->GetId());
        Factory().DestroyObject(owner->GetId());
        Deliver();
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// The rage and the stone armour act on the Golem itself. A collider hears a contact only when
// its mask leaves the other's category out, so each must leave the Golem's groups out, and take
// in the enemies' (which would otherwise take the rage or wear the armour first).
TEST_F(ShippedWorld, TheGolemsOwnAbilitiesHearTheGolemAndNoEnemy)
{
    constexpr u32 EnemyCategory = 32; // every shipped enemy's collider group
    GameObject* golem = Create("CharacterGolem");
    const u32 golemCategory = golem->GetComponent<Physics::ColliderComponent>()->Category;
    for (const char* name : {"GolemEnrage", "GolemEarthboundArmor"})
    {
        SCOPED_TRACE(name);
        GameObject* object = Serializer::System::SerializerSystem::CreateObject(
            golem->GetId(), name, Engine::GenerateId());
        ASSERT_NE(object, nullptr);
        const u32 mask = object->GetComponent<Physics::ColliderComponent>()->Mask;
        EXPECT_EQ(mask & golemCategory, 0u);
        EXPECT_NE(mask & EnemyCategory, 0u);
        Factory().DestroyObject(object->GetId());
    }
    Deliver();
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// The enraged earthquake binds the script of the slot that fired: its object is made from a
// message, and a key pressed in the same frame may have selected the stone armour meanwhile.
TEST_F(ShippedWorld, TheEnragedEarthquakeKeepsTheQuakesScriptWhenTheSelectionMovesOn)
{
    GameObject* golem = Create("CharacterGolem");
    auto* controller = golem->GetComponent<Logic::SimpleControllerComponent>();
    for (Scripting::LuaComponent* script : controller->GetAbilityScripts())
        script->Call("EnrageAbility");
    // The quake fires, then the fist in the same frame: both objects are made afterwards.
    controller->Select(2);
    ASSERT_TRUE(controller->ActivateSelectedAbility());
    const u32 quakeId = Engine::GetLastId();
    controller->Select(0);
    ASSERT_TRUE(controller->ActivateSelectedAbility());
    controller->Select(1);
    Deliver();
    GameObject* quake = Find(quakeId);
    ASSERT_NE(quake, nullptr);
    EXPECT_EQ(quake->GetName(), "GolemEnragedEarthquake");
    std::vector<std::string> modifiers;
    for (GameObjectComponent* modifier :
         quake->GetComponents(ComponentTypeId<Logic::ModifierComponent>()))
        modifiers.push_back(modifier->GetName());
    EXPECT_EQ(modifiers,
              (std::vector<std::string>{"DamageModifierComponent", "StunModifierComponent",
                                        "ParticleSystemModifierComponent"}));
    Deliver();
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

TEST_F(ShippedWorld, HealsAndBroadcastsReachThreePlayersInListOrder)
{
    std::vector<GameObject*> players;
    for (const char* name : {"CharacterGolem", "CharacterMage", "CharacterSteamKnight"})
        players.push_back(Create(name));
    // The Golem at full health (150 of 150), the Mage at 10 of 90, the knight at 90 of 120.
    players[1]->GetComponent<Logic::HealthContainerComponent>()->Add(-80.0f);
    players[2]->GetComponent<Logic::HealthContainerComponent>()->Add(-30.0f);
    QueuedMessages setUp(*Core::System::MessageSystem::Instance());

    Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
    const char* text = "living = Logic.GetLivingPlayerCount() Logic.HealPlayers() "
                       "Logic.BroadcastVictory() Logic.BroadcastDefeat()";
    ASSERT_TRUE(script->LoadText("heal", text, std::strlen(text)));
    scripts.push_back(script);
    s32 living = 0;
    EXPECT_TRUE(script->GetGlobalInt("living", living));
    EXPECT_EQ(living, 3);

    QueuedMessages queued(*Core::System::MessageSystem::Instance());
    std::vector<std::pair<u32, f32>> victory, defeat;
    for (std::size_t i = 0; i < queued.size(); ++i)
    {
        if (queued[i]->type == 83)
            victory.emplace_back(queued[i]->targetObjectId, queued[i]->delay);
        else if (queued[i]->type == 84)
            defeat.emplace_back(queued[i]->targetObjectId, queued[i]->delay);
    }
    const u32 golem = players[0]->GetId(), mage = players[1]->GetId(), knight = players[2]->GetId();
    EXPECT_EQ(victory,
              (std::vector<std::pair<u32, f32>>{{golem, 0.0f}, {mage, 1.0f}, {knight, 2.0f}}));
    EXPECT_EQ(defeat,
              (std::vector<std::pair<u32, f32>>{{golem, 0.0f}, {mage, 2.0f}, {knight, 4.0f}}));

    // The heals arrive half a second apart: the Mage gets two (10 + 50 + 50, kept at 90), the
    // knight one (90 + 50, kept at 120), the full Golem one that changes nothing.
    struct Step
    {
        f32 seconds;
        f32 golem, mage, knight;
    };
    for (const Step& step :
         {Step{0.0f, 150, 60, 120}, Step{0.5f, 150, 90, 120}, Step{0.5f, 150, 90, 120}})
    {
        Core::System::MessageSystem::Instance()->Update(step.seconds);
        Deliver();
        Tick(0.01f);
        const f32 health[] = {step.golem, step.mage, step.knight};
        for (std::size_t i = 0; i < players.size(); ++i)
            EXPECT_EQ(
                players[i]->GetComponent<Logic::HealthContainerComponent>()->GetCurrentStorage(),
                health[i])
                << players[i]->GetName() << " after " << step.seconds;
    }
}
// An enemy's blow bursts the same glow off the player it lands on as a player's blow does off an
// enemy, and flashes the player red for a moment.
TEST_F(ShippedWorld, AnEnemysBlowGlowsAndFlashesOnThePlayerItHits)
{
    for (const char* attack : {"AIMeleeStrike", "AIRangedBolt", "AITankShell"})
    {
        SCOPED_TRACE(attack);
        GameObject* player = Create("CharacterMage");
        GameObject* blow = Create(attack);
        ASSERT_NE(blow, nullptr);
        CollideMessage touch(0, Math::Vector4(0, 0, 1, 0), player->GetId(), true, blow->GetId());
        blow->HandleMessage(&touch);
        Deliver();
        Tick(1.0f / 60.0f); // the effects apply
        Deliver();          // and what they post is done
        const auto* mounts = player->GetComponent<ObjectMountsComponent>();
        EXPECT_NE(mounts->FindMountByName("HitGlow"), 0u);
        const auto* flash = player->GetComponent<Graphics::IntensityComponent>();
        ASSERT_NE(flash, nullptr);
        EXPECT_GT(flash->channels[Graphics::IntensityComponent::Red].GetValue(), 2.0f);
        EXPECT_LT(flash->channels[Graphics::IntensityComponent::Green].GetValue(), 1.0f);
        for (int frame = 0; frame < 30; ++frame)
        {
            Deliver();
            Tick(1.0f / 60.0f);
        }
        Deliver();
        EXPECT_EQ(mounts->FindMountByName("HitGlow"), 0u) << "the glow is taken off again";
        Factory().DestroyObject(player->GetId());
        Deliver();
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// The Golem's earthquake stuns what it hits: stars circle the stunned enemy while it cannot act,
// and go with the stun.
TEST_F(ShippedWorld, AStunShowsStarsOverTheStunnedUntilItEnds)
{
    GameObject* golem = Create("CharacterGolem");
    golem->GetComponent<Logic::SimpleControllerComponent>()->Select(2);
    GameObject* enemy =
        Make("StunnedEnemy", "<TransformComponent/><ObjectMountsComponent/>"
                             "<HealthContainerComponent><f32>100</f32><f32>0</f32><f32>100</f32>"
                             "</HealthContainerComponent><DamageContainerComponent><f32>0</f32>"
                             "<f32>0</f32><f32>1000</f32></DamageContainerComponent>"
                             "<ControllerProbe/>");
    GameObject* quake = Serializer::System::SerializerSystem::CreateObject(
        golem->GetId(), "GolemEarthquake", Engine::GenerateId());
    ASSERT_NE(quake, nullptr);
    CollideMessage touch(0, Math::Vector4(0, 0, 1, 0), enemy->GetId(), true, quake->GetId());
    quake->HandleMessage(&touch);
    Deliver();
    Tick(1.0f / 60.0f);
    Deliver();
    const auto* controller = enemy->GetComponent<Logic::ControllerComponent>();
    const auto* mounts = enemy->GetComponent<ObjectMountsComponent>();
    EXPECT_TRUE(controller->IsDisabled());
    EXPECT_NE(mounts->FindMountByName("StunStars"), 0u);
    // The earthquake's stun lasts 1.5 s.
    for (int frame = 0; frame < 100; ++frame)
    {
        Deliver();
        Tick(1.0f / 60.0f);
    }
    Deliver();
    EXPECT_FALSE(controller->IsDisabled());
    EXPECT_EQ(mounts->FindMountByName("StunStars"), 0u);
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// A level-up makes an ability stronger, never turns it round: a slow stays a slow (a speed factor
// grown past 1 would hurry the enemies it meant to hold).
TEST_F(ShippedWorld, ALevelUpKeepsEverySlowASlow)
{
    for (const std::string& file : ShippedScripts("Abilities"))
    {
        Scripting::LuaComponent& script = *Load(file);
        if (!IsNumber(script, "SpeedModifier", "value"))
            continue;
        SCOPED_TRACE(file);
        for (int level = 0; level < 5; ++level)
            ASSERT_TRUE(script.Call("LevelUp"));
        f32 factor = 0.0f;
        ASSERT_TRUE(script.GetTableFloat("SpeedModifier", "value", factor));
        EXPECT_GT(factor, 0.0f);
        EXPECT_LT(factor, 1.0f);
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// A level-up sprays experience motes off the character for a moment, also before the character
// has fired any ability.
TEST_F(ShippedWorld, ALevelUpSpraysMotesOffACharacterThatHasNotFiredYet)
{
    for (const char* name : {"CharacterGolem", "CharacterMage", "CharacterSteamKnight"})
    {
        SCOPED_TRACE(name);
        GameObject* character = Create(name);
        auto* experience = character->GetComponent<Logic::ExperienceContainerComponent>();
        ASSERT_GT(experience->GetLevelCount(), 0);
        experience->Add(experience->GetThresholds()[0]);
        ASSERT_EQ(experience->GetLevel(), 1);
        Deliver();
        const auto* mounts = character->GetComponent<ObjectMountsComponent>();
        EXPECT_NE(mounts->FindMountByName("ExperienceMotes"), 0u);
        Core::System::MessageSystem::Instance()->Update(2.0f);
        Deliver();
        EXPECT_EQ(mounts->FindMountByName("ExperienceMotes"), 0u) << "taken off after a moment";
        Factory().DestroyObject(character->GetId());
        Deliver();
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}

// The rage grows the Golem to its rage factor times its own scale and brings it back to that own
// scale, however rages follow each other: one right after another (a level-up between them), one
// begun while an enraged earthquake grows, one that runs out while the Golem lies dead (its
// collision group must not come back with the revival).
TEST_F(ShippedWorld, TheRageGrowsTheGolemFromItsOwnScaleAndBringsItBack)
{
    constexpr f32 FrameStep = 1.0f / 60.0f;
    constexpr f32 OwnScale = 1.2f;   // not 1, so that a factor taken twice shows
    constexpr f32 RageFactor = 1.5f; // Enrage.lua's EnrageModifier value
    constexpr f32 Slack = 1e-4f;
    GameObject* golem = Create("CharacterGolem");
    auto* controller = golem->GetComponent<Logic::SimpleControllerComponent>();
    auto* transform = golem->GetComponent<TransformComponent>();
    auto* sphere = static_cast<Physics::SphereColliderComponent*>(
        golem->GetComponent<Physics::ColliderComponent>());
    transform->SetScale(Math::Vector3(OwnScale, OwnScale, OwnScale));
    const f32 ownRadius = sphere->GetSphere().radius;
    const u32 ownCategory = sphere->Category;
    f32 largest = 0.0f, widest = 0.0f, quakeLargest = 0.0f;
    u32 quake = 0; // the enraged earthquake, while it lasts
    const auto frames = [&](f32 seconds)
    {
        for (f32 t = 0.0f; t < seconds; t += FrameStep)
        {
            Deliver();
            Tick(FrameStep);
            largest = std::max(largest, transform->GetScale().x);
            widest = std::max(widest, sphere->GetSphere().radius);
            if (const GameObject* object = Find(quake))
                quakeLargest = std::max(quakeLargest,
                                        object->GetComponent<TransformComponent>()->GetScale().x);
        }
    };
    // The rage object touches the Golem (no physics runs here).
    const auto rage = [&]()
    {
        GameObject* object = Serializer::System::SerializerSystem::CreateObject(
            golem->GetId(), "GolemEnrage", Engine::GenerateId());
        ASSERT_NE(object, nullptr);
        CollideMessage touch(0, Math::Vector4(0, 0, 1, 0), golem->GetId(), true, object->GetId());
        object->HandleMessage(&touch);
    };
    const auto expectOwnSize = [&](const char* when)
    {
        SCOPED_TRACE(when);
        EXPECT_LE(largest, OwnScale * RageFactor + Slack);
        EXPECT_LE(widest, ownRadius * RageFactor + Slack);
        EXPECT_NEAR(transform->GetScale().x, OwnScale, Slack);
        EXPECT_NEAR(transform->GetScale().z, OwnScale, Slack);
        EXPECT_NEAR(sphere->GetSphere().radius, ownRadius, Slack);
    };

    rage();
    frames(2.0f);
    EXPECT_NEAR(transform->GetScale().x, OwnScale * RageFactor, Slack) << "grown once";
    frames(6.1f);
    // The first rage has just ended and the Golem shrinks: a level comes, then the next rage.
    auto* experience = golem->GetComponent<Logic::ExperienceContainerComponent>();
    experience->Add(experience->GetThresholds()[0]);
    rage();
    frames(2.0f);
    EXPECT_NEAR(transform->GetScale().x, OwnScale * RageFactor, Slack) << "grown again";
    frames(8.0f);
    expectOwnSize("rage after rage");

    // Enraged, the Golem shakes the ground; the rage ends as the earthquake grows and the next
    // one comes at once.
    rage();
    frames(7.9f);
    controller->Select(2);
    InputActionMessage fire(0, 0, 0, KS_TRIGGER, 0);
    controller->HandleMessage(&fire);
    Deliver();
    for (u32 id = golem->GetId() + 1; id <= Engine::GetLastId(); ++id)
    {
        const GameObject* object = Find(id);
        if (object != nullptr && object->GetName() == "GolemEnragedEarthquake")
            quake = id;
    }
    ASSERT_NE(quake, 0u) << "the enraged Golem's earthquake";
    const f32 quakeOwn = Find(quake)->GetComponent<TransformComponent>()->GetScale().x;
    frames(0.2f);
    rage();
    frames(10.0f);
    expectOwnSize("rage during an enraged earthquake");
    EXPECT_EQ(Find(quake), nullptr);
    EXPECT_GT(quakeLargest, quakeOwn);
    EXPECT_LE(quakeLargest, quakeOwn * 2.0f + Slack) << "Earthquake.lua's end scale";

    // The Golem falls while enraged and lies dead until its rage has run out; revived, it
    // rages again.
    rage();
    frames(1.0f);
    golem->GetComponent<Logic::HealthContainerComponent>()->Add(-1.0e6f);
    frames(9.0f);
    expectOwnSize("a rage that ran out in death");
    engine->SendMessage(new ReviveDeadPlayersMessage(0, "LogicSystem"), 0.0f);
    frames(0.5f);
    EXPECT_EQ(sphere->Category, ownCategory) << "the revived Golem is not enraged";
    rage();
    frames(10.0f);
    expectOwnSize("a rage after the revive");
    EXPECT_EQ(Errors(), std::vector<std::string>{});
}
} // namespace
