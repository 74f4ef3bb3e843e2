// Covers: LogSystem, ProcessControl.
// The log file under pressure: when its lines reach the disk, repeated error lines, names that
// carry line breaks, a full disk, worker threads writing at once, and fatal and stop signals.
#include "Core/Log.h"
#include "Core/ProcessControl.h"
#include "Core/System/LogSystem.h"
#include "tests/Support/TempFiles.h"
#include <csignal>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

using Core::ProcessControl;
using Core::System::LogSystem;

namespace
{
std::size_t CountLines(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        count += line.find(part) != std::string::npos ? 1 : 0;
    return count;
}

class LogFileTest : public testing::Test
{
protected:
    void TearDown() override { std::remove(path.c_str()); }
    const std::string path = TempPath("quill-durable-%%%%-%%%%.txt");
};
} // namespace

TEST_F(LogFileTest, ErrorLinesReachTheDiskAtOnceOthersWhenTheNextFrameStarts)
{
    LogSystem log(path);
    Core::Log() << "an ordinary line\n";
    Core::Log() << "Error [Test]: a failure\n";
    EXPECT_EQ(ReadFile(path), "an ordinary line\nError [Test]: a failure\n");
    Core::Log() << "after the error\n";
    log.Update(0.0f);
    EXPECT_EQ(ReadFile(path), "an ordinary line\nError [Test]: a failure\nafter the error\n");
}

TEST_F(LogFileTest, RepeatedErrorLinesAreFoldedIntoCounts)
{
    {
        LogSystem log(path);
        for (int frame = 0; frame < 1000; ++frame)
            Core::Log() << "Error report (level 1): Loop.lua: " << std::string("Update fails")
                        << '\n';
        Core::Log() << "Error [Test]: another line\n";
    }
    const std::string text = ReadFile(path);
    EXPECT_EQ(LogSystem::FoldAfter + 1, CountLines(text, "Update fails")) << text;
    EXPECT_EQ(1u, CountLines(text, "another line"));
    EXPECT_NE(text.find("LogSystem: " + std::to_string(1000 - LogSystem::FoldAfter) +
                        " more identical lines suppressed: Error report (level 1): Loop.lua"),
              std::string::npos)
        << text;
}

TEST_F(LogFileTest, ALineBreakInANameCannotStartALine)
{
    {
        LogSystem log(path);
        Core::Log() << "Error [FileReader]: Failed to open file ("
                    << std::string("a\nError [Fake]: forged\r\x1b") << ")\n";
    }
    EXPECT_EQ(ReadFile(path),
              "Error [FileReader]: Failed to open file (a\\nError [Fake]: forged\\r\\x1b)\n");
}

TEST_F(LogFileTest, WorkerThreadsNeverInterleaveInsideALine)
{
    constexpr int Threads = 4;
    constexpr int Lines = 300;
    {
        LogSystem log(path);
        std::vector<std::thread> threads;
        for (int t = 0; t < Threads; ++t)
            threads.emplace_back(
                [t]
                {
                    for (int i = 0; i < Lines; ++i)
                        Core::Log() << "thread " << t << " line " << i << " end\n";
                });
        for (std::thread& thread : threads)
            thread.join();
    }
    std::istringstream lines(ReadFile(path));
    const std::regex whole("thread [0-9]+ line [0-9]+ end");
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_TRUE(std::regex_match(line, whole)) << line;
    EXPECT_EQ(Threads * Lines, count);
}

TEST(LogDurability, AFullDiskIsReportedOnceAndFailsTheRun)
{
    ProcessControl::ResetExitStatus();
    testing::internal::CaptureStderr();
    {
        LogSystem log("/dev/full");
        Core::Log() << "Error [Test]: first\n";
        Core::Log() << "Error [Test]: second\n";
    }
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_EQ(1u, CountLines(error, "writing the log file (/dev/full) failed: No space left"))
        << error;
    EXPECT_EQ(ProcessControl::FailureStatus, ProcessControl::GetExitStatus());
    ProcessControl::ResetExitStatus();
}

TEST_F(LogFileTest, AFatalSignalWritesTheBufferedLinesAndNamesItself)
{
    EXPECT_EXIT(
        {
            ProcessControl::InstallSignalHandlers();
            LogSystem log(path);
            Core::Log() << "buffered before the crash\n";
            std::raise(SIGSEGV);
        },
        testing::ExitedWithCode(ProcessControl::SignalStatusBase + SIGSEGV), "SIGSEGV");
    const std::string text = ReadFile(path);
    EXPECT_EQ(text, "buffered before the crash\nError [Engine]: fatal signal, the process ends: "
                    "SIGSEGV\n");
}

TEST_F(LogFileTest, ASecondStopSignalEndsTheProcessAtOnce)
{
    EXPECT_EXIT(
        {
            ProcessControl::InstallSignalHandlers();
            LogSystem log(path);
            Core::Log() << "still running\n";
            std::raise(SIGTERM);
            if (ProcessControl::IsStopRequested())
                Core::Log() << "asked to stop\n";
            std::raise(SIGTERM);
            std::exit(0);
        },
        testing::ExitedWithCode(ProcessControl::SignalStatusBase + SIGTERM), "");
    EXPECT_EQ(ReadFile(path), "still running\nasked to stop\nEngine: a second stop signal ends "
                              "the process at once: SIGTERM\n");
}
