#pragma once
// Base of what drives a character: the player's controller and the AI's. It holds one flag,
// disabled, which stuns and deaths set; every controller answers the family's id
// "ControllerComponent", so a look-up of that id finds the one an object has.
#include "Logic/LogicComponent.h"
#include <string>

namespace Logic
{
class ControllerComponent : public LogicComponent
{
public:
    using ComponentFamily = ControllerComponent;

    ControllerComponent();

    static const std::string& GetTypeName()
    {
        static const std::string name = "ControllerComponent";
        return name;
    }
    u32 GetType() const override;

    virtual void SetDisabled(bool disabled) { m_disabled = disabled; }
    bool IsDisabled() const { return m_disabled; }

protected:
    bool m_disabled;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ControllerComponent)
