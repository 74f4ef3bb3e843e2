// Covers: the content tools under AssetTools/ (their programs, run as scripts).
// Running the content tools again must give exactly the files committed under assets/, and every
// generated kind of file committed there must come from a tool.
#include "tests/Support/TempFiles.h"
#include <boost/filesystem.hpp>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>

namespace
{
namespace fs = boost::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream file(path.string(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every file under `root` (recursively), as paths relative to it.
std::set<std::string> FilesUnder(const fs::path& root)
{
    std::set<std::string> files;
    if (!fs::is_directory(root))
        return files;
    for (fs::recursive_directory_iterator it(root), end; it != end; ++it)
        if (fs::is_regular_file(it->path()))
            files.insert(it->path().lexically_relative(root).generic_string());
    return files;
}
} // namespace

TEST(AssetTools, RegenerateTheCommittedFilesByteForByte)
{
    TempFolder folder("quill-regenerate");
    const std::string output = folder.Path("assets");
    for (const char* tool : {QUILL_MODELGEN, QUILL_TEXGEN, QUILL_FONTBAKE})
    {
        const std::string command = std::string("\"") + tool + "\" \"" + output + "\" > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    const fs::path committed = fs::path(QUILL_ASSET_ROOT) / "assets";
    const std::set<std::string> generated = FilesUnder(output);
    ASSERT_FALSE(generated.empty());
    for (const std::string& file : generated)
    {
        const fs::path original = committed / file;
        ASSERT_TRUE(fs::exists(original)) << file << " is generated but not committed";
        EXPECT_TRUE(ReadBytes(fs::path(output) / file) == ReadBytes(original))
            << file << " differs from the committed file: run the regenerate_assets target";
    }
    // The folders the tools own hold nothing else: no file is copied in by hand.
    for (const char* owned : {"Models/bin", "Textures", "Fonts"})
        for (const std::string& file : FilesUnder(committed / owned))
            EXPECT_EQ(generated.count(std::string(owned) + '/' + file), 1u)
                << owned << '/' << file << " is committed but no tool makes it";

    const std::string usage = std::string("\"") + QUILL_MODELGEN + "\" > /dev/null 2>&1";
    EXPECT_NE(std::system(usage.c_str()), 0) << "a tool without its folder says how to use it";
}
