#pragma once
// The process's own terminal, standing in for a console window. The log's static console draws
// through this interface with cell fills and cursor placement; AnsiTerminal does it with ANSI
// escape sequences on standard output, tests substitute a fake screen.
#include <cstdint>
#include <string>

namespace Platform
{
class Terminal
{
public:
    virtual ~Terminal() = default;

    // Makes the terminal the log's console output; false when there is no terminal to use.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Index of the window's last column and last row.
    virtual bool GetWindowEdges(std::int16_t& lastColumn, std::int16_t& lastRow) = 0;
    // Fills `count` cells with spaces, starting at (column, row) and wrapping at the row's end.
    virtual bool FillSpaces(std::int16_t column, std::int16_t row, std::uint32_t count) = 0;
    virtual void SetCursor(std::int16_t column, std::int16_t row) = 0;
    virtual void Write(const std::string& text) = 0;
};

// ANSI terminal on standard output; usable only when standard output is a terminal.
class AnsiTerminal : public Terminal
{
public:
    static bool StandardOutputIsTerminal();

    bool Open() override;
    void Close() override;
    bool GetWindowEdges(std::int16_t& lastColumn, std::int16_t& lastRow) override;
    bool FillSpaces(std::int16_t column, std::int16_t row, std::uint32_t count) override;
    void SetCursor(std::int16_t column, std::int16_t row) override;
    void Write(const std::string& text) override;
};
} // namespace Platform
