#include "Core/Assets/FileSystem.h"
#include "Core/Log.h"
#include <algorithm>
#include <boost/filesystem.hpp>
#include <fstream>
#include <vector>

namespace fs = boost::filesystem;

namespace Serializer
{
namespace
{
constexpr std::size_t CopyBlockSize = 64 * 1024;

// The extension of a file name, leading '.' included, or "" when it has none. A name whose only
// '.' is its first character (".gitignore") is a hidden file without an extension.
std::string ExtensionOf(const std::string& fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return std::string();
    return fileName.substr(dot);
}

// Copies the file's bytes to a temporary file in the target's folder and renames it over the
// target, so that a failed copy never leaves a half-written target behind. (The library's own
// copy_file fails across file systems on some kernels.)
bool CopyThenReplace(const fs::path& source, const fs::path& target,
                     boost::system::error_code& error)
{
    const fs::path temporary = target.parent_path() / fs::unique_path(".moving-%%%%-%%%%");
    {
        std::ifstream input(source.string(), std::ios::binary);
        std::ofstream output(temporary.string(), std::ios::binary | std::ios::trunc);
        std::vector<char> block(CopyBlockSize);
        while (input && output)
        {
            input.read(block.data(), static_cast<std::streamsize>(block.size()));
            output.write(block.data(), input.gcount());
        }
        output.flush();
        if (!input.eof() || !output)
        {
            output.close();
            fs::remove(temporary, error);
            error = boost::system::errc::make_error_code(boost::system::errc::io_error);
            return false;
        }
    }
    fs::rename(temporary, target, error);
    if (error)
    {
        boost::system::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}
} // namespace

namespace System
{
FileSystem* FileSystem::s_instance = nullptr;

FileSystem::FileSystem()
{
    m_name = "FileSystem";
    s_instance = this;
}

FileSystem::~FileSystem()
{
    if (s_instance == this)
        s_instance = nullptr;
}

void FileSystem::Initialize(u32)
{
    boost::system::error_code error;
    const fs::path current = fs::current_path(error);
    if (error)
    {
        Core::Log() << "Error [FileSystem]: cannot read the working directory (" << error.message()
                    << ")\n";
        return;
    }
    m_workingDirectory = current.generic_string();
}

void FileSystem::ListFiles(const std::string& folder, std::vector<std::string>& names,
                           const std::string& extension)
{
    names.clear();
    const fs::path directory(NormalizePath(folder));
    boost::system::error_code error;
    if (!fs::is_directory(directory, error))
        return;

    fs::directory_iterator entry(directory, error);
    const fs::directory_iterator end;
    while (!error && entry != end)
    {
        const std::string fileName = entry->path().filename().string();
        const std::string fileExtension = ExtensionOf(fileName);
        if (!fileExtension.empty() && (extension.empty() || fileExtension == extension))
            names.push_back(fileName);
        entry.increment(error);
    }
    if (error)
    {
        Core::Log() << "Error [FileSystem]: cannot read the folder " << folder << " ("
                    << error.message() << "); " << names.size() << " files listed\n";
    }
    // The operating system's order differs between machines and file systems.
    std::sort(names.begin(), names.end());
}
} // namespace System

std::string NormalizePath(const std::string& path)
{
    std::string normalized = path;
    std::replace(normalized.begin(), normalized.end(), '\\', '/');
    return normalized;
}

std::string StripExtension(const std::string& fileName)
{
    return fileName.substr(0, fileName.find('.'));
}

bool FileExists(const std::string& path)
{
    boost::system::error_code error;
    return fs::exists(fs::path(NormalizePath(path)), error) && !error;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    const fs::path source(NormalizePath(from));
    const fs::path target(NormalizePath(to));
    boost::system::error_code error;
    fs::rename(source, target, error);
    if (!error)
        return true;

    // A rename cannot cross file systems: copy beside the target, then rename there (which
    // replaces the target in one step), then remove the source.
    if (error == boost::system::errc::cross_device_link)
    {
        error.clear();
        if (CopyThenReplace(source, target, error))
        {
            fs::remove(source, error);
            if (!error)
                return true;
        }
    }
    Core::Log() << "Error [FileSystem]: cannot move " << from << " to " << to << " ("
                << error.message() << ")\n";
    return false;
}
} // namespace Serializer
