#pragma once
// Slides its object to a target point over its duration: each frame after the one it is applied
// in, the object covers the share of the remaining way that the frame is of the remaining time,
// so it arrives in the last frame before the time runs out. The value is not used.
//
// Written form: the base's values, then the target point as "point4" (X, Y, Z).
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/Point4.h"

namespace Logic
{
class KnockbackEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(KnockbackEffectComponent)
    static constexpr const char* PointTag = "point4";

    KnockbackEffectComponent();
    // The members in written order.
    static const MemberTable<KnockbackEffectComponent>& Members();
    // The base's values and the target point, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void Update(f32 seconds) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; its transform, if any, is what moves.
    bool Bind() override;

    void SetTargetPoint(const Math::Point4& point) { m_point = point; }
    const Math::Point4& GetTargetPoint() const { return m_point; }

private:
    Math::Point4 m_point;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::KnockbackEffectComponent)
