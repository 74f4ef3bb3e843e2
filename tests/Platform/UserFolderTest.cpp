#include "Platform/UserFolder.h"
#include <boost/filesystem.hpp>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
// Restores an environment variable when the test ends.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        if (m_had)
            m_old = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_old;
};
} // namespace

TEST(UserFolder, PrefersXdgDataHome)
{
    const auto root = boost::filesystem::temp_directory_path() /
                      boost::filesystem::unique_path("quill-xdg-%%%%%%");
    ScopedEnv xdg("XDG_DATA_HOME", root.string().c_str());
    EXPECT_EQ(Platform::UserFolderPath(), root.string() + "/Quillmere");
    EXPECT_EQ(Platform::CreateUserFolder(), root.string() + "/Quillmere");
    EXPECT_TRUE(boost::filesystem::is_directory(root / "Quillmere"));
    // Creating it again is harmless.
    EXPECT_EQ(Platform::CreateUserFolder(), root.string() + "/Quillmere");
    boost::filesystem::remove_all(root);
}

TEST(UserFolder, FallsBackToHomeAndToleratesNothing)
{
    ScopedEnv xdg("XDG_DATA_HOME", "");
    {
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(Platform::UserFolderPath(), "/home/player/.local/share/Quillmere");
    }
    ScopedEnv home("HOME", nullptr);
    EXPECT_EQ(Platform::UserFolderPath(), "");
    EXPECT_EQ(Platform::CreateUserFolder(), "");
}

TEST(UserFolder, UnwritableLocationIsIgnored)
{
    ScopedEnv xdg("XDG_DATA_HOME", "/proc/no-such-place");
    EXPECT_NO_THROW(Platform::CreateUserFolder());
}
