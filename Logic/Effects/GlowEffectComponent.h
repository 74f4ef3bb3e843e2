#pragma once
// A glow effect: a kind with no behaviour of its own yet; it counts its time down like
// every effect.
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class GlowEffectComponent : public EffectComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "GlowEffectComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    // The base's values; it binds in its first update.
    void Deserialize(Serializer::XmlReader& reader) override
    {
        EffectComponent::Deserialize(reader);
    }
    void Apply() override {}
    void Remove() override {}
    // True while the object exists.
    bool Bind() override { return OwnerObject() != nullptr; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::GlowEffectComponent)
