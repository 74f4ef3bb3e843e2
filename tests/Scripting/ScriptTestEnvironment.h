#pragma once
// What the script component and Lua system tests stand on: an engine (allocator and error
// sink), a log whose text the test can read, the Lua system, and a scratch folder that holds an
// "assets/Scripts/" tree and is the working directory while the test runs, so that scripts
// written by the test load as the engine loads shipped ones.
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
#include "Core/System/LogSystem.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include "tests/Platform/Support/SilentTerminal.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// An engine, a log the test can read, and the Lua system.
class ScriptEngineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        log.Initialize(LaunchOptions::Console | LaunchOptions::StaticConsole);
        MarkLog();
    }

    // Everything logged since the last mark.
    std::string LogText() const
    {
        std::string text;
        std::size_t line = 0;
        for (const std::string& item : log.GetPendingLines())
        {
            if (line++ >= m_mark)
                text += item;
        }
        return text;
    }
    void MarkLog() { m_mark = log.GetPendingLines().size(); }
    bool LogHas(const std::string& text) const { return LogText().find(text) != std::string::npos; }
    std::size_t LogCount(const std::string& text) const
    {
        const std::string all = LogText();
        std::size_t count = 0;
        for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
            ++count;
        return count;
    }

    Engine engine;
    // A 100-column window.
    Core::System::LogSystem log{std::make_unique<SilentTerminal>(99)};
    Scripting::System::LuaSystem lua;

private:
    std::size_t m_mark = 0;
};

// A scratch folder with an "assets/Scripts/" tree that is the working directory while it
// lives, so that scripts written by a test load as the engine loads shipped ones.
class ScratchScriptFolder
{
public:
    ScratchScriptFolder() : m_previousDirectory(std::filesystem::current_path())
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quill-scripts-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        m_root = pattern;
        std::filesystem::create_directories(m_root / "assets" / "Scripts");
        std::filesystem::current_path(m_root);
    }
    ~ScratchScriptFolder()
    {
        std::filesystem::current_path(m_previousDirectory);
        if (!m_root.empty())
            std::filesystem::remove_all(m_root);
    }
    ScratchScriptFolder(const ScratchScriptFolder&) = delete;
    ScratchScriptFolder& operator=(const ScratchScriptFolder&) = delete;

    bool IsReady() const { return !m_root.empty(); }

    // Writes a script below assets/Scripts/.
    void Write(const std::string& fileName, const std::string& text) const
    {
        const std::filesystem::path path = m_root / "assets" / "Scripts" / fileName;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

private:
    std::filesystem::path m_previousDirectory;
    std::filesystem::path m_root;
};

// The engine test with a scratch "assets/Scripts/" tree as the working directory.
class ScriptTest : public ScriptEngineTest
{
protected:
    void SetUp() override
    {
        ScriptEngineTest::SetUp();
        m_folder = std::make_unique<ScratchScriptFolder>();
        ASSERT_TRUE(m_folder->IsReady());
    }

    void TearDown() override { m_folder.reset(); }

    void WriteScript(const std::string& fileName, const std::string& text)
    {
        m_folder->Write(fileName, text);
    }

    // A component created as every owner creates one, with the file written and loaded.
    Scripting::LuaComponent* LoadScript(const std::string& fileName, const std::string& text)
    {
        WriteScript(fileName, text);
        Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
        EXPECT_TRUE(script->Load(fileName)) << LogText();
        return script;
    }

private:
    std::unique_ptr<ScratchScriptFolder> m_folder;
};
