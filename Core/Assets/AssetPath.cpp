#include "Core/Assets/AssetPath.h"
#include "Core/Log.h"

namespace Core
{
bool IsAssetPathInside(const std::string& name)
{
    if (!name.empty() && (name[0] == '/' || name[0] == '\\'))
        return false;
    std::size_t start = 0;
    while (start <= name.size())
    {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

bool CheckAssetPath(const std::string& part, const std::string& what, const std::string& name)
{
    if (IsAssetPathInside(name))
        return true;
    Log() << "Error [" << part << "]: " << what << " \"" << name
          << "\" refused: its path leaves the asset folder\n";
    return false;
}
} // namespace Core
