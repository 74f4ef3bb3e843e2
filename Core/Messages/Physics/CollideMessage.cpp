#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/CoreServices.h"
#include "Core/Messages/MessageText.h"
#include <sstream>

namespace
{
// Writes "ACat: 1 and AMask: 6" for the side "A"; both numbers read "unfound" when the object
// has no collider or physics has installed no hook.
void WriteColliderInfo(std::ostream& text, const char* side, u32 objectId)
{
    u32 category = 0;
    u32 mask = 0;
    text << side << "Cat: ";
    if (Core::Services().colliderInfo(objectId, category, mask))
        text << static_cast<s32>(category) << " and " << side << "Mask: " << static_cast<s32>(mask);
    else
        text << "unfound and " << side << "Mask: unfound";
}
} // namespace

CollideMessage::CollideMessage(u32 senderId, const Math::Vector4& contactNormal, u32 otherObject,
                               bool isNewContact, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(CollideMessage)), normal(contactNormal),
      otherObjectId(otherObject), newContact(isNewContact)
{
}

std::string CollideMessage::ToString() const
{
    std::ostringstream text;
    WriteText(text);
    return text.str();
}

void CollideMessage::WriteText(std::ostream& text) const
{
    const GameObject* objectA = MessageText::FindNamedObject(targetObjectId);
    const GameObject* objectB = MessageText::FindNamedObject(otherObjectId);
    if (objectA != nullptr && objectB != nullptr)
    {
        text << "A (";
        MessageText::WriteLabel(text, *objectA);
        text << ") colliding with B (";
        MessageText::WriteLabel(text, *objectB);
        text << ")";
        WriteColliderInfo(text, "A", targetObjectId);
        text << " with ";
        WriteColliderInfo(text, "B", otherObjectId);
    }
    else if (objectB != nullptr)
    {
        text << "Sending collision message to unidentified object:" << targetObjectId
             << " about collision with ";
        MessageText::WriteLabel(text, *objectB);
    }
    else if (objectA != nullptr)
    {
        text << "Sending collision message to ";
        MessageText::WriteLabel(text, *objectA);
        text << " about collision with unidentified object:" << otherObjectId;
    }
    else
    {
        text << "Collision message being sent to two unidentified objects:" << targetObjectId
             << " and " << otherObjectId;
    }
}
