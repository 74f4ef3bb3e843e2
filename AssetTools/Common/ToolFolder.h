#pragma once
// Output folders of the content tools. Each tool is given the asset root on its command line
// and writes into the usual folders under it, creating them when missing.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace AssetTools
{
// The folder `relative` under `root`, created when missing; empty, with a line on standard
// error naming the tool and the folder, when it cannot be made.
inline std::string MakeToolFolder(const char* tool, const std::string& root,
                                  const std::string& relative)
{
    const std::string folder = root + '/' + relative;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error))
    {
        std::fprintf(stderr, "Error [%s]: cannot make the folder %s\n", tool, folder.c_str());
        return std::string();
    }
    return folder;
}

// The usage line, when the command line does not name exactly one folder.
inline bool ReadToolArguments(const char* tool, int argc, char** argv, std::string& root)
{
    if (argc != 2 || argv[1][0] == '\0')
    {
        std::fprintf(stderr, "Usage: %s <asset folder>\n", tool);
        return false;
    }
    root = argv[1];
    return true;
}
} // namespace AssetTools
