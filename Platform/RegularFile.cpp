#include "Platform/RegularFile.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Serializer
{
namespace
{
const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "not a plain file";
}

bool CheckStatus(const struct stat& status, std::size_t limit, std::string& reason)
{
    if (!S_ISREG(status.st_mode))
    {
        reason = std::string("not a regular file (") + KindOf(status.st_mode) + ")";
        return false;
    }
    if (static_cast<unsigned long long>(status.st_size) > limit)
    {
        reason = "its size (" + std::to_string(static_cast<long long>(status.st_size)) +
                 " bytes) is above the limit of " + std::to_string(limit) + " bytes";
        return false;
    }
    return true;
}

// Closes the descriptor when the read ends, whichever way.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};
} // namespace

std::string DescribeFileError(int error)
{
    switch (error)
    {
    case ENOENT:
        return "not found";
    case ENOTDIR:
        return "not found (a part of the path is not a folder)";
    case EACCES:
    case EPERM:
        return "permission denied";
    case ELOOP:
        return "too many links (a loop of symbolic links)";
    case ENAMETOOLONG:
        return "the name is too long";
    default:
        return std::strerror(error);
    }
}

bool CheckRegularFile(const std::string& path, std::size_t limit, std::string& reason)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
    {
        reason = DescribeFileError(errno);
        return false;
    }
    return CheckStatus(status, limit, reason);
}

bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& contents,
                     std::string& reason)
{
    contents.clear();
    // Non-blocking: opening a named pipe without a writer would otherwise wait for ever.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
    {
        reason = DescribeFileError(errno);
        return false;
    }
    struct stat status;
    if (::fstat(file.fd, &status) != 0)
    {
        reason = DescribeFileError(errno);
        return false;
    }
    if (!CheckStatus(status, limit, reason))
        return false;

    contents.resize(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    while (filled < contents.size())
    {
        const ssize_t got = ::read(file.fd, &contents[filled], contents.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
        {
            reason = DescribeFileError(errno);
            contents.clear();
            return false;
        }
        if (got == 0)
            break; // the file shrank meanwhile: what is there is what it holds
        filled += static_cast<std::size_t>(got);
    }
    contents.resize(filled);
    return true;
}
} // namespace Serializer
