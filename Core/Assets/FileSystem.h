#pragma once
// File access for the code that loads assets: the system that keeps the working directory and
// lists a folder's files, and free helpers for names and paths.
//
// Conventions:
// - Paths are built with '/'. A path stored with '\' (older asset files, editor saves) is
//   normalised on the way in, so "assets\Objects\Crate.xml" and "assets/Objects/Crate.xml" name
//   the same file.
// - Listings are sorted by name (byte order), so whatever comes "first" is the same on every
//   machine. File names are case-sensitive, extensions included.
// - Everything here may be called without the system existing: none of it needs its state
//   except GetWorkingDirectory.
#include "Core/SystemComponent.h"
#include <string>
#include <vector>

namespace Serializer
{
namespace System
{
class FileSystem : public SystemComponent
{
public:
    FileSystem();
    ~FileSystem() override;

    // The one file system of the process, or null while none exists.
    static FileSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "FileSystem";
        return name;
    }
    void Update(f32) override {}
    // Remembers the process's current directory; the flag word is not used.
    void Initialize(u32 launchFlags) override;

    const std::string& GetWorkingDirectory() const { return m_workingDirectory; }

    // Replaces `names` with the file names (no folder) of the folder's entries whose extension
    // equals `extension` exactly, leading '.' included; an empty extension takes every entry
    // that has one. Entries without an extension are never listed; subfolders are not entered
    // (a subfolder with an extension is listed like a file). Sorted by name. A missing folder,
    // or one that cannot be read, gives an empty list.
    static void ListFiles(const std::string& folder, std::vector<std::string>& names,
                          const std::string& extension);

private:
    std::string m_workingDirectory;

    static FileSystem* s_instance;
};
} // namespace System

// The path with every '\' turned into '/'.
std::string NormalizePath(const std::string& path);
// The name up to, not including, its first '.': "Fire.big.xml" gives "Fire"; a name without
// '.' comes back whole.
std::string StripExtension(const std::string& fileName);
// True when the path names an existing file or directory; false when it does not or its status
// cannot be read.
bool FileExists(const std::string& path);
// Moves a file, replacing an existing target; across file systems it copies and removes the
// source. False, with a log line, when neither works.
bool RenameFile(const std::string& from, const std::string& to);
} // namespace Serializer
