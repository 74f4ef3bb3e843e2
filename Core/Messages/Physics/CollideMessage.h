#pragma once
// Type 59: tells the target object of a contact with another object. The physics system sends
// one to each object of a colliding pair whose collider's mask accepts the other's category.
// The log text names both colliders' category and mask; Core cannot see colliders, so physics
// installs a query for them (SetColliderInfoQuery) when it starts and removes it when it stops.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"
#include "Math/Vector4.h"

class CollideMessage : public Message
{
public:
    static constexpr u32 Type = MT_COLLIDE;

    // The collision category and mask of an object's collider; false when the object has none.
    using ColliderInfoQuery = bool (*)(u32 objectId, u32& category, u32& mask);

    // Main thread only; null removes the query (texts then print the colliders as unfound).
    static void SetColliderInfoQuery(ColliderInfoQuery query);
    static ColliderInfoQuery GetColliderInfoQuery() { return s_colliderInfoQuery; }

    CollideMessage(u32 senderId, const Math::Vector4& normal, u32 otherObjectId, bool newContact,
                   u32 targetObjectId);

    std::string ToString() override;

    Math::Vector4 normal; // contact normal, from the receiving object towards the other
    u32 otherObjectId;
    bool newContact; // the two were not in contact in the previous physics step

private:
    static ColliderInfoQuery s_colliderInfoQuery;
};
