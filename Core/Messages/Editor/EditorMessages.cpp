// The editor family: attaching and detaching the property and particle editors.
#include "Core/Messages/Editor/AttachParticleEditorMessage.h"
#include "Core/Messages/Editor/AttachPropertyEditorMessage.h"
#include "Core/Messages/Editor/DetachParticleEditorMessage.h"
#include "Core/Messages/Editor/DetachPropertyEditorMessage.h"

AttachPropertyEditorMessage::AttachPropertyEditorMessage(u32 senderId, u32 objectId, u08 keepOpen,
                                                         const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(AttachPropertyEditorMessage)),
      objectId(objectId), keepOpen(keepOpen)
{
}

std::string AttachPropertyEditorMessage::ToString() const
{
    return "Attaching Property Editor to " + std::to_string(objectId) + ".";
}

DetachPropertyEditorMessage::DetachPropertyEditorMessage(u32 senderId,
                                                         const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(DetachPropertyEditorMessage))
{
}

std::string DetachPropertyEditorMessage::ToString() const
{
    return "Detaching Property Editor.";
}

AttachParticleEditorMessage::AttachParticleEditorMessage(u32 senderId, u32 objectId,
                                                         const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(AttachParticleEditorMessage)), objectId(objectId)
{
}

std::string AttachParticleEditorMessage::ToString() const
{
    return "Attaching Particle Editor to " + std::to_string(objectId) + ".";
}

DetachParticleEditorMessage::DetachParticleEditorMessage(u32 senderId,
                                                         const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(DetachParticleEditorMessage))
{
}

std::string DetachParticleEditorMessage::ToString() const
{
    return "Detaching Particle Editor.";
}
