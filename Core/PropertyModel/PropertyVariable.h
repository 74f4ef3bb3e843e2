#pragma once
// A bar value bound to program memory through a set and a get callback, which receive the
// variable as their client data. A null set callback makes the value read-only.
#include "Core/PropertyModel/PropertyMember.h"
#include "TweakBar/TweakBar.h"

namespace Tools
{
class PropertyVariable : public PropertyMember
{
public:
    PropertyVariable(PropertyGroup& parent, const std::string& label, void* value, TwType type,
                     TwSetVarCallback set, TwGetVarCallback get);

    void* GetBoundValue() const override { return m_value; }
    TwType GetType() const { return m_type; }
    TwSetVarCallback GetSetCallback() const { return m_set; }
    TwGetVarCallback GetGetCallback() const { return m_get; }

    void Build() override;
    void Add() override;

private:
    void* m_value;
    TwType m_type;
    TwSetVarCallback m_set;
    TwGetVarCallback m_get;
};
} // namespace Tools
