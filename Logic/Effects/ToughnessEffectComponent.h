#pragma once
// Adds its value to the object's toughness (its ToughnessContainerComponent), which lowers the
// knock-backs it takes; a temporary one takes it off again when it ends.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class ToughnessEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(ToughnessEffectComponent)
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; the ToughnessContainerComponent it holds, if any, is what
    // changes.
    bool Bind() override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ToughnessEffectComponent)
