#include "Core/LaunchOptions.h"
#include <climits>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace
{
struct Switch
{
    const char* text;
    u32 bits;
};

// Tested in this order; the first exact match wins. "-out" and "-threads" take a value.
const Switch Switches[] = {
    {"-console", LaunchOptions::Console},
    {"-no_vis", LaunchOptions::NoVis},
    {"-server", LaunchOptions::Server},
    {"-out", LaunchOptions::OutFile},
    {"-threads", LaunchOptions::Threads},
    {"-test", LaunchOptions::Test},
    {"-test_run", LaunchOptions::TestRun},
    {"-test_graphics", LaunchOptions::TestGraphics},
    {"-test_physics", LaunchOptions::TestPhysics},
    {"-rk4", LaunchOptions::IntegratorRK4},
    {"-verlet", LaunchOptions::IntegratorVerlet},
    {"-euler", LaunchOptions::IntegratorEuler},
    {"-test_ai", LaunchOptions::TestAI},
    {"-test_scripting", LaunchOptions::TestScripting},
    {"-test_network", LaunchOptions::TestNetwork},
    {"-test_messaging", LaunchOptions::TestMessaging},
    {"-test_threading", LaunchOptions::TestThreading},
    {"-verbose", LaunchOptions::Verbose},
    {"-static_console", LaunchOptions::StaticConsole},
};

// The number at the start of the text as atoi reads it, but clamped to the s32 range instead
// of undefined beyond it; no number reads 0.
s32 ReadCount(const char* text)
{
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<s32>(value);
}

s32 DefaultThreadCount()
{
    // hardware_concurrency may answer 0 when it cannot tell; treat that as one thread.
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware > 0 ? static_cast<s32>(hardware) - 1 : 0;
}
} // namespace

LaunchOptions::LaunchOptions() : m_flags(0), m_threadCount(DefaultThreadCount()) {}

void LaunchOptions::SetOutputFile(const std::string& text)
{
    m_outputFile = (!text.empty() && text[0] == '-') ? std::string(DefaultOutputFile) : text;
}

void LaunchOptions::Parse(int argc, const char* const* argv)
{
    if (argc < 2 || argv == nullptr)
        return;

    for (int i = 1; i < argc; ++i)
    {
        const char* argument = argv[i];
        if (argument == nullptr)
            continue;
        for (const Switch& option : Switches)
        {
            if (std::strcmp(argument, option.text) != 0)
                continue;
            if (option.bits == OutFile || option.bits == Threads)
            {
                // A value switch given last has nothing to take: it is ignored, with a word.
                if (i + 1 >= argc || argv[i + 1] == nullptr)
                {
                    m_problems.push_back(
                        std::string(option.text) +
                        (option.bits == OutFile
                             ? " needs a file name; the log is not written to a file"
                             : " needs a number; the default thread count is kept"));
                    break;
                }
                const char* value = argv[++i];
                if (option.bits == OutFile)
                    SetOutputFile(value);
                else
                    m_threadCount = ReadCount(value);
            }
            m_flags |= option.bits;
            break;
        }
    }
}
