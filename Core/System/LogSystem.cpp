#include "Core/System/LogSystem.h"
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Platform/Terminal.h"
#include <iostream>
#include <vector>

namespace Core
{
namespace System
{
LogSystem* LogSystem::s_instance = nullptr;

LogSystem::LogSystem(std::unique_ptr<Platform::Terminal> terminal)
    : m_terminal(terminal ? std::move(terminal) : std::make_unique<Platform::AnsiTerminal>())
{
    m_name = "LogSystem";
    s_instance = this;
}

LogSystem::LogSystem(const std::string& fileName, std::unique_ptr<Platform::Terminal> terminal)
    : LogSystem(std::move(terminal))
{
    m_fileName = fileName;
    m_file.open(fileName, std::ios::out | std::ios::trunc);
    if (!m_file.is_open())
        RequestExit(fileName);
}

LogSystem::~LogSystem()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_consoleOn)
    {
        m_consoleOn = false;
        if (m_terminalOpen)
            m_terminal->Close();
        m_terminalOpen = false;
    }
    std::cout.flush();
    if (s_instance == this)
        s_instance = nullptr;
    if (m_file.is_open())
        m_file.close();
}

void LogSystem::Initialize(u32 launchFlags)
{
    if (launchFlags & LaunchOptions::StaticConsole)
        m_staticConsole = true;
    if (launchFlags & LaunchOptions::Console)
    {
        m_consoleOn = true;
        OpenConsole();
        const f64 startMs = g_Engine != nullptr ? g_Engine->GetTimer().GetTotalMilliseconds() : 0.0;
        std::cout << "LogSystem Start Time: " << startMs << '\n';
        std::cout.flush();
    }
    if (launchFlags & LaunchOptions::OutFile)
    {
        if (!m_file.is_open())
            RequestExit(m_fileName);
        else
            m_fileOn = true;
    }
    if (launchFlags & LaunchOptions::Verbose)
        m_verbose = true;
}

void LogSystem::OpenConsole()
{
    // The process's own terminal is the console. Without one, console output still goes to
    // standard output; only the static console's cursor drawing needs a real terminal.
    m_terminalOpen = m_terminal->Open();
    if (!m_terminalOpen)
        m_staticConsole = false;
}

void LogSystem::RequestExit(const std::string& fileName)
{
    // Nothing else may show this line: the file is what failed and the console may be off.
    std::cerr << "Error [LogSystem]: Failed to open log file (" << fileName
              << "); asking the game to exit\n";
    if (g_Engine != nullptr)
        g_Engine->SendMessage(new GameStateMessage(m_id, GSM_EXIT, 0), 0.0f);
}

void LogSystem::RouteToConsole(const std::string& text, bool isMessageLine)
{
    if (m_staticConsole)
    {
        if (!(isMessageLine && text.empty()))
            m_pendingLines.push_back(text);
        return;
    }
    std::cout << text;
    if (!text.empty() && text.back() == '\n')
        std::cout.flush();
}

LogSystem& LogSystem::operator<<(const Message& message)
{
    // The frequent types (input, transforms, ...) have no log line: leave before any lock.
    if (Message::IsQuietType(message.type))
        return *this;
    bool toFile = false;
    bool toConsole = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        toFile = m_fileOn && m_file.is_open();
        toConsole = m_consoleOn && m_verbose;
    }
    if (!toFile && !toConsole)
        return *this; // the text is not made when no output wants it

    // The line is made once and outside the lock: a message's text looks up objects (and
    // colliders through physics), and whatever those lookups log must not wait on this log.
    std::ostringstream line;
    line << message;
    const std::string text = line.str();

    std::lock_guard<std::mutex> lock(m_mutex);
    if (toFile && m_file.is_open())
        m_file << text;
    if (toConsole)
        RouteToConsole(text, true);
    return *this;
}

void LogSystem::SetWatchedValue(const std::string& name, f32 value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_watchedValues[name] = value;
}

std::list<std::string> LogSystem::GetPendingLines() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pendingLines;
}

void LogSystem::Update(f32 seconds)
{
    m_refreshAccumulator += seconds;
    // The static console draws only on an open console ("-static_console" needs "-console").
    if (m_refreshAccumulator < RefreshInterval || !m_staticConsole || !m_consoleOn)
        return;
    m_refreshAccumulator = 0.0f;
    std::lock_guard<std::mutex> lock(m_mutex);
    Redraw();
}

void LogSystem::Redraw()
{
    s16 lastColumn = 0;
    s16 lastRow = 0;
    if (m_terminal->GetWindowEdges(lastColumn, lastRow))
    {
        m_consoleColumns = lastColumn;
        m_consoleRows = static_cast<s16>(lastRow - 1);
    }
    const s16 columns = m_consoleColumns;
    const s16 rows = m_consoleRows;
    if (columns <= 0 || rows <= 0)
        return;
    // `columns` is the index of the last column: the window is one cell wider. Clearing fills
    // whole rows, so no character of an earlier redraw stays behind at a row's end.
    const u32 width = static_cast<u32>(columns) + 1;

    // Header: watched values two to a row, a divider down the middle, a separator below.
    const s16 watched = static_cast<s16>(m_watchedValues.size());
    const s16 headerRows = static_cast<s16>(watched / 2 + 1);
    if (m_terminal->FillSpaces(0, 0, static_cast<u32>(headerRows) * width))
    {
        m_terminal->SetCursor(0, headerRows);
        m_terminal->Write(std::string(static_cast<size_t>(columns), '_'));
        for (s16 row = 0; row < headerRows; ++row)
        {
            m_terminal->SetCursor(static_cast<s16>(columns / 2), row);
            m_terminal->Write("|");
        }
        m_terminal->SetCursor(0, static_cast<s16>(rows - 1));
    }
    s16 index = 0;
    for (const auto& [name, value] : m_watchedValues)
    {
        const s16 row = static_cast<s16>(index / 2);
        const s16 column = (index % 2 == 0) ? 0 : static_cast<s16>(columns / 2 + 1);
        std::ostringstream text;
        text << name << ": " << value;
        m_terminal->SetCursor(column, row);
        m_terminal->Write(text.str());
        ++index;
    }
    m_terminal->SetCursor(0, static_cast<s16>(rows - 1));

    // Body: the most recent text that fits below the separator.
    const s16 bodyTop = static_cast<s16>(watched / 2 + 2);
    const s32 bodyRows = rows - bodyTop;
    if (bodyRows > 0)
        m_terminal->FillSpaces(0, bodyTop, static_cast<u32>(bodyRows) * width);
    DropTextThatDoesNotFit(bodyRows, width);
    m_terminal->SetCursor(0, bodyTop);
    for (const std::string& entry : m_pendingLines)
        m_terminal->Write(entry);
}

void LogSystem::DropTextThatDoesNotFit(s32 bodyRows, u32 width)
{
    // Counts the rows the text moves the cursor down: a newline ends a row, and so does a row
    // filled to the window's width, since long lines wrap. Counting newlines alone would let
    // wrapped lines scroll the header off the screen. Text is dropped only in whole entries
    // that begin a row, so what stays is drawn exactly as counted.
    struct RowStart
    {
        std::size_t entries; // entries before this point
        s32 rowsBefore;      // rows advanced before this point
    };
    std::vector<RowStart> rowStarts;
    s32 rowsAdvanced = 0;
    u32 column = 0;
    std::size_t entries = 0;
    for (const std::string& entry : m_pendingLines)
    {
        if (column == 0)
            rowStarts.push_back({entries, rowsAdvanced});
        for (char c : entry)
        {
            if (c == '\n' || ++column >= width)
            {
                ++rowsAdvanced;
                column = 0;
            }
        }
        ++entries;
    }
    if (column == 0)
        rowStarts.push_back({entries, rowsAdvanced});

    // The earliest row start from which the rest fits. A line taller than the whole body is
    // dropped with everything before it; when nothing fits, the latest row start is taken.
    std::size_t drop = rowStarts.empty() ? 0 : rowStarts.back().entries;
    for (const RowStart& start : rowStarts)
    {
        if (rowsAdvanced - start.rowsBefore <= bodyRows)
        {
            drop = start.entries;
            break;
        }
    }
    for (std::size_t i = 0; i < drop; ++i)
        m_pendingLines.pop_front();
}
} // namespace System
} // namespace Core
