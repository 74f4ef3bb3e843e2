#pragma once
// The beacon's stance: the character always turns to the cursor and walks with its move input
// unless triggered, so a triggered beacon stands its ground and keeps aiming.
//
// Written form: "triggeredPosition" (kept with the object, not used otherwise), then
// "triggered".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Stances/StanceComponent.h"
#include "Math/Point4.h"

namespace Logic
{
class BeaconStanceComponent : public StanceComponent
{
public:
    static constexpr const char* PositionTag = "triggeredPosition";

    QUILL_COMPONENT_TYPE(BeaconStanceComponent)
    // The kind's own field, written before the base's.
    static const MemberTable<BeaconStanceComponent>& Members();
    void HandleCursor(const InputCursorMessage& message) override;
    void HandleMove(const InputMoveMessage& message) override;

protected:
    void ReadOwnField(Serializer::XmlReader& reader) override;
    void WriteOwnField(Serializer::XmlWriter& writer) override;

private:
    Math::Point4 m_triggeredPosition;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::BeaconStanceComponent)
