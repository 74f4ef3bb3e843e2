#pragma once
// Collects what the log writes while it lives. The log runs as a static console on a terminal
// that draws nothing and is never redrawn, so every item stays in its pending text, and
// standard output stays free for the test framework's own reports.
#include "Core/LaunchOptions.h"
#include "Core/System/LogSystem.h"
#include "Platform/Terminal.h"
#include <memory>
#include <sstream>
#include <string>

class LogCapture
{
public:
    LogCapture() : m_log(std::make_unique<QuietTerminal>())
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
    class QuietTerminal : public Platform::Terminal
    {
    public:
        bool Open() override { return true; }
        void Close() override {}
        bool GetWindowEdges(s16& lastColumn, s16& lastRow) override
        {
            lastColumn = 79;
            lastRow = 24;
            return true;
        }
        bool FillSpaces(s16, s16, u32) override { return true; }
        void SetCursor(s16, s16) override {}
        void Write(const std::string&) override {}
    };

    Core::System::LogSystem m_log;
};
