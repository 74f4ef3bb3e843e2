#pragma once
// The program's only log: the first system created and the last destroyed. Every part writes
// through Core::Log() (Core/Log.h), which tests the instance before each item. Outputs: the
// "-out" file, the console ("-console": standard output), and with "-static_console" a
// fixed-layout console redrawn every half second: watched values on top, recent text below.
// Writes are serialised by a mutex, so worker threads may log.
//
// The file: lines collect in a fixed buffer that is written out when a frame starts (Update,
// the first system of every frame), when it fills, at once for a line that begins with "Error",
// and at destruction; so every line is on disk before the next frame begins. The buffer is
// plain memory that WriteFromSignal can write with write(2) alone, so a fatal signal still
// leaves the lines written before it. A write that fails is reported once on standard error,
// sets a failing exit status, and the file takes no more lines.
//
// Identical error lines are folded: the first FoldAfter are written, then at most one line per
// FoldInterval says how many were suppressed.
#include "Core/Memory/RecyclingMap.h"
#include "Core/SystemComponent.h"
#include "Core/TextStream.h"
#include "Platform/Terminal.h"
#include <atomic>
#include <chrono>
#include <cstddef>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

namespace Core
{
namespace System
{
class LogSystem : public SystemComponent
{
public:
    static constexpr f32 RefreshInterval = 0.5f;
    static constexpr s16 DefaultColumns = 100;
    static constexpr s16 DefaultRows = 25;
    // Bytes of log text held before they are written to the file.
    static constexpr std::size_t FileBufferSize = 64 * 1024;
    // Identical error lines written before the rest are folded into counts.
    static constexpr u32 FoldAfter = 5;
    // At most one count of suppressed lines per line text in this time.
    static constexpr std::chrono::milliseconds FoldInterval{1000};
    // Distinct error lines whose repeats are counted; the table starts over beyond this.
    static constexpr std::size_t FoldTableLimit = 512;

    // Without a log file. `terminal` defaults to the process's own terminal.
    explicit LogSystem(std::unique_ptr<Platform::Terminal> terminal = nullptr);
    // With the "-out" file, opened for writing with truncation; when it does not open the log
    // asks for the game's exit.
    explicit LogSystem(const std::string& fileName,
                       std::unique_ptr<Platform::Terminal> terminal = nullptr);
    ~LogSystem() override;

    static LogSystem* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    void Update(f32 seconds) override;
    void Initialize(u32 launchFlags) override;

    // One item per call, formatted as a standard stream would.
    LogSystem& operator<<(char item) { return WriteItem(item); }
    LogSystem& operator<<(const char* item) { return WriteItem(item != nullptr ? item : "(null)"); }
    LogSystem& operator<<(const std::string& item) { return WriteItem(item); }
    LogSystem& operator<<(signed char item) { return WriteItem(static_cast<int>(item)); }
    LogSystem& operator<<(unsigned char item) { return WriteItem(static_cast<unsigned>(item)); }
    LogSystem& operator<<(short item) { return WriteItem(item); }
    LogSystem& operator<<(unsigned short item) { return WriteItem(item); }
    LogSystem& operator<<(int item) { return WriteItem(item); }
    LogSystem& operator<<(unsigned item) { return WriteItem(item); }
    LogSystem& operator<<(long item) { return WriteItem(item); }
    LogSystem& operator<<(unsigned long item) { return WriteItem(item); }
    LogSystem& operator<<(long long item) { return WriteItem(item); }
    LogSystem& operator<<(unsigned long long item) { return WriteItem(item); }
    LogSystem& operator<<(float item) { return WriteItem(item); }
    LogSystem& operator<<(double item) { return WriteItem(item); }
    LogSystem& operator<<(bool item) { return WriteItem(item); }
    // The message-log line: to the file when one is open, to the console only with "-verbose".
    LogSystem& operator<<(const Message& message);

    // A named value shown in the static console's top block.
    void SetWatchedValue(const std::string& name, f32 value);

    bool IsFileOpen() const { return m_fd >= 0; }
    // True once a write to the file has failed (reported on standard error).
    bool HasWriteFailed() const { return m_writeFailed; }
    bool IsConsoleOn() const { return m_consoleOn; }
    bool IsVerbose() const { return m_verbose; }
    // Pending static-console text, oldest first (for inspection).
    std::list<std::string> GetPendingLines() const;

    // Writes any formattable item; used by the operators and by other modules' operators. The
    // item is formatted in the thread's reused stream (Core/TextStream.h).
    template <class T> LogSystem& WriteItem(const T& item)
    {
        Core::ScopedTextStream text;
        text.Stream() << item;
        std::lock_guard<std::mutex> lock(m_mutex);
        AppendLocked(text.Text());
        if (m_consoleOn)
            RouteToConsole(text.Text(), false);
        return *this;
    }

    // The items of one line (or of the rest of one) under one lock, so that lines of several
    // threads never interleave: `line` holds them one after another and `itemEnds` where each
    // ends; the console gets them item by item as before. Folds repeated error lines and writes
    // an error line to the file at once.
    void WriteLine(const std::string& line, const std::vector<std::size_t>& itemEnds);
    // Writes the buffered text to the file.
    void Flush();

    // Writes the buffered text and then `line` to the open log file with write(2) only; for
    // signal handlers. Does nothing without a log.
    static void WriteFromSignal(const char* line, std::size_t length);

    // Replaces every control character of the text (a line break in a file name, say) by its
    // escape ("\n", "\x1b"), so that no logged name can start a line of its own. A final line
    // break is kept when `keepFinalNewline` is set.
    static void EscapeControlCharacters(std::string& text, bool keepFinalNewline);

private:
    struct FoldEntry
    {
        u32 count = 0;
        u32 suppressed = 0;
        std::chrono::steady_clock::time_point lastReport;
    };

    void OpenFile(const std::string& fileName);
    // Appends to the file buffer (the lock is held), writing it out when it fills.
    void AppendLocked(const std::string& text);
    void FlushLocked();
    // Writes the bytes to the file; reports the first failure.
    void WriteToFile(const char* data, std::size_t length);
    // True when the error line is a repeat to suppress; writes the count when one is due.
    bool FoldLocked(const std::string& line);
    // "LogSystem: <count> more identical lines suppressed: <line>" (the lock is held).
    const std::string& CountTextLocked(u32 suppressed, const std::string& line);
    void WriteSuppressedCountsLocked();
    void OpenConsole();
    void RouteToConsole(const std::string& text, bool isMessageLine);
    // Reports the file that could not be opened and asks the game to exit, once per log.
    void RequestExit(const std::string& fileName);
    void Redraw();
    // Drops the oldest pending text until the rest fits in `bodyRows` rows of `width` cells.
    void DropTextThatDoesNotFit(s32 bodyRows, u32 width);

    bool m_staticConsole = false;
    std::map<std::string, f32> m_watchedValues;
    bool m_consoleOn = false;
    s16 m_consoleColumns = DefaultColumns;
    s16 m_consoleRows = DefaultRows;
    std::list<std::string> m_pendingLines;
    bool m_fileOn = true;
    bool m_verbose = false;
    int m_fd = -1;
    bool m_writeFailed = false;
    bool m_exitRequested = false; // the open failure was reported (construction or Initialize)
    std::string m_fileName;
    char m_fileBuffer[FileBufferSize];
    // Read by WriteFromSignal, so kept as an atomic that a handler may read.
    std::atomic<std::size_t> m_bufferedBytes{0};
    // Error lines seen lately. The entries of a cleared table keep their nodes and their lines'
    // storage for the lines to come, so a stream of distinct error lines (one per object made,
    // each naming its id) costs the heap nothing once the table has filled.
    // Its nodes are all made, with room for a line of FoldLineCapacity characters, with the
    // first error line, so that the table does not grow in the frames that follow.
    Core::RecyclingMap<std::string, FoldEntry> m_folds;
    bool m_foldsReserved = false;
    static constexpr std::size_t FoldLineCapacity = 128;
    // The text of the last count of suppressed lines, its storage kept for the next.
    std::string m_countText;

    std::unique_ptr<Platform::Terminal> m_terminal;
    bool m_terminalOpen = false;
    f32 m_refreshAccumulator = 0.0f;
    mutable std::mutex m_mutex;

    static LogSystem* s_instance;
    // The log WriteFromSignal writes: the last one that opened a file.
    static std::atomic<LogSystem*> s_signalLog;
};
} // namespace System
} // namespace Core
