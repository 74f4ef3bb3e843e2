#pragma once
// A push button. The bar layer calls the callback with the button as its client data; the
// callback takes what it acts on (a component, an editor) from GetUserData.
#include "Core/PropertyModel/PropertyMember.h"
#include "TweakBar/TweakBar.h"

namespace Tools
{
class PropertyButton : public PropertyMember
{
public:
    PropertyButton(PropertyGroup& parent, const std::string& label, void* userData,
                   TwButtonCallback callback);

    void* GetUserData() const { return m_userData; }
    TwButtonCallback GetCallback() const { return m_callback; }

    void Build() override;
    void Add() override;

private:
    void* m_userData;
    TwButtonCallback m_callback;
};
} // namespace Tools
