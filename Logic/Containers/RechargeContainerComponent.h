#pragma once
// A container that refills itself: while below its maximum it adds the recharge amount once
// every recharge interval (at most once per frame; time beyond the interval carries over). A
// full container's timer stands still, so after draining the first refill comes one whole
// interval later. Base of the mana container; it answers its own name as its type id.
//
// Written form: the container's three values, then the interval and the amount (unnamed
// floats).
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class RechargeContainerComponent : public ContainerComponent
{
public:
    RechargeContainerComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "RechargeContainerComponent";
        return name;
    }
    u32 GetType() const override;
    // The members in written order.
    static const MemberTable<RechargeContainerComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void Update(f32 seconds) override;

    f32 GetRechargeInterval() const { return m_rechargeInterval; }
    f32 GetRechargeAmount() const { return m_rechargeAmount; }

private:
    f32 m_rechargeInterval;
    f32 m_rechargeAmount;
    f32 m_timer;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::RechargeContainerComponent)
