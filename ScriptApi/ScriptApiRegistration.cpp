#include "ScriptApi/ScriptApiRegistration.h"
#include "ScriptApi/ScriptApi.h"
#include "Scripting/ScriptTables.h"

namespace Scripting
{
void RegisterScriptTables()
{
    SetScriptTableInstaller(&RegisterScriptApi);
}
} // namespace Scripting
