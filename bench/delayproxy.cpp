#include "bench/delayproxy.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "bench/relaylink.h"

namespace bench {

namespace {

using Clock = RelayLink::Clock;

[[noreturn]] void failSystem(const std::string& what) {
    throw std::runtime_error("delay proxy: " + what + ": " + std::string(strerror(errno)));
}

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// Small protocol messages must leave at once, as they would from the client.
void tune(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

int connectToTarget(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    const sockaddr_in a = loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    tune(fd);
    return fd;
}

timespec until(Clock::time_point due, Clock::time_point now) {
    const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(due - now).count();
    const long long ns = wait > 0 ? wait : 0;
    return {static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

void acceptOne(int listenFd, int targetPort, std::chrono::microseconds oneWay,
               std::vector<std::unique_ptr<RelayLink>>& links) {
    const int client = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    const int server = connectToTarget(targetPort);
    if (server < 0) {
        ::close(client);  // the client sees the refusal as a closed connection
        return;
    }
    tune(client);
    links.push_back(std::make_unique<RelayLink>(client, server, oneWay));
}

}  // namespace

DelayProxy::DelayProxy(int targetPort, std::chrono::microseconds oneWay) : targetPort_(targetPort), oneWay_(oneWay) {
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) failSystem("pipe");
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) failSystem("socket");
    sockaddr_in a = loopback(0);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) failSystem("bind");
    if (::listen(listenFd_, 16) != 0) failSystem("listen");
    socklen_t size = sizeof a;
    if (::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &size) != 0) failSystem("getsockname");
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { run(); });
}

DelayProxy::~DelayProxy() {
    const char stop = 1;
    [[maybe_unused]] const ssize_t n = ::write(wake_[1], &stop, 1);
    thread_.join();
    ::close(listenFd_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

void DelayProxy::run() {
    // The default 50 us timer slack would stretch every held-back chunk.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    std::vector<std::unique_ptr<RelayLink>> links;
    std::vector<pollfd> fds;
    for (;;) {
        Clock::time_point now = Clock::now();
        fds.assign({{wake_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}});
        std::optional<Clock::time_point> due;
        for (const auto& link : links) {
            link->watch(fds, now);
            const auto next = link->nextDue();
            if (next && (!due || *next < *due)) due = next;
        }
        const timespec wait = due ? until(*due, now) : timespec{};
        if (::ppoll(fds.data(), fds.size(), due ? &wait : nullptr, nullptr) < 0 && errno != EINTR) return;
        if (fds[0].revents) return;
        now = Clock::now();
        for (std::size_t i = 0; i < links.size(); ++i) links[i]->service(&fds[2 + 2 * i], now, roundTrips_, bytes_);
        std::erase_if(links, [](const auto& link) { return link->finished(); });
        if (fds[1].revents & POLLIN) acceptOne(listenFd_, targetPort_, oneWay_, links);
    }
}

}  // namespace bench
