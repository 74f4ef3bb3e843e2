#include "Scripting/ScriptTables.h"

namespace Scripting
{
namespace
{
ScriptTableInstaller g_installer = nullptr;
} // namespace

void SetScriptTableInstaller(ScriptTableInstaller installer)
{
    g_installer = installer;
}

bool HasScriptTableInstaller()
{
    return g_installer != nullptr;
}

void OpenScriptTables(lua_State* state)
{
    if (g_installer != nullptr)
        g_installer(state);
}
} // namespace Scripting
