#include "Core/LaunchOptions.h"
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace
{
LaunchOptions Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "quillmere");
    LaunchOptions options;
    options.Parse(static_cast<int>(args.size()), args.data());
    return options;
}
} // namespace

TEST(LaunchOptions, DefaultsWithoutArguments)
{
    const LaunchOptions options = Parse({});
    EXPECT_EQ(options.GetFlags(), 0u);
    const unsigned hardware = std::thread::hardware_concurrency();
    EXPECT_EQ(options.GetThreadCount(), hardware > 0 ? static_cast<s32>(hardware) - 1 : 0);
    EXPECT_TRUE(options.GetOutputFile().empty());
}

TEST(LaunchOptions, ProgramNameIsNeverASwitch)
{
    const char* args[] = {"-console"};
    LaunchOptions options;
    options.Parse(1, args);
    EXPECT_EQ(options.GetFlags(), 0u);
}

TEST(LaunchOptions, EverySwitchSetsItsBits)
{
    const struct
    {
        const char* text;
        u32 bits;
    } cases[] = {
        {"-console", 0x1},
        {"-no_vis", 0x2},
        {"-server", 0x4},
        {"-test", 0x20},
        {"-test_run", 0x40},
        {"-test_graphics", 0x2040},
        {"-test_physics", 0xC0},
        {"-rk4", 0x100000},
        {"-verlet", 0x200000},
        {"-euler", 0x400000},
        {"-test_ai", 0x140},
        {"-test_scripting", 0x240},
        {"-test_network", 0x440},
        {"-test_messaging", 0x840},
        {"-test_threading", 0x1040},
        {"-verbose", 0x4000},
        {"-static_console", 0x8000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse({c.text}).GetFlags(), c.bits) << c.text;
}

TEST(LaunchOptions, MatchesWholeStringsWithExactCase)
{
    EXPECT_EQ(Parse({"-Console"}).GetFlags(), 0u);
    EXPECT_EQ(Parse({"-consoleX"}).GetFlags(), 0u);
    EXPECT_EQ(Parse({"-consol"}).GetFlags(), 0u);
    EXPECT_EQ(Parse({"console", "", "-"}).GetFlags(), 0u);
}

TEST(LaunchOptions, OutTakesTheNextArgument)
{
    LaunchOptions dash = Parse({"-out", "-"});
    EXPECT_EQ(dash.GetOutputFile(), "outfile.txt");
    EXPECT_EQ(dash.GetFlags(), 0x8u);

    // The value is consumed: "-console" after "-out" is a file name that looks like a switch.
    LaunchOptions swallowed = Parse({"-out", "-console"});
    EXPECT_EQ(swallowed.GetOutputFile(), "outfile.txt");
    EXPECT_EQ(swallowed.GetFlags(), 0x8u);

    LaunchOptions plain = Parse({"-out", "log.txt", "-console"});
    EXPECT_EQ(plain.GetOutputFile(), "log.txt");
    EXPECT_EQ(plain.GetFlags(), 0x9u);

    // The last value wins.
    EXPECT_EQ(Parse({"-out", "a.txt", "-out", "b.txt"}).GetOutputFile(), "b.txt");
}

TEST(LaunchOptions, ValueSwitchGivenLastIsIgnored)
{
    LaunchOptions out = Parse({"-console", "-out"});
    EXPECT_EQ(out.GetFlags(), 0x1u);
    EXPECT_TRUE(out.GetOutputFile().empty());

    const LaunchOptions defaults;
    LaunchOptions threads = Parse({"-threads"});
    EXPECT_EQ(threads.GetFlags(), 0u);
    EXPECT_EQ(threads.GetThreadCount(), defaults.GetThreadCount());
}

TEST(LaunchOptions, ThreadsReadsLikeAtoi)
{
    EXPECT_EQ(Parse({"-threads", "0"}).GetThreadCount(), 0);
    EXPECT_EQ(Parse({"-threads", "-2"}).GetThreadCount(), -2);
    EXPECT_EQ(Parse({"-threads", "7cores"}).GetThreadCount(), 7);
    EXPECT_EQ(Parse({"-threads", "many"}).GetThreadCount(), 0);
    EXPECT_EQ(Parse({"-threads", "3"}).GetFlags(), 0x10u);
    EXPECT_EQ(Parse({"-threads", "2", "-threads", "5"}).GetThreadCount(), 5);
}

TEST(LaunchOptions, TestSwitchesCombine)
{
    // A narrower test switch is a test run that goes on to play; with "-test" it stops.
    EXPECT_EQ(Parse({"-test_physics"}).GetFlags() & 0x40u, 0x40u);
    EXPECT_EQ(Parse({"-test", "-test_physics"}).GetFlags(), 0xE0u);
    EXPECT_EQ(Parse({"-console", "-console"}).GetFlags(), 0x1u);
}

TEST(LaunchOptions, SetOutputFile)
{
    LaunchOptions options;
    options.SetOutputFile("");
    EXPECT_EQ(options.GetOutputFile(), "");
    options.SetOutputFile("-x");
    EXPECT_EQ(options.GetOutputFile(), "outfile.txt");
    options.SetOutputFile("game.log");
    EXPECT_EQ(options.GetOutputFile(), "game.log");
}

TEST(LaunchOptionsProblems, ValueSwitchesWithoutTheirValueAreNamed)
{
    const char* argv[] = {"quillmere", "-threads", "99999999999999", "-out"};
    LaunchOptions options;
    options.Parse(4, argv);
    EXPECT_EQ(2147483647, options.GetThreadCount());
    ASSERT_EQ(1u, options.GetProblems().size());
    EXPECT_EQ("-out needs a file name; the log is not written to a file", options.GetProblems()[0]);
}
