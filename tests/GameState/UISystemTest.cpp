// Pages in a world of their own: a temporary tree with the element, button and pointer
// definitions, page definitions made by the test and page scripts that log every callback as
// "<page> <callback> <arguments>". Controllers come from a fake window layer.
#include "GameState/UISystem.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/UserInterface/ChangePageMessage.h"
#include "Core/Messages/UserInterface/RemoveHudElementMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/InputSystem.h"
#include "GameState/ButtonComponent.h"
#include "GameState/GameStateComponent.h"
#include "GameState/GameStateSystem.h"
#include "GameState/HUDComponent.h"
#include "GameState/PageComponent.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Formats/PngWriter.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/OverlayServices.h"
#include "Graphics/System/CameraSystem.h"
#include "Scripting/LuaComponent.h"
#include "Serializer/SerializerSystem.h"
#include "tests/GameState/GameStateWorld.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include "tests/Support/TempFiles.h"
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using GameState::ButtonComponent;
using GameState::HUDComponent;
using GameState::PageComponent;
using GameState::System::UISystem;

namespace
{
using Buttons = std::vector<std::pair<std::string, int>>; // name, grid cell

std::string PageScript(const std::string& page, const Buttons& buttons)
{
    auto logs = [&](const std::string& what) { return "Engine.Output('" + page + " " + what; };
    std::string text = "function Load() " + logs("Load')") + " end\n" + "function UpdatePage(dt) " +
                       logs("UpdatePage')") + " end\n" + "function Clicked() " + logs("Clicked')") +
                       " end\n" + "function WantsToPlay(n) " + logs("WantsToPlay ' .. n)") +
                       " end\n" + "function ControllerMovedToNewButton(p, c) " +
                       logs("Moved ' .. p .. ' ' .. c)") + " end\n" + "function ReturnClicked(p) " +
                       logs("ReturnClicked ' .. p)") + " end\n" + "function ResumeClicked(p) " +
                       logs("ResumeClicked ' .. p)") + " end\n" + "function Update(dt) end\n";
    for (const auto& [name, cell] : buttons)
        text += "function Press" + name + "(p) " + logs("Press" + name + " ' .. p)") + " end\n";
    return text;
}

std::string PageDefinition(const std::string& archetype, const std::string& page,
                           const Buttons& buttons)
{
    std::string text = "<" + archetype + "><PageComponent><PageName>" + page +
                       "</PageName><ScriptFile>Pages/" + page + ".lua</ScriptFile>";
    text += "<HudElement/><RelativePos_0-1 X='0' Y='0.3'/><Material>Box</Material>"
            "<Text>Title</Text><Visibility>1</Visibility>";
    for (const auto& [name, cell] : buttons)
        text +=
            "<Button/><RelativePos_0-1 X='0' Y='0'/><Material>Box</Material><FunctionName>Press" +
            name + "</FunctionName><ButtonName>" + name + "</ButtonName><gridIndex>" +
            std::to_string(cell) + "</gridIndex><ScaleFactor X='2' Y='2'/>";
    return text + "</PageComponent></" + archetype + ">";
}

// The tree, the fake controllers (plugged before the input system looks) and the world.
class PageWorld
{
public:
    explicit PageWorld(int controllers = 0) : m_written(Prepare(controllers)) {}

    // A page object from a definition written now.
    PageComponent* MakePage(const std::string& page, const Buttons& buttons,
                            const std::string& archetype = "")
    {
        const std::string name = archetype.empty() ? page + "Page" : archetype;
        folder.Write("assets/Scripts/Pages/" + page + ".lua", PageScript(page, buttons));
        folder.Write("assets/Objects/" + name + ".xml", PageDefinition(name, page, buttons));
        Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
        GameObject* object =
            Serializer::System::SerializerSystem::CreateObject(0, name, Engine::GenerateId());
        return object != nullptr ? object->GetComponent<PageComponent>() : nullptr;
    }

    UISystem& UI() { return *UISystem::Instance(); }
    Engine& engine() { return *world.engine; }
    void Show(const std::string& page) { UI().ChangePage(page); }
    void Deliver(Message&& message) { UI().HandleMessage(&message); }
    void Action(u32 player, u32 action)
    {
        Deliver(InputActionMessage(0, player, action, KS_TRIGGER, 0));
    }
    std::size_t Count(const std::string& line) { return world.log.Count(line); }
    void SetActivePlayers(u16 players)
    {
        Core::System::InputSystem::Instance()->SetActivePlayers(players);
    }
    // Material "Box": a grey texture of the given size, which sizes the elements drawn with it.
    bool WriteBoxMaterial(u32 width, u32 height)
    {
        Graphics::PngWriter::Description image;
        image.width = width;
        image.height = height;
        image.colorType = Graphics::PngRgb;
        image.rows.assign(std::size_t(width) * height * 3, 0x40);
        folder.MakeFolder("assets/Textures");
        folder.Write("assets/Materials/Box.xml", "<M><DiffuseMap>Box</DiffuseMap></M>");
        return Graphics::PngWriter::Save(image, folder.Path("assets/Textures/Box.png"));
    }

    FakeWindowLayer window;
    TempFolder folder{"quill-pages"};

private:
    bool Prepare(int controllers)
    {
        for (int id = 0; id < controllers; ++id)
            window.PlugController(id);
        folder.Write("assets/Objects/Button.xml", "<Button><ButtonComponent/></Button>");
        folder.Write("assets/Objects/HudElement.xml", "<HudElement><HUDComponent/></HudElement>");
        folder.Write("assets/Objects/HudCharacterPointer.xml",
                     "<HudCharacterPointer><HUDComponent/></HudCharacterPointer>");
        return true;
    }

    bool m_written;

public:
    GameStateWorld world{{"ScriptingSystem", "MessagingSystem", "InputSystem", "SerializerSystem",
                          "GameStateSystem", "UISystem"}};
};

const Buttons GridButtons = {{"B0", 0}, {"B1", 1}, {"B2", 2}, {"B5", 5}, {"B6", 6}, {"B9", 9}};
const Math::Vector2 Up(0.0f, 1.0f);
const Math::Vector2 Down(0.0f, -1.0f);
const Math::Vector2 Left(-1.0f, 0.0f);
const Math::Vector2 Right(1.0f, 0.0f);
} // namespace

TEST(UIPages, AnObjectFromItsDefinitionBecomesAPageWithElementsButtonsAndPointers)
{
    PageWorld world;
    PageComponent* page = world.MakePage("Menu", {{"Play", 1}, {"Quit", 4}});
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(world.UI().FindPage("Menu"), page);
    // The title, two buttons, then four pointers.
    EXPECT_EQ(page->GetElements().size(), 7u);
    EXPECT_EQ(page->GetCell(1), "Play");
    EXPECT_EQ(page->GetCell(4), "Quit");
    EXPECT_EQ(page->GetSelection(3), 1) << "every player starts on the first cell with a button";
    ASSERT_NE(page->GetPointer(2), nullptr);
    EXPECT_EQ(page->GetPointer(2)->boundObject, page->FindButton("Play")->GetOwner());
    EXPECT_EQ(page->FindButton("Play")->scaleFactor.x, 2.0f);
}

TEST(UIPages, GridMovesFollowTheRowsAndColumns)
{
    PageWorld world;
    PageComponent* page = world.MakePage("Grid", GridButtons);
    ASSERT_NE(page, nullptr);
    struct Move
    {
        s16 from;
        Math::Vector2 direction;
        s16 to; // -1: refused, the selection stays
    };
    const Move moves[] = {
        {1, Down, 5},                                // cell 4 is empty: right of it within its row
        {2, Right, -1},                              // cell 3 starts the next row
        {0, Right, 1},  {2, Left, 1}, {5, Left, -1}, // 4 and 3 are empty
        {5, Up, 2},     {6, Up, 5},                  // 3 is empty and first in its row: look right
        {9, Down, -1},  {9, Up, 6},   {1, Math::Vector2(0.0f, 0.0f), -1},
        {6, Right, -1}, // the rest of row 2 is empty
    };
    for (const Move& move : moves)
    {
        page->SetSelection(0, move.from);
        EXPECT_EQ(page->MoveSelection(0, move.direction), move.to != -1) << move.from;
        EXPECT_EQ(page->GetSelection(0), move.to != -1 ? move.to : move.from) << move.from;
    }
    EXPECT_EQ(world.Count("Grid Moved 0 5"), 2u);

    // No selection: the first move selects the first cell holding a button.
    page->SetSelection(1, PageComponent::NoSelection);
    EXPECT_TRUE(page->MoveSelection(1, Up));
    EXPECT_EQ(page->GetSelection(1), 0);
    // Players outside 0 to 3 are ignored.
    EXPECT_FALSE(page->MoveSelection(4, Down));
    page->SetSelection(7, 2);
    EXPECT_EQ(page->GetSelection(7), PageComponent::NoSelection);
}

TEST(UIPages, ControllerInputMovesPressesAndIgnoresBadPlayersAndCells)
{
    PageWorld world(2);
    world.SetActivePlayers(2);
    PageComponent* page = world.MakePage("Grid", GridButtons);
    PageComponent* bad = world.MakePage("Bad", {{"Far", 15}, {"Near", 2}});
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(world.Count("page Bad: button Far has grid cell 15"), 1u);
    EXPECT_NE(bad->FindButton("Far"), nullptr) << "filed by name, out of the grid";
    EXPECT_EQ(bad->GetSelection(0), 2);

    world.Show("Grid");
    world.Deliver(InputMoveMessage(0, 1, Right, KS_TRIGGER, 0));
    EXPECT_EQ(page->GetSelection(1), 1);
    EXPECT_EQ(world.Count("Grid Clicked"), 1u);
    EXPECT_EQ(world.Count("Page playing audio effect"), 1u);
    world.Deliver(InputMoveMessage(0, 1, Right, KS_PRESSED, 0));
    EXPECT_EQ(page->GetSelection(1), 1) << "only a press moves";

    world.Action(1, PageComponent::ActionSelect);
    EXPECT_EQ(world.Count("Grid PressB1 1"), 1u);
    world.Action(9, PageComponent::ActionSelect);
    world.Deliver(InputMoveMessage(0, 9, Right, KS_TRIGGER, 0));
    EXPECT_EQ(world.Count("Press"), 1u);
    EXPECT_EQ(world.Count("Grid Moved 9"), 0u);
    EXPECT_EQ(world.Count("Page playing audio effect"), 2u);

    // A press on a page without buttons still calls Clicked and performs nothing.
    world.MakePage("Empty", {});
    world.Show("Empty");
    world.Action(0, PageComponent::ActionSelect);
    EXPECT_EQ(world.Count("Empty Clicked"), 1u);
    EXPECT_EQ(world.Count("Page playing audio effect"), 2u);
}

TEST(UIPages, PauseOpensFromTheHudAndClosesForItsOpenerOnly)
{
    PageWorld world(2);
    world.SetActivePlayers(2);
    world.MakePage("Menu", {{"Play", 0}});
    world.MakePage("HUD", {}, "HudPage");
    world.MakePage("Pause", {{"Resume", 0}});
    world.MakePage("CharacterSelect", {{"Golem", 0}});
    const KeyboardMessage escape(0, UISystem::EscapeKey, KS_TRIGGER, 0);
    auto pressEscape = [&] { world.Deliver(KeyboardMessage(escape)); };

    pressEscape();
    EXPECT_EQ(world.UI().GetCurrentPage(), nullptr) << "no current page: nothing";
    world.Show("Menu");
    pressEscape();
    EXPECT_EQ(world.UI().GetCurrentPageName(), "Menu");

    world.Show("HUD");
    world.world.Frames(1);
    pressEscape();
    EXPECT_EQ(world.UI().GetCurrentPageName(), "Pause");
    EXPECT_EQ(world.Count("UISystem: current page Pause"), 1u) << "pausing is logged";
    EXPECT_TRUE(world.UI().IsSingleHighlight());
    EXPECT_EQ(world.UI().GetHighlightedPlayer(), 0);
    world.world.Frames(1);
    EXPECT_TRUE(world.engine().IsPaused());

    // Escape while paused, and the start action of the other player, change nothing.
    pressEscape();
    world.Action(1, PageComponent::ActionStart);
    world.world.Frames(1);
    EXPECT_EQ(world.UI().GetCurrentPageName(), "Pause");
    EXPECT_TRUE(world.engine().IsPaused());

    const std::size_t hudLines = world.Count("UISystem: current page HUD");
    world.Action(0, PageComponent::ActionStart);
    EXPECT_EQ(world.UI().GetCurrentPageName(), "HUD");
    EXPECT_EQ(world.Count("UISystem: current page HUD"), hudLines + 1) << "resuming is logged";
    EXPECT_FALSE(world.UI().IsSingleHighlight());
    world.world.Frames(1);
    EXPECT_FALSE(world.engine().IsPaused());

    // Start on the character selection asks who wants to play, and resumes for the page.
    world.Show("CharacterSelect");
    world.Action(1, PageComponent::ActionStart);
    EXPECT_EQ(world.Count("CharacterSelect WantsToPlay 2"), 1u);
    EXPECT_EQ(world.Count("CharacterSelect ResumeClicked 1"), 1u);
}

TEST(UIPages, TheMouseClicksAndHoversWithinTheHitSize)
{
    PageWorld world;
    PageComponent* page = world.MakePage("Menu", {{"Play", 0}});
    world.Show("Menu");
    ButtonComponent* play = page->FindButton("Play");
    // Without a texture the button has no size; the overlay would store what it drew.
    play->hitSize = Math::Vector2(0.2f, 0.2f);
    const f32 width = static_cast<f32>(Core::WindowWidth());
    const f32 height = static_cast<f32>(Core::WindowHeight());
    auto cursorAt = [&](f32 u, f32 v) {
        Core::System::InputSystem::SetCursorPosition(Math::Vector2(u * width, (1.0f - v) * height));
    };

    cursorAt(0.55f, 0.45f);
    world.Action(0, PageComponent::ActionPress);
    EXPECT_EQ(world.Count("Menu PressPlay 0"), 1u);
    EXPECT_EQ(world.Count("page Menu calls PressPlay"), 1u);
    EXPECT_EQ(world.Count("Page playing audio effect"), 1u);

    // Hover: a sound when the hovered button changes, none while it stays.
    world.world.Frames(2);
    EXPECT_TRUE(play->IsHighlighted());
    EXPECT_EQ(play->displayScale.x, 2.0f);
    EXPECT_EQ(world.Count("Page playing audio effect"), 2u);
    cursorAt(0.65f, 0.5f);
    world.world.Frames(1);
    EXPECT_FALSE(play->IsHighlighted());
    world.Action(0, PageComponent::ActionPress);
    EXPECT_EQ(world.Count("Menu PressPlay 0"), 1u);
    cursorAt(0.5f, 0.5f);
    world.world.Frames(1);
    EXPECT_EQ(world.Count("Page playing audio effect"), 3u);

    // The back and resume actions of the mouse.
    world.Action(0, PageComponent::ActionBack);
    EXPECT_EQ(world.Count("Menu ReturnClicked 0"), 1u);
}

TEST(UIPages, ThePreviousPageUpdatesUntilReplacedAndSlidesOut)
{
    PageWorld world;
    PageComponent* a = world.MakePage("A", {{"X", 0}});
    world.MakePage("B", {{"Y", 0}});
    world.MakePage("C", {});
    world.Show("A");
    world.Show("B");
    EXPECT_EQ(world.Count("B Load"), 1u);
    EXPECT_FALSE(a->IsActive());
    EXPECT_EQ(a->FindButton("X")->slide.x, -0.05f);
    world.world.Frames(3);
    EXPECT_EQ(world.Count("A UpdatePage"), 3u);
    EXPECT_EQ(world.Count("B UpdatePage"), 3u);
    EXPECT_EQ(UISystem::PreviousPageName(), "A");
    world.Show("C");
    world.world.Frames(3);
    EXPECT_EQ(world.Count("A UpdatePage"), 3u);
    EXPECT_EQ(world.Count("B UpdatePage"), 6u);
    EXPECT_EQ(UISystem::PreviousPageName(), "B");
}

TEST(UIPages, ScriptButtonsTakeCellZeroAndRemovalFindsNoButton)
{
    PageWorld world;
    UISystem::AddButtonIfLoaded("Box", "PressX", "X", 0.1f, 0.1f, 5);
    PageComponent* page = world.MakePage("Menu", {});
    world.Show("Menu");
    UISystem::AddButtonIfLoaded("Box", "PressX", "X", 0.1f, 0.1f, 5);
    UISystem::AddButtonIfLoaded("Box", "PressY", "Y", 0.1f, -0.1f, 0);
    EXPECT_EQ(page->GetCell(0), "Y") << "the last one added owns the cell";
    ASSERT_NE(page->FindButton("X"), nullptr);
    EXPECT_EQ(page->FindButton("X")->elementFlags, 5u);
    EXPECT_EQ(page->FindButton("X")->screenFlags, 0u);

    const u32 x = page->FindButton("X")->GetOwner();
    world.Deliver(RemoveHudElementMessage(0, x, 0));
    EXPECT_NE(page->FindButton("X"), nullptr) << "looked up by the element's own type id";

    UISystem::SetButtonVisibility("Y", 0.0f);
    EXPECT_EQ(page->FindButton("Y")->alpha, 0.0f);
    UISystem::SetHudElementPosition(x, 0.25f, 0.0f);
    EXPECT_EQ(page->FindButton("X")->relativePosition.x, 0.25f);
    EXPECT_FLOAT_EQ(page->FindButton("X")->pixelPosition.x,
                    Core::WindowWidth() / 2.0f + 0.25f * 1366.0f);
}

// The camera system moves the cursor's element through the core hook, which only the running
// user-interface system answers.
TEST(UIPages, TheCoreHudHookMovesAnElementWhileTheUserInterfaceRuns)
{
    {
        PageWorld world;
        PageComponent* page = world.MakePage("Menu", {});
        world.Show("Menu");
        UISystem::AddButtonIfLoaded("Box", "PressX", "X", 0.1f, 0.1f, 5);
        ASSERT_NE(page->FindButton("X"), nullptr);
        Core::Services().setHudElementPosition(page->FindButton("X")->GetOwner(), 0.25f, 0.5f);
        EXPECT_EQ(page->FindButton("X")->relativePosition, Math::Vector2(0.25f, 0.5f));
        EXPECT_FLOAT_EQ(page->FindButton("X")->pixelPosition.x,
                        Core::WindowWidth() / 2.0f + 0.25f * 1366.0f);
        Core::Services().setHudElementPosition(0, 0.0f, 0.0f); // no such object: nothing
    }
    EXPECT_FALSE(Core::Services().setHudElementPosition.IsInstalled());
}

TEST(UIPages, APageReplacedByNameLeavesNoCurrentPageWhenDestroyedLater)
{
    PageWorld world;
    PageComponent* first = world.MakePage("P", {{"A", 0}}, "FirstPage");
    world.Show("P");
    PageComponent* second = world.MakePage("P", {{"B", 0}}, "SecondPage");
    EXPECT_EQ(world.UI().FindPage("P"), second);
    EXPECT_EQ(world.UI().GetCurrentPage(), first);
    const u32 button = first->FindButton("A")->GetOwner();
    const u32 pointer = first->GetPointer(3)->GetOwner();
    world.engine().GetFactory()->DestroyObject(first->GetOwner());
    EXPECT_EQ(world.UI().GetCurrentPage(), nullptr);
    EXPECT_EQ(world.engine().GetFactory()->FindObject(button), nullptr) << "made by the page";
    EXPECT_EQ(world.engine().GetFactory()->FindObject(pointer), nullptr);
    EXPECT_EQ(world.UI().FindPage("P"), second);
    world.world.Frames(1);
    world.engine().GetFactory()->DestroyObject(second->GetOwner());
    EXPECT_EQ(world.UI().GetPageCount(), 0u);
}

TEST(UIPages, AnElementLeavesItsPageWhenDestroyedWhileAnotherIsCurrent)
{
    PageWorld world(1);
    PageComponent* a = world.MakePage("A", {{"X", 0}, {"Y", 1}});
    world.MakePage("B", {});
    world.Show("B");
    ButtonComponent* x = a->FindButton("X");
    const std::size_t elements = a->GetElements().size();
    world.engine().GetFactory()->DestroyObject(x->GetOwner());
    EXPECT_EQ(a->GetElements().size(), elements - 1);
    EXPECT_EQ(a->FindButton("X"), nullptr);
    EXPECT_EQ(a->GetCell(0), "");
    // A pointer destroyed is forgotten too, and the page still updates.
    world.engine().GetFactory()->DestroyObject(a->GetPointer(0)->GetOwner());
    EXPECT_EQ(a->GetPointer(0), nullptr);
    world.Show("A");
    world.world.Frames(2);
    EXPECT_EQ(world.Count("A UpdatePage"), 2u);
}

TEST(UIPages, TheOverlayGetsTheActivePagesElementsMeasuredAndTheirHitSizes)
{
    PageWorld world(1);
    ASSERT_TRUE(world.WriteBoxMaterial(100, 50));
    Graphics::TextureManager textures;
    textures.LoadAll(Graphics::TextureManager::AllCategories);
    Graphics::MaterialManager materials;
    materials.LoadAll(0);

    PageComponent* page = world.MakePage("Menu", {{"Play", 0}, {"Quit", 1}});
    std::vector<UISystem::DrawItem> items;
    world.UI().CollectDrawItems(items, 1000.0f, 500.0f);
    EXPECT_TRUE(items.empty()) << "no active page";

    world.Show("Menu");
    page->FindButton("Quit")->alpha = 0.0f;
    world.UI().CollectDrawItems(items, 1000.0f, 500.0f);
    // The title and Play; Quit is invisible and the pointers have no material.
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].objectId, page->FindButton("Play")->GetOwner());
    EXPECT_EQ(items[1].size.x, 100.0f);
    EXPECT_EQ(items[1].centre.x, Core::WindowWidth() / 2.0f + 1000.0f)
        << "a fresh page's buttons start a window right";
    EXPECT_FLOAT_EQ(page->FindButton("Play")->hitSize.x, 0.1f);
    EXPECT_FLOAT_EQ(page->FindButton("Play")->hitSize.y, 0.1f);

    // A resize lays every page out again.
    world.Deliver(WindowResizeMessage(0, Math::Vector2(2000.0f, 1000.0f), 0));
    EXPECT_FLOAT_EQ(page->FindButton("Play")->pixelPosition.x, 1000.0f);
}

TEST(UIPages, TheOverlayHookStoresTheHitSizesTheMouseClicksAndHoversWith)
{
    PageWorld world;
    ASSERT_TRUE(world.WriteBoxMaterial(128, 64));
    Graphics::TextureManager textures;
    textures.LoadAll(Graphics::TextureManager::AllCategories);
    Graphics::MaterialManager materials;
    materials.LoadAll(0);
    PageComponent* page = world.MakePage("Menu", {{"Play", 0}});
    world.Show("Menu");
    ButtonComponent* play = page->FindButton("Play");
    play->slide = Math::Vector2(0.0f, 0.0f);

    // The overlay asks as the frame draws: quads in window fractions, the hit sizes stored.
    const f32 width = 1024.0f;
    const f32 height = 768.0f;
    std::vector<Graphics::OverlayQuad> quads;
    Graphics::GetOverlayServices().collectPageQuads(quads, width, height);
    ASSERT_EQ(quads.size(), 2u) << "the title and Play";
    EXPECT_EQ(quads[1].objectId, play->GetOwner());
    EXPECT_NEAR(quads[1].size.x, 0.125f, 1e-5f);
    EXPECT_NEAR(quads[1].size.y, 0.0833333f, 1e-5f);
    EXPECT_NEAR(quads[1].centre.x, play->windowPosition.x, 1e-5f);
    EXPECT_NEAR(play->hitSize.x, 0.125f, 1e-5f);

    // Inside half the hit size the mouse presses; just outside it does not.
    auto cursorAt = [&](f32 u, f32 v) {
        Core::System::InputSystem::SetCursorPosition(Math::Vector2(u * width, (1.0f - v) * height));
    };
    const Math::Vector2 at = play->windowPosition;
    cursorAt(at.x + 0.06f, at.y + 0.04f);
    world.Action(0, PageComponent::ActionPress);
    EXPECT_EQ(world.Count("Menu PressPlay 0"), 1u);
    world.world.Frames(1);
    EXPECT_TRUE(play->IsHighlighted()) << "hovered";
    cursorAt(at.x + 0.07f, at.y);
    world.Action(0, PageComponent::ActionPress);
    EXPECT_EQ(world.Count("Menu PressPlay 0"), 1u);

    // A hidden button is not drawn, so the mouse cannot press it.
    play->alpha = 0.0f;
    cursorAt(at.x, at.y);
    world.Action(0, PageComponent::ActionPress);
    EXPECT_EQ(world.Count("Menu PressPlay 0"), 1u);
}

// A bar over a character: the element of a placed object is drawn where the active camera sees
// that object (window pixels from the top, flipped, then moved by its relative position), moves
// with it and takes the background fade. The script entries that hide and show the heads-up
// display leave it unplaced and undrawn in between, while the page's own elements stay. An
// element whose followed object is gone is skipped.
TEST(UIPages, AnElementOfAPlacedObjectFollowsItOverTheScreen)
{
    PageWorld world;
    ASSERT_TRUE(world.WriteBoxMaterial(64, 16));
    world.folder.Write(
        "assets/Objects/Bar.xml",
        "<Bar><TransformComponent><position X='0' Y='0' Z='0'/><orientation X='0' Y='0' Z='0'/>"
        "<scale X='1' Y='1' Z='1'/><relativeToCreator>0</relativeToCreator>"
        "<updateRelativeToCreator>0</updateRelativeToCreator></TransformComponent>"
        "<HUDComponent><RelativePos_0-1 X='0' Y='0.05'/>"
        "<HorizontalScreenAllignment>0</HorizontalScreenAllignment>"
        "<VerticalScreenAllignment>0</VerticalScreenAllignment>"
        "<HorizontalAllignment>0</HorizontalAllignment><VerticalAllignment>0</VerticalAllignment>"
        "<Material>Box</Material><Scale X='1' Y='1'/></HUDComponent></Bar>");
    Graphics::TextureManager textures;
    textures.LoadAll(Graphics::TextureManager::AllCategories);
    Graphics::MaterialManager materials;
    materials.LoadAll(0);
    // The graphics system on the fake window (no renderer): the fade, the heads-up flag and
    // their script hooks; the camera system with its default camera.
    Graphics::System::GraphicsSystem graphics;
    graphics.Initialize(0);
    Graphics::System::CameraSystem cameras;
    cameras.Initialize(0);
    world.MakePage("HUD", {});
    world.Show("HUD");
    Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
    const u32 barId = Engine::GenerateId();
    GameObject* bar = Serializer::System::SerializerSystem::CreateObject(0, "Bar", barId);
    ASSERT_NE(bar, nullptr);
    HUDComponent* element = bar->GetComponent<HUDComponent>();
    ASSERT_EQ(element->boundObject, barId) << "joined the page shown";
    element->colour = Math::ColorRGBA(0.8f, 1.0f, 0.5f, 0.6f);

    const f32 width = static_cast<f32>(Core::WindowWidth());
    const f32 height = static_cast<f32>(Core::WindowHeight());
    std::vector<Graphics::OverlayQuad> quads;
    auto collect = [&]()
    {
        quads.clear();
        Graphics::GetOverlayServices().collectPageQuads(quads, width, height);
    };
    auto expectOver = [&](const Math::Point4& at)
    {
        const Math::Vector2 seen = cameras.WorldToScreen(at);
        ASSERT_TRUE(seen.x > 0.0f && seen.x < width && seen.y > 0.0f && seen.y < height);
        ASSERT_GT(std::abs(seen.x - width / 2.0f), 10.0f) << "not where alignment alone puts it";
        collect();
        ASSERT_EQ(quads.size(), 2u) << "the page's title and the bar";
        EXPECT_EQ(quads[1].objectId, barId);
        EXPECT_NEAR(quads[1].centre.x, seen.x / width, 1e-5f);
        EXPECT_NEAR(quads[1].centre.y, (height - seen.y + 0.05f * 768.0f) / height, 1e-5f);
        EXPECT_NEAR(quads[1].size.x, 64.0f / width, 1e-5f);
    };
    // Two points in front of the default camera, off the screen's centre.
    Graphics::CameraComponent& camera = *cameras.GetActiveCamera();
    camera.Update();
    auto inView = [&](f32 ahead, f32 aside, f32 above)
    {
        return Math::Point4(camera.GetEye() + camera.look * ahead + camera.right * aside +
                            camera.up * above);
    };
    auto* transform = bar->GetComponent<TransformComponent>();
    const Math::Point4 first = inView(20.0f, 3.0f, 2.0f);
    const Math::Point4 second = inView(25.0f, -4.0f, -1.0f);
    transform->position = first;
    expectOver(first);
    transform->position = second;
    expectOver(second);
    EXPECT_NEAR(element->windowPosition.x, quads[1].centre.x, 1e-5f) << "stored for the mouse";

    Graphics::System::GraphicsSystem::Instance()->SetFade(0.5f, 0.25f, 1.0f);
    collect();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[1].colour.r, 0.4f);
    EXPECT_FLOAT_EQ(quads[1].colour.g, 0.25f);
    EXPECT_FLOAT_EQ(quads[1].colour.b, 0.5f);
    EXPECT_FLOAT_EQ(quads[1].colour.a, 0.6f) << "alpha is not faded";
    EXPECT_FLOAT_EQ(quads[0].colour.r, 1.0f) << "page elements are not faded";

    // Hidden: the bar neither moves nor shows; the page's title still does.
    Graphics::System::GraphicsSystem::Instance()->HideHud();
    const Math::Vector2 placed = element->pixelPosition;
    transform->position = first;
    collect();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_NE(quads[0].objectId, barId);
    EXPECT_EQ(element->pixelPosition, placed);
    Graphics::System::GraphicsSystem::Instance()->ShowHud();
    expectOver(first);

    // Invisible, it is still placed, only not drawn.
    const Math::Vector2 atFirst = element->pixelPosition;
    element->alpha = 0.0f;
    transform->position = second;
    collect();
    EXPECT_EQ(quads.size(), 1u);
    EXPECT_NE(element->pixelPosition, atFirst);
    element->alpha = 1.0f;

    // It follows whichever object it is bound to; once that object is gone it is skipped.
    const u32 otherId = Engine::GenerateId();
    GameObject* other = Serializer::System::SerializerSystem::CreateObject(0, "Bar", otherId);
    ASSERT_NE(other, nullptr);
    other->GetComponent<HUDComponent>()->alpha = 0.0f;
    other->GetComponent<TransformComponent>()->position = first;
    element->boundObject = otherId;
    collect();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_NEAR(quads[1].centre.x, cameras.WorldToScreen(first).x / width, 1e-5f);
    world.engine().GetFactory()->DestroyObject(otherId);
    const Math::Vector2 lastPlace = element->pixelPosition;
    collect();
    EXPECT_EQ(quads.size(), 1u);
    EXPECT_EQ(element->pixelPosition, lastPlace);
}

TEST(UIPages, AGameStateComponentLoadsItsScripts)
{
    PageWorld world;
    world.folder.Write("assets/Scripts/Main.lua", "function Update(dt) end\n");
    world.folder.Write("assets/Scripts/Extra.lua", "function Update(dt) end\n");
    world.folder.Write("assets/Objects/Scripted.xml",
                       "<Scripted><GameStateComponent><string>x</string><string>Main.lua</string>"
                       "<string>main</string><string>Extra.lua</string><string>extra</string>"
                       "<string>Missing.lua</string></GameStateComponent></Scripted>");
    Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
    GameObject* object =
        Serializer::System::SerializerSystem::CreateObject(0, "Scripted", Engine::GenerateId());
    ASSERT_NE(object, nullptr);
    const auto* component = object->GetComponent<GameState::GameStateComponent>();
    ASSERT_NE(component, nullptr);
    ASSERT_NE(component->GetMainScript(), nullptr);
    EXPECT_EQ(component->GetMainScript()->GetScriptName(), "main");
    ASSERT_EQ(component->GetScripts().size(), 2u) << "the odd file without a name counts too";
    EXPECT_EQ(component->GetScripts()[0]->GetScriptName(), "extra");
    EXPECT_TRUE(component->flags[0] && component->flags[1] && component->flags[2]);
}
