#pragma once
// A charge an object builds up. Its extra value is kept and written after the container's three
// but not used by the rules yet.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class ChargeContainerComponent : public ContainerComponent
{
public:
    ChargeContainerComponent();

    QUILL_COMPONENT_TYPE(ChargeContainerComponent)
    // The members in written order.
    static const MemberTable<ChargeContainerComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    f32 GetCharge() const { return m_charge; }

private:
    f32 m_charge;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ChargeContainerComponent)
