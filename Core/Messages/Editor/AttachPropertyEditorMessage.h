#pragma once
// Type 91: opens the property editor on an object.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AttachPropertyEditorMessage : public Message
{
public:
    static constexpr u32 Type = MT_ATTACH_PROPERTY_EDITOR;

    AttachPropertyEditorMessage(u32 senderId, u32 objectId, u08 keepOpen,
                                const std::string& targetSystem);

    std::string ToString() const override;

    u32 objectId;
    u08 keepOpen; // 1: input neither detaches the editor nor picks another object
};
