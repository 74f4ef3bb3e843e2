#include "Core/System/LogSystem.h"
#include "Core/LaunchOptions.h"
#include "Core/Log.h"
#include "Core/Messages/Message.h"
#include "Math/Vector4.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <boost/filesystem.hpp>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

using Core::System::LogSystem;

namespace
{
// A character grid standing in for a terminal window.
class FakeTerminal : public Platform::Terminal
{
public:
    FakeTerminal(s16 columns, s16 rows)
        : m_columns(columns), m_rows(rows),
          m_screen(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), '.'))
    {
    }

    bool Open() override { return true; }
    void Close() override {}
    bool GetWindowEdges(s16& lastColumn, s16& lastRow) override
    {
        lastColumn = static_cast<s16>(m_columns - 1);
        lastRow = static_cast<s16>(m_rows - 1);
        return true;
    }
    bool FillSpaces(s16 column, s16 row, u32 count) override
    {
        if (failFills)
            return false;
        SetCursor(column, row);
        for (u32 i = 0; i < count; ++i)
            Put(' ');
        return true;
    }
    void SetCursor(s16 column, s16 row) override
    {
        m_column = column;
        m_row = row;
    }
    void Write(const std::string& text) override
    {
        for (char c : text)
        {
            if (c == '\n')
            {
                m_column = 0;
                ++m_row;
                scrolled = scrolled || m_row >= m_rows;
            }
            else
            {
                Put(c);
            }
        }
    }
    const std::string& Row(int row) const { return m_screen[static_cast<size_t>(row)]; }

    bool failFills = false;
    // Set when text ran past the bottom row: a real terminal would have scrolled.
    bool scrolled = false;

private:
    void Put(char c)
    {
        if (m_row >= 0 && m_row < m_rows && m_column >= 0 && m_column < m_columns)
            m_screen[static_cast<size_t>(m_row)][static_cast<size_t>(m_column)] = c;
        if (++m_column >= m_columns)
        {
            m_column = 0;
            ++m_row;
        }
        scrolled = scrolled || m_row >= m_rows;
    }

    s16 m_columns, m_rows;
    s16 m_column = 0, m_row = 0;
    std::vector<std::string> m_screen;
};

// A message of a type that the message log writes (type 95 is not quiet).
class LoudMessage : public Message
{
public:
    LoudMessage() : Message(7, 95, 0, sizeof(LoudMessage)) {}
    std::string ToString() const override { return "loud"; }
};
} // namespace

TEST(LogSystem, WithoutConsoleOrFileNothingIsVisible)
{
    LogSystem log;
    log.Initialize(0);
    testing::internal::CaptureStdout();
    Core::Log() << "hidden " << 5u << ' ' << 2.5f << '\n';
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(LogSystem, WritesEveryKindToTheFile)
{
    const std::string path = TempPath("quill-log-%%%%%%.txt");
    {
        LogSystem log(path);
        log.Initialize(LaunchOptions::OutFile);
        EXPECT_TRUE(log.IsFileOpen());
        Core::Log() << "text " << std::string("string ") << 'c' << ' ' << 42u << ' ' << -7 << ' '
                    << 1.5 << ' ' << 0.25f << ' ' << static_cast<u64>(1) << 40 << '\n';
    }
    EXPECT_EQ(ReadFile(path), "text string c 42 -7 1.5 0.25 140\n");
    boost::filesystem::remove(path);
}

TEST(LogSystem, AFileThatCannotBeOpenedIsReportedOnce)
{
    testing::internal::CaptureStderr();
    {
        LogSystem log("/no/such/folder/log.txt");
        log.Initialize(LaunchOptions::OutFile);
        EXPECT_FALSE(log.IsFileOpen());
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    const std::string line = "Failed to open log file (/no/such/folder/log.txt)";
    const std::size_t first = errors.find(line);
    ASSERT_NE(first, std::string::npos) << errors;
    EXPECT_EQ(errors.find(line, first + 1), std::string::npos) << errors;
}

TEST(LogSystem, WritesVectorsInTheirStreamForm)
{
    const std::string path = TempPath("quill-vec-%%%%%%.txt");
    std::ostringstream expected;
    const Math::Vector4 vector(1.0f, -2.5f, 3.0f, 0.0f);
    expected << vector << '\n';
    {
        LogSystem log(path);
        log.Initialize(LaunchOptions::OutFile);
        Core::Log() << vector << '\n';
    }
    EXPECT_EQ(ReadFile(path), expected.str());
    EXPECT_NE(expected.str().find("-2.5"), std::string::npos);
    boost::filesystem::remove(path);
}

TEST(LogSystem, ConsoleWritesToStandardOutput)
{
    LogSystem log(std::make_unique<FakeTerminal>(40, 12));
    testing::internal::CaptureStdout();
    log.Initialize(LaunchOptions::Console);
    Core::Log() << "shown " << 3u << '\n';
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("LogSystem Start Time: "), std::string::npos);
    EXPECT_NE(out.find("shown 3\n"), std::string::npos);
}

TEST(LogSystem, StaticConsoleAloneShowsNothing)
{
    auto terminal = std::make_unique<FakeTerminal>(40, 12);
    FakeTerminal* screen = terminal.get();
    LogSystem log(std::move(terminal));
    log.Initialize(LaunchOptions::StaticConsole);
    testing::internal::CaptureStdout();
    Core::Log() << "quiet\n";
    log.Update(1.0f); // no console: nothing is ever drawn
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(log.GetPendingLines().empty());
    EXPECT_EQ(screen->Row(0), std::string(40, '.'));
}

TEST(LogSystem, SmallIntegersAreNumbersAndPointersAreNotText)
{
    const std::string path = TempPath("quill-int-%%%%%%.txt");
    int value = 0;
    const void* address = &value;
    std::ostringstream expected;
    expected << "7 -3 " << address << '\n';
    {
        LogSystem log(path);
        log.Initialize(LaunchOptions::OutFile);
        Core::Log() << static_cast<u08>(7) << ' ' << static_cast<s08>(-3) << ' ' << address << '\n';
    }
    EXPECT_EQ(ReadFile(path), expected.str());
    boost::filesystem::remove(path);
}

TEST(LogSystem, MessagesReachTheConsoleOnlyWhenVerbose)
{
    const std::string path = TempPath("quill-msg-%%%%%%.txt");
    {
        LogSystem log(path, std::make_unique<FakeTerminal>(40, 12));
        testing::internal::CaptureStdout();
        log.Initialize(LaunchOptions::Console | LaunchOptions::OutFile);
        LoudMessage message;
        Core::Log() << message;
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(out.find("loud"), std::string::npos);
    }
    EXPECT_NE(ReadFile(path).find(" Sec :: loud\n"), std::string::npos);

    LogSystem verbose(std::make_unique<FakeTerminal>(40, 12));
    testing::internal::CaptureStdout();
    verbose.Initialize(LaunchOptions::Console | LaunchOptions::Verbose);
    LoudMessage message;
    message.delay = 0.5f;
    Core::Log() << message;
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(" Sec :: loud. Delay: 0.5\n"), std::string::npos);
    boost::filesystem::remove(path);
}

TEST(LogSystem, StaticConsoleLayoutWithoutWatchedValues)
{
    auto terminal = std::make_unique<FakeTerminal>(40, 12);
    FakeTerminal* screen = terminal.get();
    LogSystem log(std::move(terminal));
    log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
    Core::Log() << "first line\n";
    log.Update(0.25f); // below the refresh interval: no redraw yet
    EXPECT_EQ(screen->Row(0), std::string(40, '.'));
    log.Update(0.25f);

    // Columns come from the right edge index (39), rows from the bottom edge index minus one.
    EXPECT_EQ(screen->Row(0)[39 / 2], '|');
    EXPECT_EQ(screen->Row(0).find_first_not_of(' '), static_cast<size_t>(39 / 2));
    EXPECT_EQ(screen->Row(1).substr(0, 39), std::string(39, '_'));
    EXPECT_EQ(screen->Row(2).substr(0, 10), "first line");
}

TEST(LogSystem, StaticConsoleShowsWatchedValuesTwoPerRow)
{
    auto terminal = std::make_unique<FakeTerminal>(40, 12);
    FakeTerminal* screen = terminal.get();
    LogSystem log(std::move(terminal));
    log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
    log.SetWatchedValue("b", 2.0f);
    log.SetWatchedValue("a", 1.5f);
    log.SetWatchedValue("c", 3.0f);
    log.Update(0.5f);
    EXPECT_EQ(screen->Row(0).substr(0, 6), "a: 1.5");
    EXPECT_EQ(screen->Row(0).substr(39 / 2 + 1, 4), "b: 2");
    EXPECT_EQ(screen->Row(1).substr(0, 4), "c: 3");
    EXPECT_EQ(screen->Row(2).substr(0, 39), std::string(39, '_'));
}

TEST(LogSystem, StaticConsoleKeepsOnlyTheLinesThatFit)
{
    auto terminal = std::make_unique<FakeTerminal>(40, 8);
    FakeTerminal* screen = terminal.get();
    LogSystem log(std::move(terminal));
    log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
    for (int i = 0; i < 10; ++i)
        Core::Log() << "line " << i << '\n';
    log.Update(0.5f);
    // rows = 8 - 1 - 1 = 6; the body starts at row 2, so 4 lines fit.
    EXPECT_EQ(screen->Row(2).substr(0, 6), "line 6");
    EXPECT_EQ(screen->Row(5).substr(0, 6), "line 9");
    const auto pending = log.GetPendingLines();
    EXPECT_EQ(pending.front(), "line ");
    EXPECT_EQ(std::count(pending.begin(), pending.end(), "\n"), 4);
}

TEST(LogSystem, StaticConsoleCountsWrappedRowsSoTheHeaderStays)
{
    // Lines wider than the window wrap: each 45-character line takes three rows of 20.
    auto terminal = std::make_unique<FakeTerminal>(20, 8);
    FakeTerminal* screen = terminal.get();
    LogSystem log(std::move(terminal));
    log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
    for (char tag = 'a'; tag <= 'd'; ++tag)
        Core::Log() << std::string(45, tag) << '\n';
    log.Update(0.5f);
    // rows = 8 - 1 - 1 = 6 and the body starts at row 2: four rows hold one wrapped line.
    EXPECT_FALSE(screen->scrolled);
    EXPECT_EQ(screen->Row(1).substr(0, 19), std::string(19, '_'));
    EXPECT_EQ(screen->Row(2), std::string(20, 'd'));
    EXPECT_EQ(screen->Row(4).substr(0, 5), std::string(5, 'd'));
    EXPECT_EQ(log.GetPendingLines().front(), std::string(45, 'd'));
}

TEST(LogSystem, StaticConsoleClearsWholeRows)
{
    // The window is one cell wider than the index of its last column: clearing must reach the
    // last cell of every row, or characters of an earlier redraw stay behind.
    auto terminal = std::make_unique<FakeTerminal>(40, 12);
    FakeTerminal* screen = terminal.get();
    LogSystem log(std::move(terminal));
    log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
    log.Update(0.5f);
    EXPECT_EQ(screen->Row(0), std::string(19, ' ') + "|" + std::string(20, ' '));
    for (int row = 2; row < 10; ++row) // rows = 12 - 1 - 1 = 10; the body is rows 2 to 9
        EXPECT_EQ(screen->Row(row), std::string(40, ' ')) << row;
    EXPECT_FALSE(screen->scrolled);
}

TEST(LogSystem, FailedFillSkipsTheSeparatorOnly)
{
    auto terminal = std::make_unique<FakeTerminal>(40, 12);
    FakeTerminal* screen = terminal.get();
    screen->failFills = true;
    LogSystem log(std::move(terminal));
    log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
    Core::Log() << "still drawn\n";
    log.Update(0.5f);
    EXPECT_EQ(screen->Row(1), std::string(40, '.'));
    EXPECT_EQ(screen->Row(2).substr(0, 11), "still drawn");
}

TEST(LogSystem, NothingIsWrittenAfterDestruction)
{
    {
        LogSystem log;
        EXPECT_EQ(LogSystem::Instance(), &log);
    }
    EXPECT_EQ(LogSystem::Instance(), nullptr);
    testing::internal::CaptureStdout();
    Core::Log() << "gone\n";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}
