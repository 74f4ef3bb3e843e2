#pragma once
// A menu or the heads-up display: a component that owns a list of screen elements (elements and
// buttons, then one pointer element per player), its buttons by name, a grid of 12 button cells
// (4 rows of 3, cell = row * 3 + column) that controllers move through, each player's selected
// cell, and a Lua page script. The user-interface system keeps pages by name, feeds the current
// page with input and updates the current and the previous page.
//
// Page script callbacks (global functions; a missing one is reported by the script component
// and skipped): Load (the page becomes current), UpdatePage(dt), Clicked (any press while the
// page is current), WantsToPlay(player + 1), CanControllerMove(player) (a number, 0 forbids),
// ControllerMovedToNewButton(player, cell), ReturnClicked(player), ResumeClicked(player), and
// each button's function (player; 0 for the mouse).
//
// Written form, read in this order: the page name, the page script's file, then one run per
// element: an object element (its tag names the archetype: "Button", "HudElement"), then for it
// "RelativePos_0-1", "HorizontalScreenAllignment", "VerticalScreenAllignment",
// "HorizontalAllignment", "VerticalAllignment", "Material", "Scale", "Text", for a button
// "FunctionName", "ButtonName", "gridIndex", "ScaleFactor", "MaterialHover", "MaterialClick",
// and last "Visibility". Four "HudCharacterPointer" objects follow, with the materials
// "MenuCharacterPointer0" to "3".
//
// Selection -1 means none: a press selects nothing and the first grid move selects the first
// cell holding a button. Players outside 0 to 3 are ignored. Elements are kept by address; an
// element leaves its page when it shuts down (Remove below), and a page going first tells its
// elements to forget it. The objects the page made (its children, pointers and buttons) go with
// it; elements of other objects that joined it stay. Main thread only.
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Vector2.h"
#include <array>
#include <string>
#include <unordered_map>
#include <vector>

class InputActionMessage;
class InputMoveMessage;

namespace Scripting
{
class LuaComponent;
}

namespace GameState
{
class ButtonComponent;
class HUDComponent;

class PageComponent : public GameObjectComponent
{
public:
    static constexpr u32 PlayerCount = 4;
    static constexpr s16 GridCells = 12;
    static constexpr s16 GridColumns = 3;
    static constexpr s16 NoSelection = -1;
    // Archetypes of the objects a page makes.
    static constexpr const char* ButtonArchetype = "Button";
    static constexpr const char* HudElementArchetype = "HudElement";
    static constexpr const char* PointerArchetype = "HudCharacterPointer";
    // Pointer k gets this material name followed by k.
    static constexpr const char* PointerMaterial = "MenuCharacterPointer";
    // The sound of a selection, and the line that says it plays.
    static constexpr const char* SelectSound = "abilitySelect";
    // Pages some input acts on by name.
    static constexpr const char* CharacterSelectPage = "CharacterSelect";
    static constexpr const char* PausePage = "Pause";
    static constexpr const char* HudPage = "HUD";

    // Input action codes a page acts on.
    enum Action : u32
    {
        ActionPress = IA_FIRE,
        ActionSelect = IA_SLOT_1,
        ActionReturn = IA_SLOT_3,
        ActionBack = IA_BACK,
        ActionResume = IA_RESUME,
        ActionStart = IA_PAUSE,
    };

    PageComponent();
    // Leaves the user-interface system (Shutdown), destroys the script.
    ~PageComponent() override;

    QUILL_COMPONENT_TYPE(PageComponent)
    // Leaves the user-interface system, tells the elements to forget it and destroys the
    // objects it made.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter&) override {}
    // Input moves and actions (only while the page has buttons).
    void HandleMessage(Message* message) override;

    // Script call, highlight reset, slides, and (when current) the highlights of the pointers
    // or the mouse.
    void UpdatePage(f32 seconds);

    // A button made from the "Button" definition under a fresh id, placed and filed; null when
    // no such object could be made.
    ButtonComponent* AddButton(const std::string& material, const std::string& function,
                               const std::string& name, const Math::Vector2& position,
                               u16 screenFlags, u16 elementFlags, s16 cell);
    // The element of the object gets material, position and flags and is laid out; the text
    // goes to the object's text component (skipped when it has none).
    void AddHudElement(u32 objectId, const std::string& material, const std::string& text,
                       const Math::Vector2& position, u16 screenFlags, u16 elementFlags);
    // Drops the element (not a button) of that object.
    void RemoveHudElement(u32 objectId);
    // Appends an element the page did not make (a placed object's element).
    void AppendElement(HUDComponent* element);
    // Forgets the element everywhere (elements, buttons, grid, pointers, hover).
    void RemoveElement(HUDComponent* element);

    // Lays every element out again for the window.
    void LayOut(f32 windowWidth, f32 windowHeight);
    // The page becomes current: slides in from the right, Load runs.
    void Open();
    // The page was replaced: its buttons slide out.
    void Close();
    // Hides (alpha 0) the four pointer elements.
    void HidePointers();

    // Presses for the page: button functions and named callbacks.
    bool PageAction(u32 player, u32 action);
    // Grid move of a controller player; true when a new cell was selected.
    bool MoveSelection(u32 player, const Math::Vector2& direction);
    // Cursor test: press (click) or highlight (hover) the button under the cursor.
    bool ClickUnderCursor();
    bool HoverUnderCursor();
    // Logs and posts the selection sound.
    void PlaySelectSound();

    // Calls into the page script; false when the script is missing or the call failed.
    bool CallScript(const char* function);
    bool CallScript(const char* function, s32 argument);

    const std::string& GetPageName() const { return m_pageName; }
    bool IsActive() const { return m_active; }
    void SetActive(bool active) { m_active = active; }
    const std::vector<HUDComponent*>& GetElements() const { return m_elements; }
    const std::unordered_map<std::string, ButtonComponent*>& GetButtons() const
    {
        return m_buttons;
    }
    ButtonComponent* FindButton(const std::string& name) const;
    // The button name of a cell; empty for none or a cell out of range.
    const std::string& GetCell(s16 cell) const;
    s16 GetSelection(u32 player) const;
    void SetSelection(u32 player, s16 cell);
    HUDComponent* GetPointer(u32 player) const;
    Scripting::LuaComponent* GetScript() const { return m_script; }

private:
    void HandleAction(const InputActionMessage& action);
    ButtonComponent* ButtonInCell(s16 cell) const;
    // The cell a grid move from `from` reaches, or NoSelection.
    s16 FindMoveTarget(s16 from, const Math::Vector2& direction) const;
    // Files a button under its name and (when in range) in its grid cell.
    void FileButton(ButtonComponent* button);
    void MakePointers();
    void SelectFirstButton();
    // Highlight of a button for a player: the pointer stands on it while controllers play.
    void HighlightFor(ButtonComponent& button, u32 player, bool showPointer);
    ButtonComponent* ButtonUnderCursor() const;
    void SetText(u32 objectId, const std::string& text);

    std::vector<HUDComponent*> m_elements;
    std::unordered_map<std::string, ButtonComponent*> m_buttons;
    // UpdatePage's copy of the buttons, kept with its room so that a frame copies into it
    // without the heap.
    std::vector<ButtonComponent*> m_buttonWalk;
    std::array<s16, PlayerCount> m_selection;
    std::array<std::string, GridCells> m_grid;
    std::array<HUDComponent*, PlayerCount> m_pointers;
    std::string m_pageName;
    Scripting::LuaComponent* m_script;
    std::string m_scriptFile;
    bool m_active;
    // The button the mouse hovered last, by object id (0 for none).
    u32 m_hovered;
    // Objects this page made, destroyed with it.
    std::vector<u32> m_madeObjects;
};
} // namespace GameState

QUILL_DECLARE_TYPE_RECORD(GameState::PageComponent)
