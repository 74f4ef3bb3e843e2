#pragma once
// What a bar gives every entry in it: the bar layer's handle, the bar's tweak name and its own
// definition string, and the two counters behind entry identifiers ("member<n>", "SUB<n>").
// The counters only grow while the bar exists, so an identifier is never reused within a bar,
// not even after its entries are rebuilt.
#include "Math/Types.h"
#include <string>

#include "TweakBar/TweakBar.h"

namespace Tools
{
class PropertyBarDefinition
{
public:
    // The next identifier of each kind; each call uses one up.
    std::string NextMemberName() { return "member" + std::to_string(m_memberCounter++); }
    std::string NextGroupName() { return "SUB" + std::to_string(m_groupCounter++); }

    TwBar* GetHandle() const { return m_handle; }
    const std::string& GetTweakName() const { return m_tweakName; }
    const std::string& GetBarDefinition() const { return m_barDefinition; }

protected:
    std::string m_barDefinition;
    std::string m_tweakName;
    TwBar* m_handle = nullptr; // none until the bar is first loaded
    u32 m_memberCounter = 0;
    u32 m_groupCounter = 0;
};
} // namespace Tools
