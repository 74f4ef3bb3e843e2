#pragma once
// The slow stance: the character turns to the cursor, walks with its move input and faces where
// it walks; toggled on, it multiplies the move modifier by the slow factor, toggled off by the
// factor's reciprocal, so an even number of toggles gives the modifier back. A factor of 0
// would leave no way back (its reciprocal is infinite), so such a stance leaves the modifier
// alone.
//
// Written form: the slow factor (an unnamed float), then "triggered".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Stances/StanceComponent.h"

namespace Logic
{
class SlowStanceComponent : public StanceComponent
{
public:
    SlowStanceComponent();

    QUILL_COMPONENT_TYPE(SlowStanceComponent)
    // The kind's own field, written before the base's.
    static const MemberTable<SlowStanceComponent>& Members();
    void Toggle() override;
    void HandleCursor(const InputCursorMessage& message) override;
    void HandleMove(const InputMoveMessage& message) override;

    f32 GetSlowFactor() const { return m_slowFactor; }

protected:
    void ReadOwnField(Serializer::XmlReader& reader) override;
    void WriteOwnField(Serializer::XmlWriter& writer) override;

private:
    f32 m_slowFactor;
    f32 m_reciprocal; // 1 / slow factor, computed when read
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SlowStanceComponent)
