#pragma once
// Types 12, 13 and 14: an action is handed to an object's action list, started or finished.
// Kind 12 owns its action until a list takes it over (the list sets `action` to null); a kind-12
// message destroyed while it still carries its action (undelivered, or delivered to an object
// without a list) deletes it. Kinds 13 and 14 own nothing: receivers use the address only to
// tell actions apart and never dereference it.
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
    ~ActionMessage() override;

    std::string ToString() const override;

    Action* action; // owned by a kind-12 message until a list takes it
};
