#pragma once
// Type 21: shows the named user-interface page.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class ChangePageMessage : public Message
{
public:
    static constexpr u32 Type = MT_CHANGE_PAGE;

    ChangePageMessage(u32 senderId, const std::string& pageName, u32 targetObjectId);

    std::string ToString() const override;

    std::string pageName;
    // Who asked, for the log line when the page does not exist ("<script>:<line>" for a
    // script's GameState.ChangePage); empty for any other sender.
    std::string requester;
};
