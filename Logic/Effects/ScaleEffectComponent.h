#pragma once
// Grows or shrinks its object by its value over its duration: the transform's scale and, when
// the object's collider is a SphereColliderComponent, the sphere's radius (any other collider keeps
// its size) move each frame after the one it is applied in by the share of the remaining way
// that the frame is of the remaining time. A temporary one, when it ends, adds a second scale
// effect of 1 / value that takes the object back within half a second. A value of 0 would
// flatten the object for good, so it changes and undoes nothing.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/Vector3.h"

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
    // True while the object exists; records where the scale and radius start and end.
    bool Bind() override;

private:
    // How long the way back takes, in seconds.
    static constexpr f32 ReverseSeconds = 0.5f;

    Math::Vector3 m_startScale;
    Math::Vector3 m_targetScale;
    f32 m_startRadius;
    f32 m_targetRadius;
    bool m_hasSphere; // the object's collider is a sphere whose radius follows
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ScaleEffectComponent)
