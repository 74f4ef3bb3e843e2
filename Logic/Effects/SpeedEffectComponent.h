#pragma once
// Multiplies the move modifier of the object's move component (any of the family) by its value;
// a temporary one divides it again when it ends. A value of 0 would stop the object for good, so
// it changes and undoes nothing.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class SpeedEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(SpeedEffectComponent)
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; the move component it holds, if any, is what changes.
    bool Bind() override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SpeedEffectComponent)
