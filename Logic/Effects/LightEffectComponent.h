#pragma once
// A light effect: a kind with no behaviour of its own yet; it counts its time down like
// every effect.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class LightEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(LightEffectComponent)
    // The base's values; it binds in its first update.
    void Deserialize(Serializer::XmlReader& reader) override
    {
        EffectComponent::Deserialize(reader);
    }
    void Apply() override {}
    void Remove() override {}
    // True while the object exists.
    bool Bind() override { return GetOwnerObject() != nullptr; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::LightEffectComponent)
