#pragma once
// Type 4: hands a component to the target object. The message carries the component until
// delivery, when the object takes it over and sets `component` to null. A message destroyed
// while it still carries its component (cleared queue, shut-down, missing object) shuts the
// component down and destroys it, so no component stays registered with a system after its
// message is gone.
#include "Core/Messages/Message.h"
#include "Core/Messages/MessageTypes.h"

class GameObjectComponent;

class AddComponentMessage : public Message
{
public:
    static constexpr u32 Type = MT_ADD_COMPONENT;

    // A check id other than 0 that differs from the target is reported to the error sink as an
    // addressing mistake; the message is built all the same.
    AddComponentMessage(u32 senderId, GameObjectComponent* component, u32 targetObjectId,
                        u32 checkId);
    ~AddComponentMessage() override;

    std::string ToString() const override;

    GameObjectComponent* component; // owned by the message until an object takes it over
    u32 checkId;                    // the object the sender means; 0 for no check
};
