// Listing, names and paths of the file system: the rules asset loading relies on to find the
// same definitions in the same order on every machine.
#include "Core/Assets/FileSystem.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

using Serializer::System::FileSystem;

namespace
{
// A folder of A.xml, B.XML, C.txt, D (no extension), a subfolder Sub.xml and a hidden file.
class ListingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Written out of name order, so that sorting is seen.
        folder.Write("list/C.txt", "c");
        folder.Write("list/B.XML", "b");
        folder.Write("list/D", "d");
        folder.Write("list/A.xml", "a");
        folder.Write("list/.hidden", "h");
        folder.MakeFolder("list/Sub.xml");
        folder.Write("list/Sub.xml/Inner.xml", "not listed: listings do not descend");
    }

    std::vector<std::string> List(const std::string& path, const std::string& extension)
    {
        std::vector<std::string> names = {"left over from an earlier call"};
        FileSystem::ListFiles(path, names, extension);
        return names;
    }

    TempFolder folder;
};
} // namespace

TEST_F(ListingTest, ExtensionMatchesExactlyAndCaseSensitively)
{
    EXPECT_EQ(List("list", ".xml"), (std::vector<std::string>{"A.xml", "Sub.xml"}));
    EXPECT_EQ(List("list", ".XML"), (std::vector<std::string>{"B.XML"}));
    EXPECT_EQ(List("list", "xml"), std::vector<std::string>{});
}

TEST_F(ListingTest, EmptyExtensionListsEveryEntryWithOneSortedByName)
{
    EXPECT_EQ(List("list", ""), (std::vector<std::string>{"A.xml", "B.XML", "C.txt", "Sub.xml"}));
}

TEST_F(ListingTest, MissingFolderOrFileGivesAnEmptyList)
{
    EXPECT_TRUE(List("nowhere", ".xml").empty());
    EXPECT_TRUE(List("list/A.xml", ".xml").empty());
}

TEST_F(ListingTest, BackslashPathsAreNormalised)
{
    EXPECT_EQ(List("list\\Sub.xml", ".xml"), std::vector<std::string>{"Inner.xml"});
}

TEST(FileSystem, StripExtensionCutsAtTheFirstDot)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Fire.big.xml", "Fire"}, {"Readme", "Readme"}, {"Enemy.old.xml", "Enemy"},
        {"Crate.xml", "Crate"},   {".xml", ""},         {"", ""},
    };
    for (const auto& [name, stem] : cases)
        EXPECT_EQ(Serializer::StripExtension(name), stem) << name;
}

TEST(FileSystem, InitializeRemembersTheWorkingDirectory)
{
    TempFolder folder;
    FileSystem system;
    EXPECT_EQ(FileSystem::Instance(), &system);
    system.Initialize(0);
    EXPECT_EQ(system.GetWorkingDirectory(), boost::filesystem::current_path().generic_string());
    EXPECT_EQ(system.GetName(), "FileSystem");
}

TEST(FileSystem, FileExistsForFilesAndFoldersOnly)
{
    TempFolder folder;
    folder.Write("assets/Objects/Crate.xml", "<Crate/>");
    EXPECT_TRUE(Serializer::FileExists("assets/Objects/Crate.xml"));
    EXPECT_TRUE(Serializer::FileExists("assets\\Objects\\Crate.xml"));
    EXPECT_TRUE(Serializer::FileExists("assets/Objects"));
    EXPECT_FALSE(Serializer::FileExists("assets/Objects/crate.xml"));
    EXPECT_FALSE(Serializer::FileExists(""));
}

TEST(FileSystem, RenameFileReplacesTheTarget)
{
    TempFolder folder;
    folder.Write("old.xml", "new content");
    folder.Write("target.xml", "old content");
    ASSERT_TRUE(Serializer::RenameFile("old.xml", "target.xml"));
    EXPECT_FALSE(Serializer::FileExists("old.xml"));
    std::ifstream file("target.xml");
    std::string text;
    std::getline(file, text);
    EXPECT_EQ(text, "new content");
}

TEST(FileSystem, RenameOfAMissingFileIsLoggedAndFalse)
{
    TempFolder folder;
    LogFileCapture log;
    EXPECT_FALSE(Serializer::RenameFile("missing.xml", "target.xml"));
    EXPECT_NE(log.Text().find("Error [FileSystem]: cannot move missing.xml to target.xml"),
              std::string::npos);
}

TEST(FileSystem, RenameFileMovesAcrossFileSystems)
{
    namespace fs = boost::filesystem;
    TempFolder folder;
    // Memory-backed on Linux, so usually another file system than the temporary folder's.
    const std::string otherFolder = "/dev/shm";
    struct stat here = {};
    struct stat there = {};
    if (stat(".", &here) != 0 || stat(otherFolder.c_str(), &there) != 0 ||
        here.st_dev == there.st_dev)
        GTEST_SKIP() << "no second file system to move to";

    for (const std::string& content :
         {std::string("travels"), std::string(200000, 'x'), std::string()})
    {
        SCOPED_TRACE(content.size());
        const fs::path target = fs::path(otherFolder) / fs::unique_path("objects-%%%%-%%%%.xml");
        folder.Write("moved.xml", content);
        std::ofstream(target.string()) << "replaced";
        const bool moved = Serializer::RenameFile("moved.xml", target.string());
        std::ifstream arrived(target.string(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(arrived)),
                               std::istreambuf_iterator<char>());
        boost::system::error_code error;
        fs::remove(target, error);
        EXPECT_TRUE(moved);
        EXPECT_EQ(text, content);
        EXPECT_FALSE(Serializer::FileExists("moved.xml"));
    }
}
