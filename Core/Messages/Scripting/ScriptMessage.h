#pragma once
// Type 71: asks the Lua system to load a script under a name, or to remove the script of that
// name. Only the Lua system reads it, so it is addressed to that system ("ScriptingSystem").
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ScriptMessage : public Message
{
public:
    static constexpr u32 Type = MT_SCRIPT;

    // `remove` non-zero removes the script named `scriptName`; zero loads `scriptFile` (a path
    // below "assets/Scripts/") under that name.
    ScriptMessage(u32 senderId, u32 remove, const std::string& scriptName,
                  const std::string& scriptFile);

    std::string ToString() const override;

    u32 remove;
    std::string scriptName;
    std::string scriptFile;
};
