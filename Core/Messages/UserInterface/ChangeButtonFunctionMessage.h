#pragma once
// Type 23: binds the named Lua function to the named button.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ChangeButtonFunctionMessage : public Message
{
public:
    static constexpr u32 Type = MT_CHANGE_BUTTON_FUNCTION;

    ChangeButtonFunctionMessage(u32 senderId, const std::string& buttonName,
                                const std::string& functionName, const std::string& targetSystem);

    std::string ToString() const override;

    std::string buttonName;
    std::string functionName;
};
