#pragma once
// Type 59: tells the target object of a contact with another object. The physics system sends
// one to each object of a colliding pair whose collider's mask accepts the other's category.
// The log text names both colliders' category and mask; Core cannot see colliders, so it asks
// the physics system through the colliderInfo hook of Core/CoreServices.h.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector4.h"

class CollideMessage : public Message
{
public:
    static constexpr u32 Type = MT_COLLIDE;

    CollideMessage(u32 senderId, const Math::Vector4& normal, u32 otherObjectId, bool newContact,
                   u32 targetObjectId);

    std::string ToString() const override;
    void WriteText(std::ostream& stream) const override;

    Math::Vector4 normal; // contact normal, from the receiving object towards the other
    u32 otherObjectId;
    bool newContact; // the two were not in contact in the previous physics step
};
