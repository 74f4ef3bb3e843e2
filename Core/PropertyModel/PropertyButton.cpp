#include "Core/PropertyModel/PropertyButton.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyGroup.h"

namespace Tools
{
PropertyButton::PropertyButton(PropertyGroup& parent, const std::string& label, void* userData,
                               TwButtonCallback callback)
    : PropertyMember(parent, label, Button), m_userData(userData), m_callback(callback)
{
}

void PropertyButton::Build()
{
    Add();
    ApplyDefinition();
}

void PropertyButton::Add()
{
    TwAddButton(m_parent->GetBar().GetHandle(), m_identifier.c_str(), m_callback, this, "");
}
} // namespace Tools
