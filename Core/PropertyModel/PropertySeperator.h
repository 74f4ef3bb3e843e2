#pragma once
// A separator line between entries (the class name keeps the editor's historic spelling).
#include "Core/PropertyModel/PropertyMember.h"

namespace Tools
{
class PropertySeperator : public PropertyMember
{
public:
    PropertySeperator(PropertyGroup& parent, const std::string& label);

    void Build() override;
    void Add() override;
};
} // namespace Tools
