#include "Core/SystemFactory.h"
#include "Core/CoreRegistration.h"
#include "Core/LaunchOptions.h"
#include "Core/System/LogSystem.h"
#include "Core/SystemComponent.h"
#include "tests/Support/TempFiles.h"
#include <boost/filesystem.hpp>
#include <gtest/gtest.h>
#include <memory>

namespace
{
class CountingSystem : public SystemComponent
{
public:
    CountingSystem()
    {
        m_name = "CameraSystem";
        s_instance = this;
    }
    ~CountingSystem() override { s_instance = nullptr; }
    static SystemComponent* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    void Initialize(u32 flags) override
    {
        ++initializeCalls;
        lastFlags = flags;
    }
    void HandleMessage(Message*) override {}
    void Register(GameObjectComponent*) override {}
    void Unregister(GameObjectComponent*) override {}
    bool RunTests(int) override { return true; }

    int initializeCalls = 0;
    u32 lastFlags = 0;
    static CountingSystem* s_instance;
};
CountingSystem* CountingSystem::s_instance = nullptr;
} // namespace

TEST(SystemFactory, SameSystemTwiceInitialisedOnce)
{
    SystemFactory factory;
    factory.Register<CountingSystem>("CameraSystem");
    LaunchOptions options;
    const char* args[] = {"game", "-console", "-verbose"};
    options.Parse(3, args);

    std::unique_ptr<SystemComponent> first(factory.CreateSystem(options, "CameraSystem"));
    ASSERT_NE(first, nullptr);
    SystemComponent* second = factory.CreateSystem(options, "CameraSystem");
    EXPECT_EQ(first.get(), second);
    auto* camera = static_cast<CountingSystem*>(first.get());
    EXPECT_EQ(camera->initializeCalls, 1);
    EXPECT_EQ(camera->lastFlags, 0x4001u);
    EXPECT_EQ(CountingSystem::Instance(), first.get());
}

TEST(SystemFactory, UnknownPrefixAndCaseVariantNamesGiveNull)
{
    SystemFactory factory;
    factory.Register<CountingSystem>("CameraSystem");
    LaunchOptions options;
    EXPECT_EQ(factory.CreateSystem(options, "Camera"), nullptr);
    EXPECT_EQ(factory.CreateSystem(options, "camerasystem"), nullptr);
    EXPECT_EQ(factory.CreateSystem(options, "CameraSystem "), nullptr);
    EXPECT_EQ(factory.CreateSystem(options, ""), nullptr);
    EXPECT_EQ(CountingSystem::Instance(), nullptr);
}

TEST(SystemFactory, LogSystemOpensTheOutputFileOnlyWithTheOutSwitch)
{
    SystemFactory factory;
    Core::RegisterCoreSystems(factory);
    const std::string path = TempPath("quill-%%%%%%");

    // The name field alone (no "-out" bit) opens nothing.
    LaunchOptions named;
    named.SetOutputFile(path);
    {
        std::unique_ptr<SystemComponent> log(factory.CreateSystem(named, "LogSystem"));
        ASSERT_NE(log, nullptr);
        EXPECT_FALSE(static_cast<Core::System::LogSystem*>(log.get())->IsFileOpen());
    }
    EXPECT_FALSE(boost::filesystem::exists(path));

    LaunchOptions out;
    const char* args[] = {"game", "-out", path.c_str()};
    out.Parse(3, args);
    {
        std::unique_ptr<SystemComponent> log(factory.CreateSystem(out, "LogSystem"));
        ASSERT_NE(log, nullptr);
        EXPECT_TRUE(static_cast<Core::System::LogSystem*>(log.get())->IsFileOpen());
        EXPECT_EQ(Core::System::LogSystem::Instance(), log.get());
    }
    EXPECT_TRUE(boost::filesystem::exists(path));
    boost::filesystem::remove(path);
}
