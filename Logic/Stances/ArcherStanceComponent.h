#pragma once
// The archer's stance: the character always walks with its move input and turns to the cursor
// unless triggered, so a triggered archer keeps its aim while it walks.
//
// Written form: "orientation" (kept with the object, not used otherwise), then "triggered".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Stances/StanceComponent.h"
#include "Math/Quaternion.h"

namespace Logic
{
class ArcherStanceComponent : public StanceComponent
{
public:
    static constexpr const char* OrientationTag = "orientation";

    QUILL_COMPONENT_TYPE(ArcherStanceComponent)
    // The kind's own field, written before the base's.
    static const MemberTable<ArcherStanceComponent>& Members();
    void HandleCursor(const InputCursorMessage& message) override;
    void HandleMove(const InputMoveMessage& message) override;

protected:
    void ReadOwnField(Serializer::XmlReader& reader) override;
    void WriteOwnField(Serializer::XmlWriter& writer) override;

private:
    Math::Quaternion m_orientation;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ArcherStanceComponent)
