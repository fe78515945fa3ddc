#pragma once
// A full disk for the duration of a scope: the file size limit stops every write past the given
// number of bytes (SIGXFSZ ignored, so the write fails with EFBIG as on a full disk), and the
// old limit and signal handling come back at the end of the scope.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_previous(std::signal(SIGXFSZ, SIG_IGN))
    {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // Whether the limit is in force.
    bool ok() const { return m_ok; }

private:
    void (*m_previous)(int);
    rlimit m_saved{};
    bool m_ok = false;
};
