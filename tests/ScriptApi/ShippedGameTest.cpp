// Covers: GameStateSystem, UISystem, PageComponent, LuaComponent.
// The game's own states, pages and scripts, run headless from the repository's assets with four
// fake controllers: the main menu, the level's character selection, the heads-up display, the
// pause page and a defeat that returns to the main menu. Players are counted by the logic
// system, which lists the characters' stand-in controllers (they live until a death effect
// marks them).
// A contract test checks every callback of every shipped state and page script, and the
// cursor's arrow hangs from the mouse.
#include "Core/CoreServices.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "GameState/GameStateSystem.h"
#include "GameState/PageComponent.h"
#include "GameState/UISystem.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/OverlayServices.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/LogicSystem.h"
#include "Scripting/LuaComponent.h"
#include "Serializer/SerializerSystem.h"
#include "tests/GameState/GameStateWorld.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tinyxml2.h>
#include <vector>

using GameState::PageComponent;
using GameState::System::GameStateSystem;
using GameState::System::UISystem;

namespace
{
constexpr u32 PluggedControllers = 4;
const char* const Kinds[] = {"Golem", "Mage", "SteamKnight"};

// Stands in for the player controller of the rules: a player controller the logic system lists
// among its players, which only keeps the player number its character is given and neither
// reads nor drives anything.
class StandInController : public Logic::SimpleControllerComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "SimpleControllerComponent";
        return name;
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void Update(f32) override {}
    void HandleMessage(Message* message) override
    {
        if (message->type == SetPlayerNumberMessage::Type)
            player = static_cast<s32>(static_cast<SetPlayerNumberMessage*>(message)->playerNumber);
    }

    s32 player = -1;
};

// What marks a player's character as dead for the living-player count.
class DeathEffectProbe : public GameObjectComponent
{
public:
    DeathEffectProbe() : GameObjectComponent(true) {}
    u32 GetType() const override { return HashTypeName("DeathEffectComponent"); }
    const std::string& GetName() const override
    {
        static const std::string name = "DeathEffectComponent";
        return name;
    }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
};

class ShippedGame
{
public:
    // The rules' system, outside the engine's list: it lists the stand-in controllers as the
    // players the scripts count, and outlives every object of the world.
    Logic::System::LogicSystem logic;

    ShippedGame() : m_plugged(Plug(window))
    {
        world.engine->GetFactory()->GetComponentFactory().Register<StandInController>(
            ComponentFactory::LogicPool);
    }

    std::string Page() const { return UISystem::Instance()->GetCurrentPageName(); }
    std::string State() const
    {
        const GameStateSystem* states = GameStateSystem::Instance();
        return states->GetStateName(states->GetCurrent());
    }
    void Action(u32 player, u32 action)
    {
        world.Post(new InputActionMessage(0, player, action, KS_TRIGGER, 0));
        // Delivery, then what the scripts posted, then a state's batch and its initialisation.
        world.Frames(4);
    }
    void Move(u32 player, f32 x)
    {
        world.Post(new InputMoveMessage(0, player, Math::Vector2(x, 0.0f), KS_TRIGGER, 0));
        world.Frames(2);
    }
    void Escape()
    {
        world.Post(new KeyboardMessage(0, UISystem::EscapeKey, KS_TRIGGER, 0));
        world.Frames(2);
    }
    std::vector<u32> Characters() const
    {
        std::vector<u32> ids;
        for (const char* kind : Kinds)
        {
            for (u32 id : world.recorder->IdsOf(kind))
                ids.push_back(id);
        }
        return ids;
    }

    FakeWindowLayer window;

private:
    static bool Plug(FakeWindowLayer& window)
    {
        for (u32 id = 0; id < PluggedControllers; ++id)
            window.PlugController(static_cast<int>(id));
        return true;
    }
    bool m_plugged;

public:
    GameStateWorld world{{"ScriptingSystem", "MessagingSystem", "InputSystem", "SerializerSystem",
                          "AssetLoaderSystem", "GameStateSystem", "UISystem"}};
};

std::string PageScriptOf(const tinyxml2::XMLElement* page, std::vector<std::string>& functions)
{
    std::string script;
    for (const tinyxml2::XMLElement* child = page->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement())
    {
        const std::string tag = child->Name();
        if (tag == "ScriptFile" && child->GetText() != nullptr)
            script = child->GetText();
        if (tag == "FunctionName" && child->GetText() != nullptr)
            functions.push_back(child->GetText());
    }
    return script;
}

bool IsFunction(Scripting::LuaComponent& script, const std::string& name)
{
    lua_State* state = script.GetState();
    lua_getglobal(state, name.c_str());
    const bool function = lua_type(state, -1) == LUA_TFUNCTION;
    lua_settop(state, 0);
    return function;
}
} // namespace

TEST(ShippedGame, FromTheMainMenuThroughALevelAndBack)
{
    ShippedGame game;
    GameStateWorld& world = game.world;
    world.Frames(3);
    EXPECT_EQ(game.State(), "Main");
    EXPECT_EQ(game.Page(), "MainMenu");
    EXPECT_EQ(world.log.Count("GameStateSystem: initializing state Main"), 1u);

    // Play, for the first player (the selection starts on the first button).
    game.Action(0, PageComponent::ActionSelect);
    EXPECT_EQ(game.State(), "Level1");
    EXPECT_EQ(world.log.Count("GameStateSystem: leaving state Main"), 1u);
    EXPECT_EQ(game.Page(), "CharacterSelect");

    // Four players join with Start and pick: Golem, Mage, SteamKnight, Golem.
    for (u32 player = 0; player < PluggedControllers; ++player)
        game.Action(player, PageComponent::ActionStart);
    game.Action(0, PageComponent::ActionSelect);
    game.Move(1, 1.0f);
    game.Action(1, PageComponent::ActionSelect);
    game.Move(2, 1.0f);
    game.Move(2, 1.0f);
    game.Action(2, PageComponent::ActionSelect);
    game.Action(3, PageComponent::ActionSelect);
    EXPECT_EQ(game.Page(), "CharacterSelect") << "nobody has begun yet";

    game.Action(0, PageComponent::ActionStart);
    EXPECT_EQ(game.Page(), "HUD");
    const std::vector<u32> characters = game.Characters();
    ASSERT_EQ(characters.size(), 4u);
    EXPECT_EQ(Logic::System::LogicSystem::PlayerObjectIds().size(), 4u);
    world.Frames(1);
    const char* const picks[] = {"Golem", "Mage", "SteamKnight", "Golem"};
    for (u32 player = 0; player < PluggedControllers; ++player)
    {
        // The recorder lists the characters in kind order; find this player's.
        bool found = false;
        for (u32 id : characters)
        {
            const GameObject* character = world.engine->GetFactory()->FindObject(id);
            ASSERT_NE(character, nullptr);
            const StandInController* controller = nullptr;
            for (const GameObject::ComponentEntry& entry : character->GetComponentList())
            {
                if (auto* standIn = dynamic_cast<const StandInController*>(entry.component))
                    controller = standIn;
            }
            ASSERT_NE(controller, nullptr);
            if (controller->player == static_cast<s32>(player))
            {
                EXPECT_EQ(character->GetName(), picks[player]);
                found = true;
            }
        }
        EXPECT_TRUE(found) << "a character numbered " << player;
    }
    world.Frames(2);

    // Escape pauses; the same key on the pause page resumes.
    game.Escape();
    EXPECT_EQ(game.Page(), "Pause");
    EXPECT_TRUE(world.engine->IsPaused());
    game.Escape();
    EXPECT_EQ(game.Page(), "HUD");
    EXPECT_FALSE(world.engine->IsPaused());

    // Every character's health emptied: defeat, a line on the display, then the main menu.
    for (u32 id : characters)
        world.engine->GetFactory()->FindObject(id)->AddComponent(new DeathEffectProbe());
    world.Frames(2);
    EXPECT_EQ(world.log.Count("Level1: Defeat"), 1u);
    world.Frames(90);
    EXPECT_EQ(game.State(), "Main");
    EXPECT_EQ(game.Page(), "MainMenu");
    EXPECT_EQ(world.log.Count("GameStateSystem: initializing state Main"), 2u);
    EXPECT_EQ(world.log.Count("Level1: Defeat"), 1u) << "the end is seen once";
    EXPECT_TRUE(game.Characters().size() == 4u);
    for (u32 id : game.Characters())
        EXPECT_EQ(world.engine->GetFactory()->FindObject(id), nullptr) << "the level cleaned up";
}

TEST(ShippedGame, EveryStateAndPageScriptDefinesItsCallbacks)
{
    GameStateWorld world({"ScriptingSystem"});
    std::vector<Scripting::LuaComponent*> loaded;
    auto load = [&](const std::string& file)
    {
        Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
        EXPECT_TRUE(script->Load(file)) << file;
        loaded.push_back(script);
        return script;
    };

    Scripting::LuaComponent* system = load(GameStateSystem::SystemScript);
    u32 count = 0;
    ASSERT_TRUE(system->CallReturnUnsigned("GetScriptCount", count));
    std::set<std::string> names;
    for (u32 i = 1; i <= count; ++i)
    {
        std::string file;
        std::string name;
        system->CallUnsignedReturnString("GetScriptFilename", i, file);
        system->CallUnsignedReturnString("GetScriptName", i, name);
        names.insert(name);
        Scripting::LuaComponent* state = load(file);
        for (const char* callback :
             {"Load", "Initialize", "UpdateState", "Free", "Unload", "Update"})
            EXPECT_TRUE(IsFunction(*state, callback)) << file << ": " << callback;
    }
    EXPECT_EQ(names, (std::set<std::string>{"Main", "Level1"}));

    std::set<std::string> pages;
    for (const auto& entry : std::filesystem::directory_iterator("assets/Objects"))
    {
        tinyxml2::XMLDocument document;
        if (document.LoadFile(entry.path().string().c_str()) != tinyxml2::XML_SUCCESS)
            continue;
        const tinyxml2::XMLElement* root = document.RootElement();
        const tinyxml2::XMLElement* page =
            root != nullptr ? root->FirstChildElement("PageComponent") : nullptr;
        if (page == nullptr)
            continue;
        const tinyxml2::XMLElement* name = page->FirstChildElement("PageName");
        pages.insert(name != nullptr && name->GetText() != nullptr ? name->GetText() : "");
        std::vector<std::string> functions = {"Load",
                                              "UpdatePage",
                                              "Clicked",
                                              "WantsToPlay",
                                              "CanControllerMove",
                                              "ReturnClicked",
                                              "ResumeClicked",
                                              "ControllerMovedToNewButton",
                                              "Update"};
        const std::string file = PageScriptOf(page, functions);
        Scripting::LuaComponent* script = load(file);
        for (const std::string& function : functions)
            EXPECT_TRUE(IsFunction(*script, function)) << file << ": " << function;
    }
    EXPECT_EQ(pages, (std::set<std::string>{"MainMenu", "CharacterSelect", "HUD", "Pause"}));
    for (Scripting::LuaComponent* script : loaded)
        Scripting::LuaComponent::Destroy(script);
    EXPECT_EQ(world.log.Count("Error"), 0u);
}

TEST(ShippedGame, TheCursorsArrowHangsFromTheMouse)
{
    GameStateWorld world({"ScriptingSystem", "MessagingSystem", "SerializerSystem",
                          "AssetLoaderSystem", "UISystem"});
    // The arrow's size comes from its texture: live managers, as the graphics system keeps.
    Graphics::TextureManager textures;
    textures.LoadAll(Graphics::TextureManager::AllCategories);
    Graphics::MaterialManager materials;
    materials.LoadAll(0);
    const u32 cursor = Engine::GenerateId();
    ASSERT_NE(Serializer::System::SerializerSystem::CreateObject(0, "Cursor", cursor), nullptr);
    // Where the camera system puts the mouse: from the bottom left, in reference units.
    const Math::Vector2 mouse(0.25f, 0.5f);
    Core::Services().setHudElementPosition(cursor, mouse.x, mouse.y);
    Graphics::OverlayQuad arrow;
    ASSERT_TRUE(Graphics::GetOverlayServices().elementQuad(cursor, arrow, Graphics::ReferenceWidth,
                                                           Graphics::ReferenceHeight));
    EXPECT_EQ(arrow.material, materials.Find("Cursor", 0));
    EXPECT_GT(arrow.size.x, 0.0f);
    // The arrow's tip, the picture's top left corner, is on the mouse.
    EXPECT_NEAR(arrow.centre.x - arrow.size.x / 2.0f, mouse.x, 1e-4f);
    EXPECT_NEAR(arrow.centre.y + arrow.size.y / 2.0f, mouse.y, 1e-4f);
}
