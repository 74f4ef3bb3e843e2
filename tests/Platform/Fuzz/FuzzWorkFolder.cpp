#include "tests/Platform/Fuzz/FuzzWorkFolder.h"
#include <cstdlib>
#include <fstream>

const std::filesystem::path& FuzzWorkFolder::Root()
{
    static const std::filesystem::path root = []
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quill-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return root;
}

void FuzzWorkFolder::WriteFile(const std::string& relativePath, const void* data, std::size_t size)
{
    const std::filesystem::path path = Root() / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

FuzzWorkFolder::Enter::Enter() : m_previous(std::filesystem::current_path())
{
    std::filesystem::current_path(Root());
}

FuzzWorkFolder::Enter::~Enter()
{
    std::filesystem::current_path(m_previous);
}
