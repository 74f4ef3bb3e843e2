#pragma once
// Type 93: opens the particle editor on an object.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class AttachParticleEditorMessage : public Message
{
public:
    static constexpr u32 Type = MT_ATTACH_PARTICLE_EDITOR;

    AttachParticleEditorMessage(u32 senderId, u32 objectId, const std::string& targetSystem);

    std::string ToString() const override;

    u32 objectId;
};
