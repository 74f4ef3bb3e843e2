#pragma once
// The per-user data folder: $XDG_DATA_HOME/Quillmere, else $HOME/.local/share/Quillmere.
#include <string>

namespace Platform
{
// The folder's path, or an empty string when neither variable is set.
std::string UserFolderPath();
// Creates the folder (and missing parents); failures are ignored. Returns the path.
std::string CreateUserFolder();
} // namespace Platform
