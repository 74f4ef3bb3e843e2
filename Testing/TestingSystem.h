#pragma once
// The testing system: runs the self-tests that the test switches ask for and writes a framed,
// indented report of them to the log. The engine adds it last, only in a test run, and calls
// its RunTests once from its initialisation; its per-frame slots do nothing.
//
// Report form: a header line frames each tested part ("\n####### GameFactory #######\n"), a
// result row follows it ("|+| |-GameFactory" passed, "| |X|-GameFactory" failed). Without
// "-verbose" only the top level (depth -1) is written; with it the game factory's inner rows
// (depths 0 and 1) are added.
#include "Core/SystemComponent.h"
#include <string>

namespace Core
{
namespace System
{
class TestingSystem : public SystemComponent
{
public:
    // The report depth of a top-level header or row; inner rows count up from 0.
    static constexpr int TopLevel = -1;
    // A top-level header centres names of up to this many characters in its frame.
    static constexpr int HeaderWidth = 22;

    TestingSystem();
    ~TestingSystem() override;

    static TestingSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "TestingSystem";
        return name;
    }
    void Update(f32) override {}
    // Keeps the flags: no system bit set means every system is tested; "-verbose" adds the
    // inner rows.
    void Initialize(u32 launchFlags) override;
    // Writes the whole report and answers whether every row passed (the engine turns a failed
    // row into a failing exit status). The depth is not used: the report is always top level.
    bool RunTests(int depth) override;

    void PrintHeader(const std::string& name, int depth) const;
    void PrintResult(const std::string& name, bool passed, int depth) const;
    // Creates components through the game factory and groups a fresh object: every inner row
    // must pass.
    bool TestGameFactory() const;

    bool IsVerbose() const { return m_verbose; }
    bool TestsAllSystems() const { return m_testAllSystems; }

private:
    // Header, RunTests(-1) and result row of one system; false when its test failed.
    bool TestSystem(SystemComponent& system) const;
    bool ShouldPrint(int depth) const { return m_verbose || depth == TopLevel; }

    bool m_verbose;
    bool m_testAllSystems;
    u32 m_flags;

    static TestingSystem* s_instance;
};
} // namespace System
} // namespace Core
