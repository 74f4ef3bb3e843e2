#pragma once
// The editor-bar layer's entry points that the engine core calls. Only the enumeration call the
// asset managers need stands here so far; the bar layer itself (bars as data, drawn with Dear
// ImGui) replaces this header with its full interface.
//
// Enumeration types get codes from EnumTypeBase up, one per call, so they never collide with
// the built-in value types' codes.

// An editor value type code; 0 means undefined.
typedef int TwType;

// One value of an editor enumeration and the text shown for it.
struct TwEnumVal
{
    int Value;
    const char* Label;
};

namespace TweakBar
{
constexpr TwType EnumTypeBase = 1000;
}

// Defines an enumeration for drop-down lists and returns its type code. The bar layer copies the
// labels it needs; until it exists the values are not looked at.
inline TwType TwDefineEnum(const char*, const TwEnumVal*, unsigned int)
{
    static TwType nextType = TweakBar::EnumTypeBase;
    return nextType++;
}
