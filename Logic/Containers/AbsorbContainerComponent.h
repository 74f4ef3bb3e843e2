#pragma once
// Shield points: the absorb effect fills and empties them, and damage takes from them first.
#include "Logic/Containers/ContainerComponent.h"

namespace Logic
{
class AbsorbContainerComponent : public ContainerComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "AbsorbContainerComponent";
        return name;
    }
    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::AbsorbContainerComponent)
