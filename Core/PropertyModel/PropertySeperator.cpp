#include "Core/PropertyModel/PropertySeperator.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "TweakBar/TweakBar.h"

namespace Tools
{
PropertySeperator::PropertySeperator(PropertyGroup& parent, const std::string& label)
    : PropertyMember(parent, label, Separator)
{
}

void PropertySeperator::Build()
{
    Add();
    ApplyDefinition();
}

void PropertySeperator::Add()
{
    TwAddSeparator(m_parent->GetBar().GetHandle(), m_identifier.c_str(), "");
}
} // namespace Tools
