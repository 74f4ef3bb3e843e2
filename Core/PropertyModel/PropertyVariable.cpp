#include "Core/PropertyModel/PropertyVariable.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyGroup.h"

namespace Tools
{
PropertyVariable::PropertyVariable(PropertyGroup& parent, const std::string& label, void* value,
                                   TwType type, TwSetVarCallback set, TwGetVarCallback get)
    : PropertyMember(parent, label, Variable), m_value(value), m_type(type), m_set(set), m_get(get)
{
}

void PropertyVariable::Build()
{
    Add();
    // The layer's error text, if any, is not used: a variable it refused simply is not shown.
    TwGetLastError();
    ApplyDefinition();
}

void PropertyVariable::Add()
{
    TwAddVarCB(m_parent->GetBar().GetHandle(), m_identifier.c_str(), m_type, m_set, m_get, this,
               "");
}
} // namespace Tools
