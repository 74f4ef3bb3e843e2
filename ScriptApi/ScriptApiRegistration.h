#pragma once
// Registration of the script tables. Game/Registration.cpp calls it right after
// Scripting::RegisterScripting, before any system that runs scripts is created; test programs
// whose scripts call the tables do the same. It sets RegisterScriptApi as the script
// component's one table installer (Scripting/ScriptTables.h).
namespace Scripting
{
void RegisterScriptTables();
} // namespace Scripting
