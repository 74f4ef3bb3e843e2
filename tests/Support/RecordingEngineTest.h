#pragma once
// The fixture under the thread-pool and asset-loader tests: a log the test can read, an engine
// (the global one while the test runs) and its first two systems, a RecordingSystem and the
// message system. Fixtures on it add their own systems after calling SetUp.
#include "Core/Engine.h"
#include "Core/System/MessageSystem.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/RecordingSystem.h"
#include <gtest/gtest.h>
#include <memory>

class RecordingEngineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        log = std::make_unique<LogCapture>();
        engine = new Engine();
        g_Engine = engine;
        SystemFactory& factory = engine->GetSystemFactory();
        factory.Register<Core::System::MessageSystem>("MessagingSystem");
        factory.Register(
            "RecordingSystem",
            [](const LaunchOptions&) -> SystemComponent* { return new RecordingSystem(); },
            []() -> SystemComponent* { return nullptr; });
        // The first system is destroyed last, after the allocator (the log's place in the
        // game), so it must not be the message system, whose queue returns memory.
        recorder = static_cast<RecordingSystem*>(engine->AddSystem("RecordingSystem"));
        messages = static_cast<Core::System::MessageSystem*>(engine->AddSystem("MessagingSystem"));
    }
    void TearDown() override
    {
        delete engine;
        g_Engine = nullptr;
        log.reset();
    }

    std::unique_ptr<LogCapture> log;
    Engine* engine = nullptr;
    Core::System::MessageSystem* messages = nullptr;
    RecordingSystem* recorder = nullptr;
};
