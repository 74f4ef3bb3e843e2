// Whole-file writes through a temporary: a good write replaces the file, one that runs out of
// room (a file size limit, a full tmpfs) leaves the earlier file as it was and nothing beside it.
#include "Platform/AtomicFile.h"
#include "tests/Platform/Support/FileSizeLimit.h"
#include <algorithm>
#include <boost/filesystem.hpp>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = boost::filesystem;

namespace
{
class AtomicFileTest : public testing::Test
{
protected:
    AtomicFileTest() : folder(fs::temp_directory_path() / fs::unique_path("quill-atomic-%%%%-%%%%"))
    {
        fs::create_directories(folder);
    }
    ~AtomicFileTest() override
    {
        boost::system::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Put(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    // The names in a folder, hidden ones included.
    static std::vector<std::string> Names(const fs::path& where)
    {
        std::vector<std::string> names;
        for (fs::directory_iterator entry(where), end; entry != end; ++entry)
            names.push_back(entry->path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const fs::path folder;
};

const std::string Earlier = "<Earlier>kept</Earlier>\n";
} // namespace

TEST_F(AtomicFileTest, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions)
{
    std::string reason;
    ASSERT_TRUE(Platform::WriteFileAtomically(Path("New.xml"), "fresh", reason)) << reason;
    EXPECT_EQ(Read(Path("New.xml")), "fresh");

    Put(Path("Old.xml"), Earlier);
    ASSERT_EQ(::chmod(Path("Old.xml").c_str(), 0640), 0);
    const std::string longer(100000, 'x');
    ASSERT_TRUE(Platform::WriteFileAtomically(Path("Old.xml"), longer, reason)) << reason;
    EXPECT_EQ(Read(Path("Old.xml")), longer);
    struct stat status;
    ASSERT_EQ(::stat(Path("Old.xml").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    ASSERT_TRUE(Platform::WriteFileAtomically(Path("Old.xml"), "", reason)) << reason;
    EXPECT_EQ(Read(Path("Old.xml")), "");
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"New.xml", "Old.xml"}));

    // A folder that is not there: nothing made, and the reason says which step failed.
    EXPECT_FALSE(Platform::WriteFileAtomically(Path("Missing/File.xml"), "x", reason));
    EXPECT_NE(reason.find("No such file or directory"), std::string::npos) << reason;
    EXPECT_FALSE(Platform::WriteFileAtomically(Path("") + "/", "x", reason));
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"New.xml", "Old.xml"}));
}

TEST_F(AtomicFileTest, AWriteThatRunsOutOfRoomLeavesTheEarlierFileAsItWas)
{
    Put(Path("Effect.xml"), Earlier);
    const std::string bigger(4096, 'y');
    std::string reason;
    bool written = true;
    {
        FileSizeLimit limit(64);
        if (!limit.IsActive())
            GTEST_SKIP() << "the file size limit cannot be set here";
        written = Platform::WriteFileAtomically(Path("Effect.xml"), bigger, reason);
    }
    EXPECT_FALSE(written);
    EXPECT_NE(reason.find("File too large"), std::string::npos) << reason;
    EXPECT_EQ(Read(Path("Effect.xml")), Earlier);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"Effect.xml"}) << "no temporary is left";

    // With room again the same write goes through.
    ASSERT_TRUE(Platform::WriteFileAtomically(Path("Effect.xml"), bigger, reason)) << reason;
    EXPECT_EQ(Read(Path("Effect.xml")), bigger);
}

TEST_F(AtomicFileTest, AFullFileSystemLeavesTheEarlierFileAsItWas)
{
    const fs::path mountPoint = folder / "disk";
    fs::create_directories(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "no small tmpfs can be mounted here (needs root): " << std::strerror(errno);
    const std::string path = (mountPoint / "Effect.xml").string();
    Put(path, Earlier);
    std::string reason;
    const bool written = Platform::WriteFileAtomically(path, std::string(64 * 1024, 'z'), reason);
    const std::string after = Read(path);
    const std::vector<std::string> names = Names(mountPoint);
    ::umount(mountPoint.c_str());

    EXPECT_FALSE(written);
    EXPECT_NE(reason.find("No space left on device"), std::string::npos) << reason;
    EXPECT_EQ(after, Earlier);
    EXPECT_EQ(names, std::vector<std::string>{"Effect.xml"}) << "no temporary is left";
}
