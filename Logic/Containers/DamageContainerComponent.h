#pragma once
// The damage an object has taken, raised by the damage effect; knock-backs fly further the higher
// it is.
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class DamageContainerComponent : public ContainerComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "DamageContainerComponent";
        return name;
    }
    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::DamageContainerComponent)
