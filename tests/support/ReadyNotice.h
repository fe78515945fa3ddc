#pragma once
// Knowing that a started program is up instead of guessing by waiting: the program sends
// READY=1 to the datagram socket named in NOTIFY_SOCKET once its event loop runs (the service
// managers' notification protocol), and the test waits for that message, with a bound.

#include <QString>
#include <QStringList>

#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class ReadyNotice {
public:
    ReadyNotice()
    {
        static int made = 0;
        m_name = QStringLiteral("@vedan-test-%1-%2").arg(::getpid()).arg(++made);
        m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = m_name.toUtf8();
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        address.sun_path[0] = '\0';
        if (m_fd >= 0
            && ::bind(m_fd, reinterpret_cast<sockaddr*>(&address),
                      socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size())))
                   != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~ReadyNotice()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ReadyNotice(const ReadyNotice&) = delete;
    ReadyNotice& operator=(const ReadyNotice&) = delete;

    // The environment entry that asks the program for the message.
    QString environmentEntry() const { return QStringLiteral("NOTIFY_SOCKET=") + m_name; }

    // Whether READY=1 came within the time.
    bool waitReady(int timeoutMs) const
    {
        if (m_fd < 0)
            return false;
        pollfd wanted{m_fd, POLLIN, 0};
        if (::poll(&wanted, 1, timeoutMs) != 1)
            return false;
        char message[64] = {};
        const ssize_t n = ::recv(m_fd, message, sizeof message - 1, 0);
        return n > 0 && std::strstr(message, "READY=1") != nullptr;
    }

private:
    QString m_name;
    int m_fd = -1;
};
