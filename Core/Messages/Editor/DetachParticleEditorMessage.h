#pragma once
// Type 94: closes the particle editor.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class DetachParticleEditorMessage : public Message
{
public:
    static constexpr u32 Type = MT_DETACH_PARTICLE_EDITOR;

    DetachParticleEditorMessage(u32 senderId, const std::string& targetSystem);

    std::string ToString() const override;
};
