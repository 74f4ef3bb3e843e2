#pragma once
// Writing a whole file so that it is replaced in one step or not at all: the bytes go to a
// temporary file beside the target (same folder, so on the same file system), every write, the
// flush to the disk and the close are checked, and only then is the temporary renamed over the
// target. A disk that fills up, a file size limit or a folder that cannot be written leaves the
// earlier file exactly as it was and no temporary behind. The platform layer does not log: the
// reason comes back in words for the caller's log line.
#include <cstddef>
#include <string>

namespace Platform
{
// Writes `size` bytes as the whole content of the file at `path`. A new file gets the usual
// permissions (0666 less the umask), a replaced one keeps its own. False, with `reason` set to
// the failing step and the system's words for it ("writing failed: File too large"), when the
// file could not be written.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& reason);
inline bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                                std::string& reason)
{
    return WriteFileAtomically(path, bytes.data(), bytes.size(), reason);
}
} // namespace Platform
