// Covers: UISystem, AssetLoaderSystem, PageComponent, LuaComponent.
// Broken batches, asset names and script calls in a world of their own: each row writes what is
// broken into a scratch tree, runs it as the game would (a batch load, a script load, a sound, a
// state script's GameState call), and checks that exactly one log line names the file or the
// script and what is wrong, and that nothing changed that should not have.
#include "Audio/SoundEffectComponent.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/System/AssetLoaderSystem.h"
#include "GameState/PageComponent.h"
#include "GameState/UISystem.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Scripting/LuaComponent.h"
#include "Serializer/SerializerSystem.h"
#include "tests/GameState/GameStateWorld.h"
#include "tests/Support/TempFiles.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

using GameState::PageComponent;
using GameState::System::UISystem;

namespace
{
// A scratch tree with the element definitions and a "Menu" page whose script does nothing, the
// material "Box", and the world on top of it with the asset loader.
class BrokenWorld
{
public:
    BrokenWorld() : m_written(Prepare()) {}
    ~BrokenWorld()
    {
        for (Scripting::LuaComponent* script : m_scripts)
            Scripting::LuaComponent::Destroy(script);
    }

    // Loads (and so runs) a script written now below assets/Scripts; false when it did not load.
    bool RunScript(const std::string& file, const std::string& text)
    {
        folder.Write("assets/Scripts/" + file, text);
        return Load(file);
    }
    bool Load(const std::string& file)
    {
        Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
        m_scripts.push_back(script);
        return script->Load(file);
    }
    PageComponent* Menu() const { return UISystem::Instance()->FindPage("Menu"); }
    std::size_t Created(const char* archetype) const
    {
        return world.recorder->IdsOf(archetype).size();
    }

    TempFolder folder{"quill-broken"};

private:
    bool Prepare()
    {
        folder.Write("assets/Objects/Button.xml", "<Button><ButtonComponent/></Button>");
        folder.Write("assets/Objects/HudElement.xml", "<HudElement><HUDComponent/></HudElement>");
        folder.Write("assets/Scripts/Pages/Menu.lua", "function Load() end\n"
                                                      "function UpdatePage(dt) end\n");
        folder.Write("assets/Objects/MenuPage.xml",
                     "<MenuPage><PageComponent><PageName>Menu</PageName>"
                     "<ScriptFile>Pages/Menu.lua</ScriptFile></PageComponent></MenuPage>");
        folder.Write("assets/Materials/Box.xml", "<M/>");
        return true;
    }

    bool m_written;
    std::vector<Scripting::LuaComponent*> m_scripts;

public:
    GameStateWorld world{{"ScriptingSystem", "MessagingSystem", "SerializerSystem",
                          "AssetLoaderSystem", "GameStateSystem", "UISystem"}};
    Graphics::MaterialManager materials;
};
} // namespace

TEST(BrokenAssets, EachBrokenBatchNameOrScriptCallIsNamedInOneLineAndChangesNothing)
{
    BrokenWorld broken;
    broken.materials.LoadAll(0);
    Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
    ASSERT_NE(
        Serializer::System::SerializerSystem::CreateObject(0, "MenuPage", Engine::GenerateId()),
        nullptr);
    UISystem::Instance()->ChangePage("Menu");
    ASSERT_NE(broken.Menu(), nullptr);
    TempFolder& folder = broken.folder;
    auto batch = [](const char* name)
    { return [name] { Core::System::AssetLoaderSystem::Instance()->LoadBatch(name); }; };
    auto noButton = [&broken](const char* name)
    { return [&broken, name] { return broken.Menu()->FindButton(name) == nullptr; }; };
    auto noHudElement = [&broken] { return broken.Created("HudElement") == 0u; };
    auto script = [&broken](const char* file, const char* text)
    {
        return [&broken, file, text]
        {
            EXPECT_TRUE(broken.RunScript(file, text)) << file;
            broken.world.Frames(1);
        };
    };

    struct Row
    {
        const char* what;
        std::function<void()> write;
        std::function<void()> run;
        std::string line; // the one line expected
        std::function<bool()> fallback;
    };
    const Row rows[] = {
        {"a batch with sections after its Object section",
         [&]
         {
             folder.Write("assets/AssetBatch/Tail.xml",
                          "<B><TextureDefault>NONE</TextureDefault><Model>NONE</Model>"
                          "<Object>ALL</Object><Trailer/><Model>Late</Model>"
                          "<TextureDefault>Late</TextureDefault></B>");
         },
         batch("Tail"),
         "Error [AssetLoaderSystem]: assets/AssetBatch/Tail.xml: 2 section element(s) after the "
         "Object section (the first is Model) are ignored; it is a batch's last section",
         [&broken]
         { return broken.world.log.Count("AssetLoaderSystem: Tail: Object holds") == 1; }},
        {"a batch entry leaving the asset folder",
         [&]
         {
             folder.Write("assets/AssetBatch/Climb.xml",
                          "<B><Object>../../Secret</Object><Object>MenuPage</Object></B>");
         },
         batch("Climb"),
         "Error [AssetLoaderSystem]: Object entry of assets/AssetBatch/Climb.xml \"../../Secret\" "
         "refused: its path leaves the asset folder",
         [&broken]
         { return broken.world.log.Count("AssetLoaderSystem: Climb: Object holds") == 1; }},
        {"a batch name leaving the batch folder",
         [&] { folder.Write("Outside.xml", "<B><Object>ALL</Object></B>"); },
         batch("../../Outside"),
         "Error [AssetLoaderSystem]: batch \"../../Outside\" refused: its path leaves the asset "
         "folder",
         [&broken] { return broken.world.log.Count("Outside: Object holds") == 0; }},
        {"a script path leaving the script folder",
         [&] { folder.Write("Outside.lua", "Engine.Output('outside ran')\n"); },
         [&broken] { EXPECT_FALSE(broken.Load("../../Outside.lua")); },
         "../../Outside.lua could not be loaded, make sure it exists and compiles: its path leaves "
         "the asset folder (assets/Scripts/../../Outside.lua)",
         [&broken] { return broken.world.log.Count("outside ran") == 0; }},
        {"a sound path leaving the sound folder", [&] { folder.Write("Secret.wav", "RIFF"); },
         []
         {
             Audio::SoundEffectComponent sound;
             EXPECT_FALSE(sound.LoadFromFile("../../../Secret.wav"));
         },
         "Error [AudioSystem]: sound effect \"../../../Secret.wav\" refused: its path leaves the "
         "asset folder",
         [&broken] { return broken.world.log.Count("createSound(../../../Secret.wav)") == 0; }},
        {"GameState.ChangePage to a page that does not exist", [] {},
         script("NoPage.lua", "GameState.ChangePage('Nowhere')\n"),
         "Error [UISystem]: assets/Scripts/NoPage.lua:1: GameState.ChangePage: page \"Nowhere\" "
         "does not exist; the current page stays Menu",
         [] { return UISystem::Instance()->GetCurrentPageName() == "Menu"; }},
        {"GameState.AddButton at NaN", [] {},
         script("NanButton.lua", "GameState.AddButton('Box', 'F', 'Nan', 0/0, 0, 0, 0)\n"),
         "Error [Scripting]: assets/Scripts/NanButton.lua:1: GameState.AddButton: the position (",
         noButton("Nan")},
        {"GameState.AddButton at infinity", [] {},
         script("FarButton.lua", "\nGameState.AddButton('Box', 'F', 'Far', 0, -1/0, 0, 0)\n"),
         "assets/Scripts/FarButton.lua:2: GameState.AddButton: the position (0, -inf) is not a "
         "finite number; nothing added",
         noButton("Far")},
        {"GameState.AddButton with a missing material", [] {},
         script("NoMaterial.lua", "GameState.AddButton('Gone', 'F', 'Bare', 0.1, 0.1, 0, 0)\n"),
         "Error [UISystem]: assets/Scripts/NoMaterial.lua:1: GameState.AddButton: material "
         "\"Gone\" is not loaded; nothing added",
         noButton("Bare")},
        {"GameState.AddHudElement at infinity", [] {},
         script("FarHud.lua", "GameState.AddHudElement('Box', 'x', 1/0, 0, 0, 0, 0, 0)\n"),
         "assets/Scripts/FarHud.lua:1: GameState.AddHudElement: the position (inf, 0) is not a "
         "finite number; nothing added",
         noHudElement},
        {"GameState.AddHudElement with a missing material", [] {},
         script("NoHudMaterial.lua", "GameState.AddHudElement('Gone', 'x', 0, 0, 0, 0, 0, 0)\n"),
         "Error [UISystem]: assets/Scripts/NoHudMaterial.lua:1: GameState.AddHudElement: material "
         "\"Gone\" is not loaded; nothing added",
         noHudElement},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        row.write();
        const std::size_t before = broken.world.log.Count(row.line);
        row.run();
        EXPECT_EQ(broken.world.log.Count(row.line), before + 1) << broken.world.log.Text();
        EXPECT_TRUE(row.fallback());
    }

    // The same calls done rightly still work, so the rows above were refused for their fault.
    ASSERT_TRUE(broken.RunScript("Good.lua",
                                 "GameState.AddButton('Box', 'F', 'Fine', 0, 0, 0, 0)\n"
                                 "GameState.AddHudElement('Box', 'x', 0, 0, 0, 0, 0, 0)\n"));
    broken.world.Frames(1);
    EXPECT_NE(broken.Menu()->FindButton("Fine"), nullptr);
    EXPECT_EQ(broken.Created("HudElement"), 1u);
}
