#pragma once
// The record every part hands to the engine's error sink (Engine::LogError).
#include "Math/Types.h"
#include <string>
#include <utility>

struct ErrorReport
{
    ErrorReport(std::string reportText, s32 reportLevel)
        : text(std::move(reportText)), level(reportLevel)
    {
    }

    std::string text;
    s32 level;
};
