#pragma once
// Takes its value off the object's health (a negative value heals); a temporary one gives it back
// when it ends.
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class HealthEffectComponent : public EffectComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "HealthEffectComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; the HealthContainerComponent it holds, if any, is what changes.
    bool Bind() override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::HealthEffectComponent)
