#pragma once
// Grows or shrinks its object to its value times the object's own scale over its duration: the
// transform's scale and, when the object's collider is a SphereColliderComponent, the sphere's
// radius (any other collider keeps its size) move each frame after the one it is applied in by
// the share of the remaining way that the frame is of the remaining time, and stand at the end
// of the way in the frame the effect runs out. A temporary one, when it ends, adds a second scale
// effect of value 1 that takes the object back to its own scale within half a second. A value of
// 0 would flatten the object for good, so it changes and undoes nothing.
//
// Own scale: the scale and radius the object has when no scale effect acts on it. Every scale
// effect grows from it and comes back to it, never from what another one left: the first scale
// effect on an object takes the object's scale as it finds it, a later one takes the own scale
// the earlier ones keep, or the one its creator gives it (SetOwnScale; the rage does, so that
// its way back knows where to end whatever happened in between). The newest scale effect on an
// object decides its size: when it binds, the earlier ones still on the object stop scaling and
// leave no way back.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/Vector3.h"

class GameObject;

namespace Logic
{
class ScaleEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(ScaleEffectComponent)
    ScaleEffectComponent();
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Update(f32 seconds) override;
    // Nothing: the change is made frame by frame.
    void Apply() override {}
    void Remove() override;
    // True while the object exists; records the own scale and radius (once) and where the way
    // ends, and takes over from the scale effects already on the object.
    bool Bind() override;

    // The scale and sphere radius to grow from and come back to, given by the creator before
    // the effect is put on its object.
    void SetOwnScale(const Math::Vector3& scale, f32 radius);
    // The object's own scale and radius: those the scale effects on it keep, else its
    // transform's scale and its sphere's radius as they are (1 and 0 for what it lacks).
    static void FindOwnScale(const GameObject& object, Math::Vector3& scale, f32& radius);
    bool IsSuperseded() const { return m_superseded; }

private:
    // How long the way back takes, in seconds.
    static constexpr f32 ReverseSeconds = 0.5f;

    // Sets the transform's scale and the sphere's radius that share of the way to the end.
    void Step(GameObject& owner, f32 share) const;

    Math::Vector3 m_ownScale;
    Math::Vector3 m_targetScale;
    f32 m_ownRadius;
    f32 m_targetRadius;
    bool m_hasOwn;     // the own scale is known (given or taken at the first bind)
    bool m_bound;      // bound to its object and not yet removed
    bool m_hasSphere;  // the object's collider is a sphere whose radius follows
    bool m_superseded; // a newer scale effect on the object decides its size
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ScaleEffectComponent)
