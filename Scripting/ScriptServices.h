#pragma once
// The scripting layer's service hooks: what a script entry asks at once of a subsystem above
// Scripting (change a page, switch a camera, read a player), without including it. The entries
// stay in the script tables (ScriptApi_*.cpp), in their fixed order; an entry that needs such a
// subsystem calls its hook here, and the owning subsystem installs the hook when its system
// starts and removes it when the system stops (Core/ServiceHook.h). Until then the entry does
// nothing and answers 0, false or an empty name, as every script entry does without its target.
//
// Adding a hook: a member below named after the entry's action, with a comment naming its owner
// and what it answers, e.g. for a page change owned by the user-interface system:
//     // Makes the named page current (owner: GameState::System::UISystem).
//     ServiceHook<void(const std::string& page)> changePage;
// Requests that may wait for the next delivery are messages, not hooks.
#include "Core/ServiceHook.h"

namespace Scripting
{
struct ScriptServices
{
    // No script entry acts at once on a later subsystem yet; the entries that do arrive with
    // the subsystems that own them.
};

// The process's one table.
ScriptServices& Services();
} // namespace Scripting
