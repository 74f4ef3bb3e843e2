#pragma once
// Steps an object along its facing (+z turned by its orientation) at move value x move
// modifier units per second in every update in which some direction is pending, then clears
// the direction: only the presence of input matters, not where it points.
#include "Logic/Movement/MoveComponent.h"

namespace Logic
{
class StaticMoveComponent : public MoveComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "StaticMoveComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    void Update(f32 seconds) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::StaticMoveComponent)
