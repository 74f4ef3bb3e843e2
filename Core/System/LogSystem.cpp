#include "Core/System/LogSystem.h"
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
#include "Core/Messages/PostNew.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/ProcessControl.h"
#include "Platform/Terminal.h"
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>
#include <vector>

namespace Core
{
namespace System
{
LogSystem* LogSystem::s_instance = nullptr;
std::atomic<LogSystem*> LogSystem::s_signalLog{nullptr};

namespace
{
constexpr const char* ErrorLineStart = "Error";
constexpr mode_t LogFileMode = 0644;
constexpr unsigned char FirstPrintable = 0x20;
constexpr unsigned char Delete = 0x7f;

bool IsErrorLine(const std::string& line)
{
    return line.compare(0, std::strlen(ErrorLineStart), ErrorLineStart) == 0;
}

// write(2) until every byte is out; false with errno set when a write fails.
bool WriteAllBytes(int fd, const char* data, std::size_t length)
{
    while (length > 0)
    {
        const ssize_t written = ::write(fd, data, length);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}
} // namespace

void LogSystem::EscapeControlCharacters(std::string& text, bool keepFinalNewline)
{
    const std::size_t end =
        keepFinalNewline && !text.empty() && text.back() == '\n' ? text.size() - 1 : text.size();
    bool clean = true;
    for (std::size_t i = 0; i < end && clean; ++i)
    {
        const auto c = static_cast<unsigned char>(text[i]);
        clean = c >= FirstPrintable && c != Delete;
    }
    if (clean)
        return;

    static const char HexDigits[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (std::size_t i = 0; i < end; ++i)
    {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= FirstPrintable && c != Delete)
        {
            escaped += static_cast<char>(c);
            continue;
        }
        switch (c)
        {
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\t':
            escaped += "\\t";
            break;
        default:
            escaped += "\\x";
            escaped += HexDigits[c >> 4];
            escaped += HexDigits[c & 0xf];
            break;
        }
    }
    escaped.append(text, end, std::string::npos);
    text.swap(escaped);
}

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
    OpenFile(fileName);
    if (m_fd < 0)
        RequestExit(fileName);
}

void LogSystem::OpenFile(const std::string& fileName)
{
    // Non-blocking only while opening, so that a named pipe without a reader cannot hold the
    // start-up; the writes themselves block as usual.
    m_fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK,
                  LogFileMode);
    if (m_fd < 0)
        return;
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    s_signalLog.store(this);
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
    WriteSuppressedCountsLocked();
    FlushLocked();
    LogSystem* self = this;
    s_signalLog.compare_exchange_strong(self, nullptr);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void LogSystem::AppendLocked(const std::string& text)
{
    if (!m_fileOn || m_fd < 0 || m_writeFailed || text.empty())
        return;
    std::size_t buffered = m_bufferedBytes.load(std::memory_order_relaxed);
    if (buffered + text.size() > FileBufferSize)
    {
        FlushLocked();
        buffered = 0;
    }
    if (text.size() > FileBufferSize)
    {
        WriteToFile(text.data(), text.size());
        return;
    }
    std::memcpy(m_fileBuffer + buffered, text.data(), text.size());
    // Published after the bytes, so a signal handler never writes bytes not yet copied.
    m_bufferedBytes.store(buffered + text.size(), std::memory_order_release);
}

void LogSystem::FlushLocked()
{
    const std::size_t buffered = m_bufferedBytes.load(std::memory_order_acquire);
    if (buffered == 0)
        return;
    WriteToFile(m_fileBuffer, buffered);
    m_bufferedBytes.store(0, std::memory_order_release);
}

void LogSystem::Flush()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    FlushLocked();
}

void LogSystem::WriteToFile(const char* data, std::size_t length)
{
    if (m_fd < 0 || m_writeFailed)
        return;
    if (WriteAllBytes(m_fd, data, length))
        return;
    const int error = errno;
    m_writeFailed = true;
    // The file is what failed, so standard error is the one place left to say so.
    std::cerr << "Error [LogSystem]: writing the log file (" << m_fileName
              << ") failed: " << std::strerror(error) << "; later lines are not written\n";
    ProcessControl::SetExitStatus(ProcessControl::FailureStatus);
}

void LogSystem::WriteFromSignal(const char* line, std::size_t length)
{
    LogSystem* log = s_signalLog.load();
    if (log == nullptr || log->m_fd < 0 || log->m_writeFailed)
        return;
    const std::size_t buffered = log->m_bufferedBytes.load(std::memory_order_acquire);
    if (buffered > 0 && buffered <= FileBufferSize)
        WriteAllBytes(log->m_fd, log->m_fileBuffer, buffered);
    log->m_bufferedBytes.store(0, std::memory_order_release);
    WriteAllBytes(log->m_fd, line, length);
}

const std::string& LogSystem::CountTextLocked(u32 suppressed, const std::string& line)
{
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof(digits), suppressed);
    m_countText.assign("LogSystem: ");
    m_countText.append(digits, written.ptr);
    m_countText.append(" more identical lines suppressed: ");
    m_countText.append(line);
    return m_countText;
}

bool LogSystem::FoldLocked(const std::string& line)
{
    if (!m_foldsReserved)
    {
        m_folds.reserve(FoldTableLimit, [](std::string& key) { key.reserve(FoldLineCapacity); });
        m_foldsReserved = true;
    }
    if (m_folds.size() >= FoldTableLimit && m_folds.find(line) == m_folds.end())
    {
        WriteSuppressedCountsLocked();
        m_folds.clear();
    }
    FoldEntry& entry = m_folds[line];
    const auto now = std::chrono::steady_clock::now();
    if (++entry.count <= FoldAfter)
    {
        entry.lastReport = now;
        return false;
    }
    ++entry.suppressed;
    if (now - entry.lastReport < FoldInterval)
        return true;
    const std::string& text = CountTextLocked(entry.suppressed, line);
    entry.suppressed = 0;
    entry.lastReport = now;
    AppendLocked(text);
    if (m_consoleOn)
        RouteToConsole(text, false);
    return true;
}

void LogSystem::WriteSuppressedCountsLocked()
{
    for (auto& [line, entry] : m_folds)
    {
        if (entry.suppressed == 0)
            continue;
        AppendLocked(CountTextLocked(entry.suppressed, line));
        entry.suppressed = 0;
    }
}

void LogSystem::WriteLine(const std::string& line, const std::vector<std::size_t>& itemEnds)
{
    const bool isError = IsErrorLine(line);

    std::lock_guard<std::mutex> lock(m_mutex);
    if (isError && FoldLocked(line))
        return;
    AppendLocked(line);
    if (isError)
        FlushLocked();
    if (!m_consoleOn)
        return;
    std::size_t start = 0;
    for (std::size_t end : itemEnds)
    {
        RouteToConsole(line.substr(start, end - start), false);
        start = end;
    }
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
        if (m_fd < 0)
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
    // The constructor that opens the file and Initialize with the file flag both check it.
    if (m_exitRequested)
        return;
    m_exitRequested = true;
    // Nothing else may show this line: the file is what failed and the console may be off.
    std::cerr << "Error [LogSystem]: Failed to open log file (" << fileName
              << "); asking the game to exit\n";
    ProcessControl::SetExitStatus(ProcessControl::FailureStatus);
    if (g_Engine != nullptr)
        Core::PostNew<GameStateMessage>("LogSystem", 0.0f, m_id, GSM_EXIT, 0);
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
        toFile = m_fileOn && m_fd >= 0;
        toConsole = m_consoleOn && m_verbose;
    }
    if (!toFile && !toConsole)
        return *this; // the text is not made when no output wants it

    // The line is made once and outside the lock: a message's text looks up objects (and
    // colliders through physics), and whatever those lookups log must not wait on this log.
    // It is made in the thread's reused stream, which a lookup that logs does not share.
    Core::ScopedTextStream line;
    line.Stream() << message;
    const std::string& text = line.Text();

    std::lock_guard<std::mutex> lock(m_mutex);
    if (toFile)
        AppendLocked(text);
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
    // The first system of every frame: the last frame's lines reach the disk before this one
    // runs.
    Flush();
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
