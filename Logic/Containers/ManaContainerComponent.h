#pragma once
// A character's mana: a recharging container with one more value, written after the recharge
// fields and not used by the rules yet.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/RechargeContainerComponent.h"

namespace Logic
{
class ManaContainerComponent : public RechargeContainerComponent
{
public:
    ManaContainerComponent();

    QUILL_COMPONENT_TYPE(ManaContainerComponent)
    // The members in written order.
    static const MemberTable<ManaContainerComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

private:
    f32 m_extra;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ManaContainerComponent)
