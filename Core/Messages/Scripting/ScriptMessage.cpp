#include "Core/Messages/Scripting/ScriptMessage.h"

namespace
{
const char* const LuaSystemName = "ScriptingSystem";
}

ScriptMessage::ScriptMessage(u32 senderId, u32 remove, const std::string& scriptName,
                             const std::string& scriptFile)
    : Message(senderId, Type, LuaSystemName, sizeof(ScriptMessage)), remove(remove),
      scriptName(scriptName), scriptFile(scriptFile)
{
}

std::string ScriptMessage::ToString() const
{
    if (remove != 0)
        return "Remove script " + scriptName;
    return "Load script " + scriptName + " from " + scriptFile;
}
