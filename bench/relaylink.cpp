#include "bench/relaylink.h"

#include <cerrno>

#include <sys/socket.h>
#include <unistd.h>

namespace bench {

namespace {

constexpr std::size_t kReadSize = 64 * 1024;

}  // namespace

RelayLink::RelayLink(int clientFd, int serverFd, std::chrono::microseconds oneWay)
    : oneWay_(oneWay), up_{clientFd, serverFd, {}}, down_{serverFd, clientFd, {}} {}

RelayLink::~RelayLink() {
    ::close(up_.from);
    ::close(up_.to);
}

bool RelayLink::wantsWrite(const Direction& d, Clock::time_point now) const {
    return d.blocked && !d.held.empty() && d.held.front().due <= now;
}

void RelayLink::watch(std::vector<pollfd>& fds, Clock::time_point now) const {
    const auto events = [&](const Direction& reading, const Direction& writing) {
        short e = 0;
        if (!reading.ended) e |= POLLIN;
        if (wantsWrite(writing, now)) e |= POLLOUT;
        return e;
    };
    fds.push_back({up_.from, events(up_, down_), 0});
    fds.push_back({down_.from, events(down_, up_), 0});
}

bool RelayLink::readInto(Direction& d, Clock::time_point now) {
    bool got = false;
    for (;;) {
        std::string buffer(kReadSize, '\0');
        const ssize_t n = ::read(d.from, buffer.data(), buffer.size());
        if (n > 0) {
            buffer.resize(static_cast<std::size_t>(n));
            d.held.push_back({now + oneWay_, std::move(buffer)});
            got = true;
            continue;
        }
        if (n == 0) d.ended = true;
        else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) failed_ = true;
        return got;
    }
}

void RelayLink::writeDue(Direction& d, Clock::time_point now, std::atomic<long long>& bytes) {
    d.blocked = false;
    while (!d.held.empty() && d.held.front().due <= now) {
        Chunk& c = d.held.front();
        const ssize_t n = ::send(d.to, c.data.data() + c.sent, c.data.size() - c.sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK) d.blocked = true;
            else if (errno != EINTR) failed_ = true;
            return;
        }
        c.sent += static_cast<std::size_t>(n);
        bytes += n;
        if (c.sent == c.data.size()) d.held.pop_front();
    }
    if (d.ended && d.held.empty() && !d.shut) {
        ::shutdown(d.to, SHUT_WR);
        d.shut = true;
    }
}

void RelayLink::service(const pollfd* fds, Clock::time_point now, std::atomic<long long>& roundTrips,
                        std::atomic<long long>& bytes) {
    const short failure = POLLERR | POLLNVAL;
    if ((fds[0].revents & failure) || (fds[1].revents & failure)) failed_ = true;
    if ((fds[0].revents & (POLLIN | POLLHUP)) && readInto(up_, now)) clientSpoke_ = true;
    if ((fds[1].revents & (POLLIN | POLLHUP)) && readInto(down_, now) && clientSpoke_) {
        ++roundTrips;
        clientSpoke_ = false;
    }
    writeDue(up_, now, bytes);
    writeDue(down_, now, bytes);
}

std::optional<RelayLink::Clock::time_point> RelayLink::nextDue() const {
    std::optional<Clock::time_point> due;
    for (const Direction* d : {&up_, &down_}) {
        if (d->held.empty() || d->blocked) continue;
        if (!due || d->held.front().due < *due) due = d->held.front().due;
    }
    return due;
}

bool RelayLink::finished() const {
    return failed_ || (up_.shut && down_.shut);
}

}  // namespace bench
