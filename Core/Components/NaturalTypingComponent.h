#pragma once
// Gives an object the typed text of the keyboard: the input system hands every typed character
// (and every Enter or Backspace press) to its registered natural-typing components as a
// NaturalKeyboardMessage, and this component passes the message on to its own object, whose
// other components (a text field, a script) then see it.
//
// Only typed characters that come from the input system (addressed to no object or group) are
// passed on; everything addressed to the object reaches its components without help. The object
// hands a forwarded message to all of its components, this one included: while a message is
// being forwarded every natural-typing component ignores it, so each delivery from the input
// system reaches the object's components once and never loops.
//
// A copy made through the type record takes the source's owner and component ids and is not
// registered with the input system. Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <string>

class NaturalTypingComponent : public GameObjectComponent
{
public:
    // The system that delivers typed characters, found by this name; it may not exist.
    static constexpr const char* SystemName = "InputSystem";

    // A fresh id, registered with the input system when there is one.
    NaturalTypingComponent();
    // Owner and component id of the source; not registered.
    NaturalTypingComponent(const NaturalTypingComponent& source);
    NaturalTypingComponent& operator=(const NaturalTypingComponent& source) = default;
    // Leaves the input system (a no-op when Shutdown already did).
    ~NaturalTypingComponent() override;

    QUILL_COMPONENT_TYPE(NaturalTypingComponent)
    // Construct, destroy and assign operations of the type record; no reflected members.
    static void RegisterMembers();

    // Leaves the input system.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    // Hands a typed character from the input system to the owner object's components; nothing
    // when the object is gone or the message is already being forwarded.
    void HandleMessage(Message* message) override;
};

QUILL_DECLARE_TYPE_RECORD(NaturalTypingComponent)
