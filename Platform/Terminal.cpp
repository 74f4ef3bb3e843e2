#include "Platform/Terminal.h"
#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace Platform
{
bool AnsiTerminal::StandardOutputIsTerminal()
{
    return isatty(STDOUT_FILENO) == 1;
}

bool AnsiTerminal::Open()
{
    if (!StandardOutputIsTerminal())
        return false;
    // Console output is written as it comes, like an unbuffered console stream.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::fputs("\x1b[2J", stdout);
    return true;
}

void AnsiTerminal::Close()
{
    std::fflush(stdout);
}

bool AnsiTerminal::GetWindowEdges(std::int16_t& lastColumn, std::int16_t& lastRow)
{
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0)
        return false;
    lastColumn = static_cast<std::int16_t>(size.ws_col - 1);
    lastRow = static_cast<std::int16_t>(size.ws_row - 1);
    return true;
}

bool AnsiTerminal::FillSpaces(std::int16_t column, std::int16_t row, std::uint32_t count)
{
    SetCursor(column, row);
    std::string spaces(count, ' ');
    return std::fwrite(spaces.data(), 1, spaces.size(), stdout) == spaces.size();
}

void AnsiTerminal::SetCursor(std::int16_t column, std::int16_t row)
{
    // ANSI positions are 1-based, row first.
    std::fprintf(stdout, "\x1b[%d;%dH", row + 1, column + 1);
}

void AnsiTerminal::Write(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}
} // namespace Platform
