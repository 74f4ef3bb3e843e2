#pragma once
// A terminal that is always there and shows nothing, for tests that read what the log writes:
// a static console on it is never redrawn, so every item stays in the log's pending text, and
// standard output stays free for the test framework's own reports.
#include "Platform/Terminal.h"
#include <string>

class SilentTerminal : public Platform::Terminal
{
public:
    // The window's size as GetWindowEdges reports it (indices of the last column and row); an
    // 80 by 25 window unless told otherwise.
    explicit SilentTerminal(s16 lastColumn = 79, s16 lastRow = 24)
        : m_lastColumn(lastColumn), m_lastRow(lastRow)
    {
    }

    bool Open() override { return true; }
    void Close() override {}
    bool GetWindowEdges(s16& lastColumn, s16& lastRow) override
    {
        lastColumn = m_lastColumn;
        lastRow = m_lastRow;
        return true;
    }
    bool FillSpaces(s16, s16, u32) override { return true; }
    void SetCursor(s16, s16) override {}
    void Write(const std::string&) override {}

private:
    s16 m_lastColumn;
    s16 m_lastRow;
};
