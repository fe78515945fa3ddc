#pragma once
// Cases that only mean something for a user other than the superuser (who may write any file)
// or for a second user: the test runs as root on CI, so the code under test runs in a child
// process that has become the plain user "nobody". Run as a plain user, the test's own process
// is that user already.

#include <functional>
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

inline constexpr uid_t kOtherUser = 65534; // nobody
inline constexpr gid_t kOtherGroup = 65534;

inline bool isSuperuser() { return ::geteuid() == 0; }

// Makes the calling process the plain user; false when it could not.
inline bool becomePlainUser()
{
    return ::setgroups(0, nullptr) == 0 && ::setgid(kOtherGroup) == 0 && ::setuid(kOtherUser) == 0;
}

// Runs `body` as a plain user and answers its result (0..255); -1 when the child could not
// become that user or did not end normally.
inline int runAsPlainUser(const std::function<int()>& body)
{
    if (!isSuperuser())
        return body();
    const pid_t child = ::fork();
    if (child == 0) {
        if (!becomePlainUser())
            ::_exit(255);
        ::_exit(body() & 0xFF);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)
        || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

// Runs `body` in a child process and answers how it ended: the signal that ended it, or 0.
inline int signalThatEnds(const std::function<void()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}
