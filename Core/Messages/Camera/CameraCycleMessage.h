#pragma once
// Type 37: makes the next or the previous camera the active one.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class CameraCycleMessage : public Message
{
public:
    static constexpr u32 Type = MT_CAMERA_CYCLE;

    CameraCycleMessage(u32 senderId, bool next, const std::string& targetSystem);

    std::string ToString() const override;

    bool next; // true: next camera, false: previous
};
