#include "Platform/AtomicFile.h"
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace Platform
{
namespace
{
// Tried names before giving up on finding a free temporary name.
constexpr int NameAttempts = 64;

std::atomic<unsigned> g_temporaryCounter{0};

std::string Describe(const char* step, int error)
{
    return std::string(step) +
           " failed: " + std::error_code(error, std::generic_category()).message();
}

// The temporary's name: hidden, beside the target, and with an extension no asset listing
// takes (".xml.tmp-<process>-<counter>").
std::string TemporaryName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".tmp-" + std::to_string(::getpid()) + "-" +
           std::to_string(g_temporaryCounter.fetch_add(1));
}

// Writes every byte, going on after short writes and interruptions; false with errno set.
bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0)
        {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}
} // namespace

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& reason)
{
    if (path.empty() || path.back() == '/')
    {
        reason = "no file name given";
        return false;
    }
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < NameAttempts && fd < 0; ++attempt)
    {
        temporary = TemporaryName(path);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
    {
        reason = Describe("creating a temporary file beside it", errno);
        return false;
    }

    const char* step = nullptr;
    int error = 0;
    if (!WriteAll(fd, static_cast<const char*>(data), size))
    {
        step = "writing";
        error = errno;
    }
    else if (::fsync(fd) != 0)
    {
        step = "flushing to the disk";
        error = errno;
    }
    // A file being replaced keeps its permissions.
    struct stat existing;
    if (step == nullptr && ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        (void)::fchmod(fd, existing.st_mode & 07777);
    if (::close(fd) != 0 && step == nullptr)
    {
        step = "closing";
        error = errno;
    }
    if (step == nullptr && ::rename(temporary.c_str(), path.c_str()) != 0)
    {
        step = "replacing the file";
        error = errno;
    }
    if (step != nullptr)
    {
        ::unlink(temporary.c_str());
        reason = Describe(step, error);
        return false;
    }
    return true;
}
} // namespace Platform
