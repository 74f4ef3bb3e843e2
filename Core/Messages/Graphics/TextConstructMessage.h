#pragma once
// Type 51: sets the target's text.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class TextConstructMessage : public Message
{
public:
    static constexpr u32 Type = MT_TEXT_CONSTRUCT;

    TextConstructMessage(u32 senderId, const std::string& text, u32 targetObjectId);

    std::string ToString() const override;

    std::string text;
};
