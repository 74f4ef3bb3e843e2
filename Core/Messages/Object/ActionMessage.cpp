// Announcements of actions added, started and finished.
#include "Core/Messages/Object/ActionMessage.h"

ActionMessage::ActionMessage(u32 senderId, u32 type, Action* action, u32 targetObjectId)
    : Message(senderId, type, targetObjectId, sizeof(ActionMessage)), action(action)
{
}

std::string ActionMessage::ToString() const
{
    switch (type)
    {
    case AddType:
        return "Action Add";
    case StartType:
        return "Action Start";
    case FinishType:
        return "Action Finish";
    default:
        return "UNIDENTIFIED ACTION MESSAGE";
    }
}
