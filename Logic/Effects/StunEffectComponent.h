#pragma once
// Disables the object's controller (any of the family) while it lasts; a temporary one enables it
// again when it ends.
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class StunEffectComponent : public EffectComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "StunEffectComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True when the object has a controller.
    bool Bind() override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::StunEffectComponent)
