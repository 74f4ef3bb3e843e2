#include "Platform/UserFolder.h"
#include <boost/filesystem.hpp>
#include <cstdlib>

namespace Platform
{
namespace
{
const char* const GameFolder = "Quillmere";
}

std::string UserFolderPath()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] != '\0')
        return std::string(dataHome) + "/" + GameFolder;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return std::string(home) + "/.local/share/" + GameFolder;
    return std::string();
}

std::string CreateUserFolder()
{
    const std::string path = UserFolderPath();
    if (!path.empty())
    {
        boost::system::error_code ignored;
        boost::filesystem::create_directories(path, ignored);
    }
    return path;
}
} // namespace Platform
