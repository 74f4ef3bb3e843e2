#pragma once
// What the command line asks for: a flag word of switch bits, the worker-thread count and the
// log-file name. Filled once before any system exists; every system's Initialize gets the flags.
#include "Math/Types.h"
#include <string>
#include <vector>

class LaunchOptions
{
public:
    // Switch bits of the flag word.
    enum Flag : u32
    {
        Console = 0x1,
        NoVis = 0x2,
        Server = 0x4,
        OutFile = 0x8,
        Threads = 0x10,
        Test = 0x20,
        TestRun = 0x40,
        TestPhysics = 0xC0,
        TestAI = 0x140,
        TestScripting = 0x240,
        TestNetwork = 0x440,
        TestMessaging = 0x840,
        TestThreading = 0x1040,
        TestGraphics = 0x2040,
        TestSelectionMask = 0x3F80, // which systems a test run examines; none set means all
        Verbose = 0x4000,
        StaticConsole = 0x8000,
        IntegratorRK4 = 0x100000,
        IntegratorVerlet = 0x200000,
        IntegratorEuler = 0x400000,
    };

    // The log-file name used when "-out" is followed by something that looks like a switch.
    static constexpr const char* DefaultOutputFile = "outfile.txt";

    LaunchOptions();

    void Parse(int argc, const char* const* argv);
    void SetOutputFile(const std::string& text);

    u32 GetFlags() const { return m_flags; }
    // Kept as parsed (may be negative); users treat a negative count as 0.
    s32 GetThreadCount() const { return m_threadCount; }
    const std::string& GetOutputFile() const { return m_outputFile; }
    // What Parse could not take, one sentence each ("-out" without its file name, say); the
    // engine writes them to standard error and to the log.
    const std::vector<std::string>& GetProblems() const { return m_problems; }

private:
    u32 m_flags;
    s32 m_threadCount;
    std::string m_outputFile;
    std::vector<std::string> m_problems;
};
