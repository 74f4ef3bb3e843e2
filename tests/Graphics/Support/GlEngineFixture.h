#pragma once
// The fixture of the engine tests that draw: the windowing library started, a RecordingEngineTest
// engine (a log the test reads, the message system) with the graphics types registered, the core
// components first when the test asks for them, and the working directory set for the engine's
// life when the test names one. The graphics system itself is added by the test. Without a display
// the test is skipped with the reason (tests/Platform/Support/Display.h); a display on which the
// windowing library does not start fails. These tests carry the CTest label "gl".
#include "Core/CoreRegistration.h"
#include "Core/Objects/GameFactory.h"
#include "Graphics/GraphicsRegistration.h"
#include "Platform/Window.h"
#include "tests/Platform/Support/Display.h"
#include "tests/Support/RecordingEngineTest.h"
#include "tests/Support/TempFiles.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <system_error>

class GlEngineFixture : public RecordingEngineTest
{
protected:
    // The component types registered before the graphics ones.
    enum class Types
    {
        Graphics,
        CoreAndGraphics,
    };

    explicit GlEngineFixture(Types types = Types::Graphics, const char* workingDirectory = nullptr)
        : m_types(types), m_workingDirectory(workingDirectory)
    {
    }

    void SetUp() override
    {
        if (!HasDisplay())
            GTEST_SKIP() << NoDisplayReason;
        ASSERT_TRUE(Platform::InitializeWindowing()) << "the windowing library did not start";
        m_windowing = true;
        if (m_workingDirectory != nullptr)
        {
            m_previous = std::filesystem::current_path();
            std::filesystem::current_path(m_workingDirectory);
        }
        RecordingEngineTest::SetUp();
        if (m_types == Types::CoreAndGraphics)
            Core::RegisterCoreComponents(engine->GetFactory()->GetComponentFactory());
        Graphics::RegisterGraphics(*engine);
    }
    void TearDown() override
    {
        if (!m_windowing)
            return;
        RecordingEngineTest::TearDown();
        folder.reset();
        if (m_workingDirectory != nullptr)
        {
            std::error_code error;
            std::filesystem::current_path(m_previous, error);
        }
        Platform::TerminateWindowing();
    }

    // A scratch folder a test may make (the working directory while it lives); removed after the
    // engine is gone.
    std::unique_ptr<TempFolder> folder;

private:
    Types m_types;
    const char* m_workingDirectory;
    std::filesystem::path m_previous;
    bool m_windowing = false; // the windowing library started: there is something to end
};
