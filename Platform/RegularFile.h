#pragma once
// Opening asset files safely: only regular files are read (a named pipe, a socket or a device
// among the assets is refused, and the check never blocks: the file is opened non-blocking and
// examined before a byte is read), each kind of file has a size limit, and every refusal comes
// with the reason the system gave in words ("not found", "permission denied", "too many links").
#include <cstddef>
#include <string>

namespace Serializer
{
// True when `path` names a regular file of at most `limit` bytes; otherwise `reason` says why
// not. Symbolic links are followed.
bool CheckRegularFile(const std::string& path, std::size_t limit, std::string& reason);
// Reads the whole regular file of at most `limit` bytes into `contents`; false with `reason`
// set otherwise (contents then empty).
bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& contents,
                     std::string& reason);
// The words for an errno value of a failed open or stat.
std::string DescribeFileError(int error);
} // namespace Serializer
