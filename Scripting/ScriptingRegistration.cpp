#include "Scripting/ScriptingRegistration.h"
#include "Core/Engine.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"

namespace Scripting
{
void RegisterScripting(Engine& engine)
{
    engine.GetSystemFactory().Register<System::LuaSystem>("ScriptingSystem");
    AddTypeRecord<LuaComponent>();
}

} // namespace Scripting
