#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Messages/MessageText.h"
#include <sstream>

CollideMessage::ColliderInfoQuery CollideMessage::s_colliderInfoQuery = nullptr;

namespace
{
// Writes "ACat: 1 and AMask: 6" for the side "A"; both numbers read "unfound" when the object
// has no collider or physics has installed no query.
void WriteColliderInfo(std::ostringstream& text, const char* side, u32 objectId,
                       CollideMessage::ColliderInfoQuery query)
{
    u32 category = 0;
    u32 mask = 0;
    text << side << "Cat: ";
    if (query != nullptr && query(objectId, category, mask))
        text << static_cast<s32>(category) << " and " << side << "Mask: " << static_cast<s32>(mask);
    else
        text << "unfound and " << side << "Mask: unfound";
}
} // namespace

void CollideMessage::SetColliderInfoQuery(ColliderInfoQuery query)
{
    s_colliderInfoQuery = query;
}

CollideMessage::CollideMessage(u32 senderId, const Math::Vector4& contactNormal, u32 otherObject,
                               bool isNewContact, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(CollideMessage)), normal(contactNormal),
      otherObjectId(otherObject), newContact(isNewContact)
{
}

std::string CollideMessage::ToString()
{
    std::string labelA;
    std::string labelB;
    const bool foundA = MessageText::FindObjectLabel(targetObjectId, labelA);
    const bool foundB = MessageText::FindObjectLabel(otherObjectId, labelB);

    std::ostringstream text;
    if (foundA && foundB)
    {
        text << "A (" << labelA << ") colliding with B (" << labelB << ")";
        WriteColliderInfo(text, "A", targetObjectId, s_colliderInfoQuery);
        text << " with ";
        WriteColliderInfo(text, "B", otherObjectId, s_colliderInfoQuery);
    }
    else if (foundB)
    {
        text << "Sending collision message to unidentified object:" << targetObjectId
             << " about collision with " << labelB;
    }
    else if (foundA)
    {
        text << "Sending collision message to " << labelA
             << " about collision with unidentified object:" << otherObjectId;
    }
    else
    {
        text << "Collision message being sent to two unidentified objects:" << targetObjectId
             << " and " << otherObjectId;
    }
    return text.str();
}
