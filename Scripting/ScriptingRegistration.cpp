#include "Scripting/ScriptingRegistration.h"
#include "Core/SystemFactory.h"
#include "Scripting/LuaSystem.h"

namespace Scripting
{
void RegisterScriptingSystems(SystemFactory& factory)
{
    factory.Register<System::LuaSystem>("ScriptingSystem");
}
} // namespace Scripting
