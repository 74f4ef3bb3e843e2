#pragma once
// Takes its value off the object's health (a negative value heals); a temporary one gives it back
// when it ends.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class HealthEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(HealthEffectComponent)
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; the HealthContainerComponent it holds, if any, is what changes.
    bool Bind() override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::HealthEffectComponent)
