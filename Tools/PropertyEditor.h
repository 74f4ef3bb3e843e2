#pragma once
// The property editor: the bar "PropertyEditor" that lists every component of one game object,
// each in a group its BuildEditor fills, followed by "Delete" and "Copy" buttons.
//
// The edited object is kept by id and looked up on every use, and the bar is looked up by
// name. A component's rows are its group and the separator after it. The rows of a shown
// component are dropped the moment it is destroyed (the core's component-destroyed hook),
// whatever destroyed it, so no drawing pass or queued bar callback reaches it; the other rows
// stay as they are, open groups open, as hits mount and remove components on a character in a
// fight. When the object itself is being destroyed every row goes and the bar loses the
// object's title with them; the next Update then detaches. A component added to the object gets
// rows of its own at the end at the next Update.
// The "Delete" and "Copy" buttons and a panel's rebuild change the object from inside a bar
// callback, which the graphics system runs after its drawing pass; they only mark a refresh,
// which Update performs (the tools system updates after the graphics system), so no entry is
// rebuilt while the bar layer walks it and the next drawing pass finds the bar whole. A refresh
// keeps the component groups that were open open.
//
// Keep-open: while set, movement and action input neither detach the editor nor pick another
// object (a script or a button asked for the bar to stay).
//
// Main thread only.
#include "Math/Types.h"
#include <string>

class GameObject;
class GameObjectComponent;

namespace Tools
{
class PropertyBar;

namespace System
{
class PropertyBarManager;
}

class PropertyEditor
{
public:
    static constexpr const char* BarName = "PropertyEditor";
    static constexpr const char* DetachedLabel = "PropertyBar";

    PropertyEditor() = default;

    // Adds the "PropertyEditor" bar to the manager.
    void CreateBar(System::PropertyBarManager& manager);
    // Lists the object's components in the bar, titled with the object's name.
    void AttachTo(GameObject& object, bool keepOpen);
    // Attaches to the object with that id; an id naming no object is logged and ignored.
    void AttachTo(u32 objectId, bool keepOpen);
    // Empties and hides the bar.
    void Detach();
    // Casts the ray through the pointer's current place and attaches to the nearest object in
    // front of the camera whose collider or drawn model it meets, unless that one is shown.
    void Pick();
    // Marks that the edited object changed under the bar (a component deleted or copied, a
    // panel's entries changed); the refresh keeps the bar open.
    void RequestRefresh() { m_refreshPending = true; }
    // Performs a requested refresh, else adds the rows of components added to the object, and
    // detaches (bar emptied, hidden, its title cleared) when the edited object is gone.
    void Update();
    // A component is being destroyed: when the bar shows it, its rows go at once (every row and
    // the title when its object is being destroyed). Only the address and the owner's id are
    // used.
    void ComponentDestroyed(const GameObjectComponent* component, u32 ownerId);

    u32 GetEditedId() const { return m_editedId; }
    bool IsKeptOpen() const { return m_keepOpen; }
    // The bar, looked up by name; null before CreateBar or when it failed.
    PropertyBar* FindBar() const;

    // The name "[Save]" of a component panel saves under, shared by every panel (kept with
    // the property model, which the panels reach).
    static std::string& SaveName();

private:
    // Rebuilds the bar for the edited object, kept open, its open component groups left open.
    void Refresh(GameObject& object);
    // Adds the rows of the object's components that the bar does not show yet.
    void ShowAddedComponents(GameObject& object);

    System::PropertyBarManager* m_manager = nullptr;
    u32 m_editedId = 0;
    bool m_keepOpen = false;
    bool m_refreshPending = false;
    // The object's component-list version the bar's rows were last brought up to.
    u64 m_shownListVersion = 0;
};
} // namespace Tools
