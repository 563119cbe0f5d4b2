#pragma once
// Servers on 127.0.0.1 made of plain sockets, for tests that need what the
// Qt test server on the test's own event loop cannot give: a server that
// never answers while nobody runs a loop, or one that sends from a thread of
// its own as fast as the connection takes it.
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <vector>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

// A socket listening on a free port of 127.0.0.1; -1 (and port 0) when it
// could not be made.
inline int listenOnLoopback(int backlog, int &port) {
    port = 0;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), len) != 0 || ::listen(fd, backlog) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(a.sin_port);
    return fd;
}

// A server that accepts each connection and never answers: every request
// waits until its own limit or the end of the run. The kernel accepts for
// it; a test may take the requests to see what was asked and whether the
// client still waits.
class SilentServer {
public:
    SilentServer() { fd_ = listenOnLoopback(16, port_); }
    ~SilentServer() {
        for (int c : accepted_) ::close(c);
        if (fd_ >= 0) ::close(fd_);
    }
    SilentServer(const SilentServer &) = delete;
    SilentServer &operator=(const SilentServer &) = delete;

    int port() const { return port_; }
    QString url(const QString &path) const {
        return QStringLiteral("http://127.0.0.1:%1").arg(port_) + path;
    }

    // Another connection waits to be accepted (the program's next request).
    bool connectionPending(int timeoutMs) const {
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, timeoutMs) == 1;
    }

    // The head of the next request (up to its blank line), or empty when
    // none came within timeoutMs. The connection stays open, unanswered.
    QByteArray acceptRequest(int timeoutMs) {
        QElapsedTimer t;
        t.start();
        if (!connectionPending(timeoutMs)) return {};
        const int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0) return {};
        accepted_.push_back(c);
        QByteArray head;
        while (!head.contains("\r\n\r\n")) {
            pollfd p{c, POLLIN, 0};
            const int left = int(qMax<qint64>(0, timeoutMs - t.elapsed()));
            if (::poll(&p, 1, left) != 1) break;
            char buf[4096];
            const ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0) break;
            head.append(buf, n);
        }
        return head;
    }

    // The program has not closed the last accepted connection: its request
    // is still waiting.
    bool lastStillOpen() const {
        if (accepted_.empty()) return false;
        char c;
        const ssize_t n = ::recv(accepted_.back(), &c, 1, MSG_PEEK | MSG_DONTWAIT);
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }

private:
    int fd_ = -1;
    int port_ = 0;
    std::vector<int> accepted_;
};

} // namespace testsupport
