#pragma once
// Adds its value to the damage taken (the object's DamageContainerComponent) and plays the
// object's "OnDamaged" response when it has an AudioResponseComponent; a temporary one takes it
// off again when it ends.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class DamageEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(DamageEffectComponent)
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; the DamageContainerComponent it holds, if any, is what changes.
    bool Bind() override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::DamageEffectComponent)
