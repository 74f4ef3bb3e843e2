#pragma once
// A full disk without a full disk: while it lives, the process may not make any file longer
// than the given size (RLIMIT_FSIZE), and SIGXFSZ is ignored, so a write past the limit fails
// with EFBIG as one on a full disk fails with ENOSPC. Needs no privilege; the limit and the
// signal's handling are put back on destruction. It holds for every thread of the process:
// keep it around the one write under test.
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_active = ::getrlimit(RLIMIT_FSIZE, &m_previous) == 0;
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (m_active)
        {
            rlimit limit = m_previous;
            limit.rlim_cur = bytes;
            m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
    }
    ~FileSizeLimit()
    {
        if (m_active)
            ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set (the test should say so and skip).
    bool IsActive() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_active = false;
};
