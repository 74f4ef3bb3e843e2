#pragma once
// Types 12, 13 and 14: an action was added to a list, started or finished. The action is not
// owned by the message; receivers use its address to tell actions apart.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class Action;

class ActionMessage : public Message
{
public:
    static constexpr u32 AddType = MT_ACTION_ADD;
    static constexpr u32 StartType = MT_ACTION_START;
    static constexpr u32 FinishType = MT_ACTION_FINISH;

    ActionMessage(u32 senderId, u32 type, Action* action, u32 targetObjectId);

    std::string ToString() const override;

    Action* action; // not owned
};
