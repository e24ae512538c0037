#pragma once

#include <atomic>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>

namespace bench {

// One relayed connection of the delay proxy: the client's socket, the
// server's socket and, for each direction, the chunks read but not yet due
// or not yet written. Both sockets are non-blocking.
class RelayLink {
public:
    using Clock = std::chrono::steady_clock;

    RelayLink(int clientFd, int serverFd, std::chrono::microseconds oneWay);
    ~RelayLink();
    RelayLink(const RelayLink&) = delete;
    RelayLink& operator=(const RelayLink&) = delete;

    // Appends the two sockets with what to wait for on them now.
    void watch(std::vector<pollfd>& fds, Clock::time_point now) const;
    // Reads what arrived, writes what is due; fds holds the two entries
    // watch() appended. Adds answered client bursts to roundTrips.
    void service(const pollfd* fds, Clock::time_point now, std::atomic<long long>& roundTrips,
                 std::atomic<long long>& bytes);
    // The earliest moment a held chunk falls due, if any is held.
    std::optional<Clock::time_point> nextDue() const;
    // Both directions closed (or one failed): the link can go.
    bool finished() const;

private:
    struct Chunk {
        Clock::time_point due;
        std::string data;
        std::size_t sent = 0;
    };
    struct Direction {
        int from;
        int to;
        std::deque<Chunk> held;
        bool ended = false;   // the sender closed its side
        bool shut = false;    // and we passed the close on
        bool blocked = false; // the receiver's buffer was full at the last write
    };

    // Reads everything available; false when nothing was read.
    bool readInto(Direction& d, Clock::time_point now);
    void writeDue(Direction& d, Clock::time_point now, std::atomic<long long>& bytes);
    bool wantsWrite(const Direction& d, Clock::time_point now) const;

    std::chrono::microseconds oneWay_;
    Direction up_;    // client to server
    Direction down_;  // server to client
    bool clientSpoke_ = false;
    bool failed_ = false;
};

}  // namespace bench
