// The service-hook pattern: a hook answers the default until its owner installs a function,
// and an owner that stops removes only its own function.
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
u32 AnswerSeven(u32)
{
    return 7;
}
u32 AnswerNine(u32)
{
    return 9;
}
std::string NameOf(u32 id)
{
    return "object " + std::to_string(id);
}
bool AlwaysPaused()
{
    return true;
}
} // namespace

TEST(ServiceHook, AnswersTheDefaultUntilInstalledAndAfterRemoval)
{
    ServiceHook<u32(u32)> number;
    ServiceHook<std::string(u32)> name;
    ServiceHook<bool()> flag;
    EXPECT_FALSE(number.IsInstalled());
    EXPECT_EQ(number(3), 0u);
    EXPECT_EQ(name(3), "");
    EXPECT_FALSE(flag());

    number.Install(&AnswerSeven);
    name.Install(&NameOf);
    EXPECT_TRUE(number.IsInstalled());
    EXPECT_EQ(number(3), 7u);
    EXPECT_EQ(name(3), "object 3");

    number.Remove(&AnswerSeven);
    EXPECT_FALSE(number.IsInstalled());
    EXPECT_EQ(number(3), 0u);
}

TEST(ServiceHook, AnOwnerThatStopsLateLeavesItsSuccessorInstalled)
{
    ServiceHook<u32(u32)> number;
    number.Install(&AnswerSeven);
    number.Install(&AnswerNine); // a second owner took over
    number.Remove(&AnswerSeven);
    EXPECT_EQ(number(0), 9u);
    number.Install(nullptr);
    EXPECT_EQ(number(0), 0u);
}

TEST(CoreServices, TheEnginesPauseFlagIsThePauseHook)
{
    Engine engine;
    EXPECT_FALSE(engine.IsPaused());
    Core::Services().isPaused.Install(&AlwaysPaused);
    EXPECT_TRUE(engine.IsPaused());
    Core::Services().isPaused.Remove(&AlwaysPaused);
    EXPECT_FALSE(engine.IsPaused());
}
