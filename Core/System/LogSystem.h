#pragma once
// The program's only log: the first system created and the last destroyed. Every part writes
// through Core::Log() (Core/Log.h), which tests the instance before each item. Outputs: the
// "-out" file, the console ("-console": standard output), and with "-static_console" a
// fixed-layout console redrawn every half second: watched values on top, recent text below.
// Writes are serialised by a mutex, so worker threads may log.
#include "Core/SystemComponent.h"
#include "Platform/Terminal.h"
#include <fstream>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>

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

    // Without a log file. `terminal` defaults to the process's own terminal.
    explicit LogSystem(std::unique_ptr<Platform::Terminal> terminal = nullptr);
    // With the "-out" file, opened for writing with truncation; when it does not open the log
    // asks for the game's exit.
    explicit LogSystem(const std::string& fileName,
                       std::unique_ptr<Platform::Terminal> terminal = nullptr);
    ~LogSystem() override;

    static LogSystem* Instance() { return s_instance; }

    std::string GetName() const override { return m_name; }
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

    bool IsFileOpen() const { return m_file.is_open(); }
    bool IsConsoleOn() const { return m_consoleOn; }
    bool IsVerbose() const { return m_verbose; }
    // Pending static-console text, oldest first (for inspection).
    std::list<std::string> GetPendingLines() const;

    // Writes any formattable item; used by the operators and by other modules' operators.
    template <class T> LogSystem& WriteItem(const T& item)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_fileOn && m_file.is_open())
            m_file << item;
        if (!m_consoleOn)
            return *this;
        std::ostringstream text;
        text << item;
        RouteToConsole(text.str(), false);
        return *this;
    }

private:
    void OpenConsole();
    void RouteToConsole(const std::string& text, bool isMessageLine);
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
    std::ofstream m_file;
    std::string m_fileName;

    std::unique_ptr<Platform::Terminal> m_terminal;
    bool m_terminalOpen = false;
    f32 m_refreshAccumulator = 0.0f;
    mutable std::mutex m_mutex;

    static LogSystem* s_instance;
};
} // namespace System
} // namespace Core
