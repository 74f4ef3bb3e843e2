#pragma once
// The record a component hands with each numeric property to the editor's adders: the range
// and step of the value and, when the component chooses one, the decimals shown. The texts and
// the integer are carried for callers that label or count their entries; the adders do not
// read them.
#include "Math/Types.h"
#include <string>

namespace Tools
{
struct PropertyAttributes
{
    static constexpr s32 DefaultPrecision = 1;

    std::string text;
    s32 integer = 1;
    f32 min = 0.0f;
    f32 max = 1.0f;
    f32 step = 1.0f;
    // Written only when hasPrecision is set; otherwise the bar shows as many decimals as the
    // step needs.
    s32 precision = DefaultPrecision;
    bool hasPrecision = false;
    std::string texts[3];

    PropertyAttributes() = default;
    PropertyAttributes(f32 rangeMin, f32 rangeMax, f32 stepSize)
        : min(rangeMin), max(rangeMax), step(stepSize)
    {
    }
    void SetPrecision(s32 decimals)
    {
        precision = decimals;
        hasPrecision = true;
    }
};
} // namespace Tools
