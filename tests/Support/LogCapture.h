#pragma once
// Collects what the log writes while it lives: the log runs as a static console on a
// SilentTerminal, so every item stays in its pending text.
#include "Core/LaunchOptions.h"
#include "Core/System/LogSystem.h"
#include "tests/Platform/Support/SilentTerminal.h"
#include <memory>
#include <sstream>
#include <string>

class LogCapture
{
public:
    LogCapture() : m_log(std::make_unique<SilentTerminal>())
    {
        m_log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
    }

    // Everything written so far.
    std::string Text() const
    {
        std::string text;
        for (const std::string& item : m_log.GetPendingLines())
            text += item;
        return text;
    }
    bool Contains(const std::string& part) const { return Text().find(part) != std::string::npos; }
    // The number of lines that hold `part`.
    std::size_t Count(const std::string& part) const
    {
        std::size_t count = 0;
        std::istringstream lines(Text());
        for (std::string line; std::getline(lines, line);)
            count += line.find(part) != std::string::npos ? 1 : 0;
        return count;
    }

private:
    Core::System::LogSystem m_log;
};
