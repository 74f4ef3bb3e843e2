#include "Core/PropertyModel/PropertyMember.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "TweakBar/TweakBar.h"

namespace Tools
{
PropertyMember::PropertyMember(PropertyGroup& parent, const std::string& label, Kind kind)
    : m_parent(&parent), m_kind(kind)
{
    PropertyBarDefinition& bar = parent.GetBar();
    m_identifier = bar.NextMemberName();
    m_definition = " " + bar.GetTweakName() + "/" + m_identifier + " ";
    if (!label.empty())
        SetKey("label", label);
    SetKey("group", parent.GetName());
}

void PropertyMember::Remove()
{
    TwRemoveVar(m_parent->GetBar().GetHandle(), m_identifier.c_str());
}
} // namespace Tools
