#pragma once
// Type 92: closes the property editor.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class DetachPropertyEditorMessage : public Message
{
public:
    static constexpr u32 Type = MT_DETACH_PROPERTY_EDITOR;

    DetachPropertyEditorMessage(u32 senderId, const std::string& targetSystem);

    std::string ToString() const override;
};
