#pragma once
// The base of the single entries of a bar (variables, buttons, separators, enumerations): the
// group that holds it and its kind. Its constructor names it from the bar's member counter and
// writes its label and "group" keys; the kinds store their particulars and then Build.
#include "Core/PropertyModel/PropertyDefinition.h"

namespace Tools
{
class PropertyGroup;

class PropertyMember : public PropertyDefinition
{
public:
    enum Kind
    {
        Variable = 1,
        Button = 2,
        Separator = 3,
        Enumeration = 5,
    };

    PropertyMember(PropertyGroup& parent, const std::string& label, Kind kind);

    PropertyGroup& GetParent() const { return *m_parent; }
    Kind GetKind() const { return m_kind; }
    // The program value the standard callbacks read and write; null for buttons and
    // separators.
    virtual void* GetBoundValue() const { return nullptr; }

    void Remove() override;
    void Define() override { ApplyDefinition(); }
    void Refresh() override { ApplyDefinition(); }

protected:
    PropertyGroup* m_parent;
    Kind m_kind;
};
} // namespace Tools
