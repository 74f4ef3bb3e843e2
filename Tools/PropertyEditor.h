#pragma once
// The property editor: the bar "PropertyEditor" that lists every component of one game object,
// each in a group its BuildEditor fills, followed by "Delete" and "Copy" buttons.
//
// The edited object is kept by id and looked up on every use, and the bar is looked up by
// name. The entries of a shown component are dropped the moment it is destroyed (the core's
// component-destroyed hook), whatever destroyed it, so no drawing pass or queued bar callback
// reaches it, and the bar loses the object's title with them; the next Update then detaches
// when the object went with it, or lists the object again.
// The "Delete" and "Copy" buttons change the object from inside a bar callback; they only mark
// a refresh, which Update performs, so no entry is rebuilt while the bar layer walks it.
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
    // Marks that the edited object changed under the bar (a component deleted or copied).
    void RequestRefresh() { m_refreshPending = true; }
    // Performs a requested refresh, and detaches (bar emptied, hidden, its title cleared) when
    // the edited object is gone.
    void Update();
    // A component is being destroyed: when the bar shows it, every entry goes at once and a
    // refresh is marked. Only the address and the owner's id are used.
    void ComponentDestroyed(const GameObjectComponent* component, u32 ownerId);

    u32 GetEditedId() const { return m_editedId; }
    bool IsKeptOpen() const { return m_keepOpen; }
    // The bar, looked up by name; null before CreateBar or when it failed.
    PropertyBar* FindBar() const;

    // The name "[Save]" of a component panel saves under, shared by every panel (kept with
    // the property model, which the panels reach).
    static std::string& SaveName();

private:
    System::PropertyBarManager* m_manager = nullptr;
    u32 m_editedId = 0;
    bool m_keepOpen = false;
    bool m_refreshPending = false;
};
} // namespace Tools
