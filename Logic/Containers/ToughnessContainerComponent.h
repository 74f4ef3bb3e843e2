#pragma once
// How much a hit moves an object: the damage factor is the reciprocal of the current value,
// and 10 while the value is (nearly) 0. Knock-backs scale with it.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class ToughnessContainerComponent : public ContainerComponent
{
public:
    // The factor of an object without toughness.
    static constexpr f32 NoToughnessFactor = 10.0f;

    ToughnessContainerComponent();

    QUILL_COMPONENT_TYPE(ToughnessContainerComponent)
    // The members in written order.
    static const MemberTable<ToughnessContainerComponent>& Members();
    // The container's three values, then the damage factor.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // The clamped change, then the factor follows the new value.
    void Add(f32 delta) override;

    f32 GetDamageFactor() const { return m_damageFactor; }

private:
    f32 m_damageFactor;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ToughnessContainerComponent)
